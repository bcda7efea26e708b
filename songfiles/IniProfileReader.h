// A portable reader of profile (.ini) files that behaves like the system's profile functions for
// reading: sections and keys compared without regard to ASCII case, blanks around names and values
// dropped, one pair of matching quotes around a value removed.
#pragma once

#include <string>

#include "songfiles/ProfileReader.h"

class IniProfileReader : public ProfileReader {
public:
    // windowsFolder stands for the Windows folder, where a bare file name is looked for ("" is the
    // current directory).
    explicit IniProfileReader(const char* windowsFolder) : windowsFolder(windowsFolder) {}

    std::size_t ReadString(const char* section,
                           const char* key,
                           const char* defaultValue,
                           char* out,
                           std::size_t outSize,
                           const char* fileName) override;
    std::int32_t ReadInt(const char* section,
                         const char* key,
                         std::int32_t defaultValue,
                         const char* fileName) override;

private:
    // The value of key in section, or false when the file, the section or the key is missing.
    bool FindValue(const char* section, const char* key, const char* fileName, std::string& value);

    std::string windowsFolder;
};
