// Unbuffered, sector-aligned file reads through a window of whole sectors.
#include "devices/UnbufferedFileReader_win.h"

#include <algorithm>
#include <cstring>

#include "devices/SectorWindow.h"

namespace {

// "X:\": the only kind of full path whose drive can be asked for its sector size.
bool IsDriveRoot(const char* fullPath) {
    const char letter = fullPath[0];
    const bool isLetter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
    return isLetter && fullPath[1] == ':' && fullPath[2] == '\\';
}

}  // namespace

bool UnbufferedFileReader::Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    if (IsOpen() || !path) {
        return false;
    }
    file.Reset(CreateFileA(path, access, share, nullptr, disposition, flags | FILE_FLAG_NO_BUFFERING, nullptr));
    if (!file) {
        return false;
    }
    DWORD sizeHigh = 0;
    const DWORD sizeLow = GetFileSize(file.Get(), &sizeHigh);
    char fullPath[MAX_PATH];
    const DWORD fullLength = GetFullPathNameA(path, MAX_PATH, fullPath, nullptr);
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    bool good = (sizeLow != INVALID_FILE_SIZE || GetLastError() == NO_ERROR) && sizeHigh == 0 && fullLength > 0 &&
                fullLength < MAX_PATH && IsDriveRoot(fullPath);
    if (good) {
        const char root[4] = {fullPath[0], ':', '\\', '\0'};
        good = GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) &&
               bytesPerSector > 0;
    }
    if (good) {
        sectorSize = bytesPerSector;
        windowSize = SectorWindowSize(kRequestedWindowBytes, sectorSize);
        good = windowMemory.Allocate(windowSize);
    }
    if (!good) {
        Close();
        return false;
    }
    windowData = static_cast<std::uint8_t*>(windowMemory.Get());
    fileSize = sizeLow;
    position = 0;
    windowStart = kNoWindow;
    return true;
}

void UnbufferedFileReader::Close() {
    file.Reset();
    windowMemory.Free();
    windowData = nullptr;
    windowSize = 0;
    sectorSize = 0;
    fileSize = 0;
    position = 0;
    windowStart = kNoWindow;
}

bool UnbufferedFileReader::FillWindow() {
    const SectorWindowFill fill = SectorWindowFor(position, windowSize, sectorSize, fileSize);
    windowStart = kNoWindow;
    LARGE_INTEGER target;
    target.QuadPart = fill.start;
    LARGE_INTEGER reached;
    if (!SetFilePointerEx(file.Get(), target, &reached, FILE_BEGIN) || reached.QuadPart != target.QuadPart) {
        return false;
    }
    DWORD delivered = 0;
    if (!ReadFile(file.Get(), windowData, fill.bytes, &delivered, nullptr) ||
        !SectorWindowReadIsGood(fill, delivered, fileSize)) {
        return false;
    }
    windowStart = fill.start;
    return true;
}

std::uint32_t UnbufferedFileReader::Read(void* destination, std::uint32_t count) {
    if (!IsOpen() || !windowData || position >= fileSize) {
        return 0;
    }
    const std::uint32_t end =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{position} + count, fileSize));
    const std::uint32_t result = end - position;
    auto* out = static_cast<std::uint8_t*>(destination);
    while (position < end) {
        const bool inWindow =
            windowStart != kNoWindow && position >= windowStart && position - windowStart < windowSize;
        if (!inWindow && !FillWindow()) {
            return 0;
        }
        // A window that ends at the end of the file holds only up to fileSize.
        const std::uint32_t windowEnd =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{windowStart} + windowSize, fileSize));
        const std::uint32_t chunk = std::min(end, windowEnd) - position;
        std::memcpy(out, windowData + (position - windowStart), chunk);
        out += chunk;
        position += chunk;
    }
    return result;
}

std::uint32_t UnbufferedFileReader::Seek(std::int64_t offset, int origin) {
    position = ClampedSeekTarget(position, fileSize, offset, static_cast<SeekOrigin>(std::clamp(origin, 0, 2)));
    return position;
}
