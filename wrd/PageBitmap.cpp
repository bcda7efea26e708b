// BMP output of a screen page: the page already is a bottom-up 4-bit DIB, so only the 14-byte file
// header is added in front of it.
#include "wrd/PageBitmap.h"

#include "app/containers/FileSystem.h"

namespace {

void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

}  // namespace

std::vector<std::uint8_t> PageBitmapFile(const ScreenModel& screen, int page) {
    constexpr std::uint32_t kFileHeaderBytes = 14;
    std::vector<std::uint8_t> file;
    file.reserve(kFileHeaderBytes + kPageBytes);
    file.push_back('B');
    file.push_back('M');
    Append32(file, static_cast<std::uint32_t>(kFileHeaderBytes + kPageBytes));
    Append32(file, 0);  // two reserved 16-bit fields
    Append32(file, static_cast<std::uint32_t>(kFileHeaderBytes + kPagePixelOffset));
    const std::uint8_t* image = screen.PageImage(page);
    file.insert(file.end(), image, image + kPageBytes);
    return file;
}

bool WritePageBitmap(const char* path, const ScreenModel& screen, int page) {
    const std::vector<std::uint8_t> file = PageBitmapFile(screen, page);
    return ActiveFileSystem().WriteFileReplacing(path, file.data(), file.size());
}
