// The seam to the system's profile (.ini) files, through which old settings files are read: the
// Win32 profile functions on Windows, a small INI reader natively and in tests.
#pragma once

#include <cstddef>
#include <cstdint>

// The operations are not called GetProfileString/GetProfileInt: <windows.h> turns those names into
// macros, which would rename them in every file that includes it.
class ProfileReader {
public:
    virtual ~ProfileReader() = default;
    // Copies the value of key in section of fileName into out (outSize bytes, terminator included,
    // cut to fit), or defaultValue when there is no such key or file. Answers the bytes copied.
    // A bare fileName is looked for in the Windows folder, as the system does.
    virtual std::size_t ReadString(const char* section,
                                   const char* key,
                                   const char* defaultValue,
                                   char* out,
                                   std::size_t outSize,
                                   const char* fileName) = 0;
    // The value of key as a decimal integer, 0 when it does not begin with one, or defaultValue when
    // there is no such key or file.
    virtual std::int32_t ReadInt(const char* section,
                                 const char* key,
                                 std::int32_t defaultValue,
                                 const char* fileName) = 0;
};

// The reader every caller uses: the one set last, else the build's own.
ProfileReader& ActiveProfileReader();
// Makes replacement the active reader (the caller keeps it alive while it is active). Returns the
// previously set one; nullptr restores the build's own.
ProfileReader* SetActiveProfileReader(ProfileReader* replacement);
// The build's own reader, a process-wide object: the Win32 one on Windows, natively an INI reader
// whose Windows folder is the current directory.
ProfileReader& SystemProfileReaderInstance();
