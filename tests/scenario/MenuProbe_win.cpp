// The hook DLL loaded into the player by the scenario driver. It runs on the player's user
// interface thread, where the system menu, the focus and the thread's key state are readable
// (another process cannot read a window's menus under Wine).
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "tests/scenario/MenuProbe_win.h"

namespace {

UINT ProbeMessage() {
    static const UINT message = RegisterWindowMessageA(kProbeMessageName);
    return message;
}

// Maps the driver's block for the length of one request.
class MappedBlock {
public:
    MappedBlock() {
        mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kProbeMappingName);
        if (mapping) {
            block = static_cast<ProbeBlock*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeBlock)));
        }
    }
    ~MappedBlock() {
        if (block)
            UnmapViewOfFile(block);
        if (mapping)
            CloseHandle(mapping);
    }
    MappedBlock(const MappedBlock&) = delete;
    MappedBlock& operator=(const MappedBlock&) = delete;
    ProbeBlock* block = nullptr;

private:
    HANDLE mapping = nullptr;
};

void AnswerMenuItem(HWND window, ProbeBlock& block) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    const UINT id = static_cast<UINT>(block.argument);
    block.value = static_cast<std::int32_t>(GetMenuState(menu, id, MF_BYCOMMAND));
    block.text[0] = '\0';
    GetMenuStringA(menu, id, block.text, sizeof block.text, MF_BYCOMMAND);
    block.status = 1;
}

void AnswerFocus(ProbeBlock& block) {
    HWND focus = GetFocus();
    block.value = static_cast<std::int32_t>(reinterpret_cast<UINT_PTR>(focus));
    block.value2 = focus ? GetDlgCtrlID(focus) : -1;
    block.status = 1;
}

// Sends the key to the control with the thread's Shift state set as asked, then puts the
// state back, so GetKeyState inside the control's handler sees the wanted Shift.
void PressKey(ProbeBlock& block) {
    HWND control = reinterpret_cast<HWND>(static_cast<UINT_PTR>(block.target));
    if (!IsWindow(control))
        return;
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE keys[256];
    std::memcpy(keys, saved, sizeof keys);
    const BYTE shift = block.argument2 ? 0x80 : 0;
    keys[VK_SHIFT] = shift;
    keys[VK_LSHIFT] = shift;
    SetKeyboardState(keys);
    SendMessageA(control, WM_KEYDOWN, static_cast<WPARAM>(block.argument), 1);
    SendMessageA(control, WM_KEYUP, static_cast<WPARAM>(block.argument), 0xC0000001);
    SetKeyboardState(saved);
    block.status = 1;
}

// Builds the drop in this process (a drop handle is global memory of the receiving process)
// and hands it to the window at once, so the driver's request returns when the player has
// taken the files in.
void DropFiles(HWND window, ProbeBlock& block) {
    const std::uint32_t bytes = block.payloadBytes;
    if (bytes < 2 || bytes > kProbePayloadBytes)
        return;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
    if (!memory)
        return;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), block.payload, bytes);
    GlobalUnlock(memory);
    // The player finishes the drop (DragFinish frees the memory).
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    block.status = 1;
}

void Capture(HWND window, ProbeBlock& block) {
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0 || static_cast<std::uint32_t>(width * height * 4) > kProbePayloadBytes)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section)
        return;
    HDC windowDc = GetWindowDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HGDIOBJ old = SelectObject(memoryDc, section);
    const BOOL copied = BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(memoryDc, old);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    if (copied) {
        std::memcpy(block.payload, bits, static_cast<size_t>(width) * height * 4);
        block.payloadBytes = static_cast<std::uint32_t>(width * height * 4);
        block.width = width;
        block.height = height;
        block.status = 1;
    }
    DeleteObject(section);
}

void Serve(HWND window) {
    MappedBlock mapped;
    if (!mapped.block)
        return;
    ProbeBlock& block = *mapped.block;
    block.status = 0;
    switch (block.request) {
        case ProbeRequest::kMenuItem:
            AnswerMenuItem(window, block);
            break;
        case ProbeRequest::kMenuItemCount:
            block.value = GetMenuItemCount(GetSystemMenu(window, FALSE));
            block.status = 1;
            break;
        case ProbeRequest::kFocus:
            AnswerFocus(block);
            break;
        case ProbeRequest::kKey:
            PressKey(block);
            break;
        case ProbeRequest::kDropFiles:
            DropFiles(window, block);
            break;
        case ProbeRequest::kSendText: {
            // Messages whose text buffer another process cannot pass (list box rows).
            HWND target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(block.target));
            block.text[0] = '\0';
            block.value = static_cast<std::int32_t>(SendMessageA(target, static_cast<UINT>(block.argument),
                                                                 static_cast<WPARAM>(block.argument2),
                                                                 reinterpret_cast<LPARAM>(block.text)));
            block.status = 1;
            break;
        }
        case ProbeRequest::kCapture:
            Capture(window, block);
            break;
        case ProbeRequest::kNone:
            break;
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    try {
        if (code == HC_ACTION) {
            const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
            if (call->message == ProbeMessage()) {
                Serve(call->hwnd);
            }
        }
    } catch (...) {
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
