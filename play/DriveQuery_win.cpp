// The drive-type query through GetDriveTypeA, which wants a root path with its backslash.
#include "play/DriveQuery.h"

#include <windows.h>

namespace {

class SystemDrives : public DriveQuery {
public:
    bool IsCdRom(char letter) override {
        const char root[] = {letter, ':', '\\', '\0'};
        return GetDriveTypeA(root) == DRIVE_CDROM;
    }
};

}  // namespace

DriveQuery& SystemDriveQuery() {
    static SystemDrives drives;
    return drives;
}
