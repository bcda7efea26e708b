// The Win32 profile reader: the system's own profile functions, which look for a bare file name
// in the Windows folder.
#include "songfiles/ProfileReader.h"

#include <windows.h>

namespace {

class Win32ProfileReader : public ProfileReader {
public:
    std::size_t ReadString(const char* section,
                           const char* key,
                           const char* defaultValue,
                           char* out,
                           std::size_t outSize,
                           const char* fileName) override {
        if (outSize == 0) {
            return 0;
        }
        const DWORD size = outSize > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(outSize);
        return GetPrivateProfileStringA(section, key, defaultValue, out, size, fileName);
    }

    std::int32_t ReadInt(const char* section,
                         const char* key,
                         std::int32_t defaultValue,
                         const char* fileName) override {
        return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, defaultValue, fileName));
    }
};

}  // namespace

ProfileReader& SystemProfileReaderInstance() {
    static Win32ProfileReader instance;
    return instance;
}
