// Temporary song files as a seam: the Win32 build keeps them in the user's temporary folder, the
// native build has none, the tests keep them in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A file that exists while its owner does; destroying it removes the file.
class TemporaryFile {
public:
    virtual ~TemporaryFile() = default;
    const char* Path() const { return path.c_str(); }

protected:
    std::string path;
};

class TempFilePort {
public:
    virtual ~TempFilePort() = default;
    // Writes the bytes into a new file of a unique name ending in extension (".mid"); none when it
    // cannot be written (nothing is left behind then).
    virtual std::unique_ptr<TemporaryFile> Create(const std::uint8_t* data,
                                                  std::size_t size,
                                                  const char* extension) = 0;
    // Removes the files an earlier run left behind when it ended without closing its songs; the
    // files of players that still run are kept.
    virtual void RemoveLeftovers() = 0;
};

// The temporary files of this build: the system's on Windows (mx_mci_win), natively none.
TempFilePort& SystemTempFilePort();
