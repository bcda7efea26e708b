// The probe client, pixels and bitmaps, and the songs and play lists the scenarios play.
#include "tests/scenario/ScenarioHelpers_win.h"

#define _USE_MATH_DEFINES
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/support/WaveBytes.h"

bool Image::SaveBmp(const std::string& path) const {
    const DWORD rowBytes = static_cast<DWORD>(width) * 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + rowBytes * height;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                   std::fwrite(pixels.data(), 4, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && written;
}

PlayerProbe::PlayerProbe(HWND playerWindow) : window(playerWindow) {
    message = RegisterWindowMessageA(kProbeMessageName);
    mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeBlock), kProbeMappingName);
    if (mapping) {
        block = static_cast<ProbeBlock*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeBlock)));
    }
    library = LoadLibraryA((DriverDirectory() + "MenuProbe.dll").c_str());
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (library && thread) {
        auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, kProbeHookExport)));
        if (proc)
            hook = SetWindowsHookExA(WH_CALLWNDPROC, proc, library, thread);
    }
}

PlayerProbe::~PlayerProbe() {
    if (hook)
        UnhookWindowsHookEx(hook);
    if (library)
        FreeLibrary(library);
    if (block)
        UnmapViewOfFile(block);
    if (mapping)
        CloseHandle(mapping);
}

bool PlayerProbe::Ask(ProbeRequest request) {
    if (!Ready())
        return false;
    block->request = request;
    block->status = -1;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 10000, &result))
        return false;
    return block->status == 1;
}

std::optional<UINT> PlayerProbe::MenuState(UINT id) {
    if (!Ready())
        return std::nullopt;
    block->argument = static_cast<std::int32_t>(id);
    if (!Ask(ProbeRequest::kMenuItem) || block->value == -1)
        return std::nullopt;
    return static_cast<UINT>(block->value);
}

std::string PlayerProbe::MenuText(UINT id) {
    if (!Ready())
        return {};
    block->argument = static_cast<std::int32_t>(id);
    return Ask(ProbeRequest::kMenuItem) ? std::string(block->text) : std::string();
}

int PlayerProbe::MenuItemCount() {
    return Ask(ProbeRequest::kMenuItemCount) ? block->value : -1;
}

int PlayerProbe::FocusedControl() {
    return Ask(ProbeRequest::kFocus) && block->value != 0 ? block->value2 : -1;
}

bool PlayerProbe::Key(HWND control, UINT key, bool shift) {
    if (!Ready())
        return false;
    block->target = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(control));
    block->argument = static_cast<std::int32_t>(key);
    block->argument2 = shift ? 1 : 0;
    return Ask(ProbeRequest::kKey);
}

bool PlayerProbe::Drop(const std::vector<std::string>& paths) {
    if (!Ready())
        return false;
    std::uint32_t bytes = 0;
    for (const std::string& path : paths) {
        if (bytes + path.size() + 2 > kProbePayloadBytes)
            return false;
        std::memcpy(block->payload + bytes, path.c_str(), path.size() + 1);
        bytes += static_cast<std::uint32_t>(path.size() + 1);
    }
    block->payload[bytes++] = '\0';
    block->payloadBytes = bytes;
    return Ask(ProbeRequest::kDropFiles);
}

std::string PlayerProbe::SendForText(HWND target, UINT message, WPARAM wParam) {
    if (!Ready())
        return {};
    block->target = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(target));
    block->argument = static_cast<std::int32_t>(message);
    block->argument2 = static_cast<std::int32_t>(wParam);
    if (!Ask(ProbeRequest::kSendText))
        return {};
    block->text[sizeof block->text - 1] = '\0';
    return block->text;
}

std::optional<Image> PlayerProbe::Capture() {
    if (!Ask(ProbeRequest::kCapture))
        return std::nullopt;
    Image image;
    image.width = block->width;
    image.height = block->height;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    std::memcpy(image.pixels.data(), block->payload, image.pixels.size() * 4);
    return image;
}

std::string DriverDirectory() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

namespace {

void RemoveFolderFiles(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace

std::string MakeScratchFolder(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "mxscenario\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += std::string(name) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    RemoveFolderFiles(folder);
    return folder;
}

bool WriteSineWave(const std::string& path, double seconds, double frequency) {
    constexpr std::uint32_t kRate = 22050;
    const std::uint32_t frames = static_cast<std::uint32_t>(seconds * kRate);
    std::vector<std::uint8_t> samples;
    samples.reserve(frames * 2);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double sample = 0.25 * std::sin(2 * M_PI * frequency * i / kRate);
        WaveBytes::Append16(samples, static_cast<std::uint32_t>(static_cast<std::int16_t>(sample * 32767)));
    }
    // 16-bit PCM, mono.
    const std::vector<std::uint8_t> file = WaveBytes().Format(1, 1, kRate, 2, 16).Chunk("data", samples).Build();
    return WriteWhole(path, std::string(file.begin(), file.end()));
}

bool WritePlayList(const std::string& path, const std::string& title, const std::vector<ListSong>& songs) {
    std::string text = "Melodrix2.0 PlayList," + title + ",100,\r\n";
    for (const ListSong& song : songs)
        text += song.path + "," + song.title + ",,100,-300,0\r\n";
    return WriteWhole(path, text);
}

std::optional<Image> LoadBitmapResource(const std::string& module, int id) {
    HMODULE resources = LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!resources)
        return std::nullopt;
    HBITMAP bitmap = LoadBitmapA(resources, MAKEINTRESOURCEA(id));
    std::optional<Image> result;
    if (bitmap) {
        BITMAP shape = {};
        GetObjectA(bitmap, sizeof shape, &shape);
        Image image;
        image.width = shape.bmWidth;
        image.height = shape.bmHeight;
        image.pixels.resize(static_cast<size_t>(image.width) * image.height);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = image.width;
        info.bmiHeader.biHeight = -image.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        if (GetDIBits(screen, bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS) == image.height) {
            result = std::move(image);
        }
        ReleaseDC(nullptr, screen);
        DeleteObject(bitmap);
    }
    FreeLibrary(resources);
    return result;
}

Image Crop(const Image& image, int x, int y, int width, int height) {
    Image part;
    part.width = width;
    part.height = height;
    part.pixels.resize(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const int sx = x + column, sy = y + row;
            part.pixels[static_cast<size_t>(row) * width + column] =
                sx >= 0 && sy >= 0 && sx < image.width && sy < image.height ? image.At(sx, sy) : 0xFF000000u;
        }
    }
    return part;
}
