// Natively there are no CD-ROM drives; the tests bring their own query.
#include "play/DriveQuery.h"

namespace {

class NoDrives : public DriveQuery {
public:
    bool IsCdRom(char /*letter*/) override { return false; }
};

}  // namespace

DriveQuery& SystemDriveQuery() {
    static NoDrives drives;
    return drives;
}
