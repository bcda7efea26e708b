// The support library against Wine's GDI and shell: cell copies out of a 16-colour strip,
// transparent sprites over a background, and the folder picker driven from a timer.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/MxLib.h"

namespace {

// The 16 colours of the skin bitmaps (0x00BBGGRR), navy at 4 and magenta at 13.
constexpr COLORREF kPalette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                   0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
constexpr int kNavy = 4;
constexpr int kMagenta = 13;
constexpr COLORREF kBackground = 0x123456;

// A device-dependent bitmap made from a 4-bit DIB, as LoadBitmap makes one from a resource.
HBITMAP MakeStrip(int width, int height, const std::vector<std::uint8_t>& indices) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[16];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 4;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 16;
    for (int i = 0; i < 16; ++i) {
        info.colours[i] = {GetBValue(kPalette[i]), GetGValue(kPalette[i]), GetRValue(kPalette[i]), 0};
    }
    const int stride = ((width * 4 + 31) / 32) * 4;
    std::vector<std::uint8_t> bits(stride * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t index = indices[y * width + x] & 15;
            bits[y * stride + x / 2] |= (x % 2) ? index : static_cast<std::uint8_t>(index << 4);
        }
    }
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info.header, CBM_INIT, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                                    DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// A 32-bit top-down canvas selected into a memory context; pixels read back as 0x00BBGGRR.
class Canvas {
public:
    Canvas(int width, int height) : width(width), height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, section);
        for (int i = 0; i < width * height; ++i) {
            bits[i] = ToDib(kBackground);
        }
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(section);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        std::uint32_t v = bits[y * width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    static std::uint32_t ToDib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

    const int width;
    const int height;

private:
    HDC dc = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
};

// The counter's strip: 14 cells of 5 x 9, every pixel's index a function of its cell and place.
constexpr int kCellWidth = 5;
constexpr int kCellHeight = 9;
constexpr int kCells = 14;
int DigitIndex(int cell, int x, int y) {
    return (cell * 3 + x + y * 2) % 16;
}

std::vector<std::uint8_t> DigitStrip() {
    std::vector<std::uint8_t> indices(kCells * kCellWidth * kCellHeight);
    for (int y = 0; y < kCellHeight; ++y) {
        for (int x = 0; x < kCells * kCellWidth; ++x) {
            indices[y * kCells * kCellWidth + x] =
                static_cast<std::uint8_t>(DigitIndex(x / kCellWidth, x % kCellWidth, y));
        }
    }
    return indices;
}

TEST(SupportDrawBitmapEx, CopiesExactlyTheCellAndNothingAround) {
    HBITMAP strip = MakeStrip(kCells * kCellWidth, kCellHeight, DigitStrip());
    ASSERT_NE(strip, nullptr);
    for (int cell : {0, 1, 7, 9, 13}) {
        Canvas canvas(20, 15);
        EXPECT_NE(DrawBitmapEx(canvas.Dc(), strip, 6, 3, kCellWidth, kCellHeight, cell * kCellWidth, 0), 0);
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                bool inside = x >= 6 && x < 6 + kCellWidth && y >= 3 && y < 3 + kCellHeight;
                COLORREF expected = inside ? kPalette[DigitIndex(cell, x - 6, y - 3)] : kBackground;
                ASSERT_EQ(canvas.At(x, y), expected) << "cell " << cell << " at " << x << "," << y;
            }
        }
    }
    DeleteObject(strip);
}

TEST(SupportDrawBitmapEx, CutsCellsOfAGridByRowAndColumn) {
    // 32 x 12 cells four to a row, as the state and device-kind labels are laid out.
    const int width = 128, height = 36;
    std::vector<std::uint8_t> indices(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            indices[y * width + x] = static_cast<std::uint8_t>((x / 32 + 4 * (y / 12) + (x + y) % 2) % 16);
        }
    }
    HBITMAP grid = MakeStrip(width, height, indices);
    ASSERT_NE(grid, nullptr);
    for (int index : {0, 5, 10, 11}) {
        Canvas canvas(32, 12);
        int srcX = (index % 4) * 32, srcY = (index / 4) * 12;
        ASSERT_NE(DrawBitmapEx(canvas.Dc(), grid, 0, 0, 32, 12, srcX, srcY), 0);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 32; ++x) {
                ASSERT_EQ(canvas.At(x, y), kPalette[(index + (x + y) % 2) % 16]) << index << " " << x << "," << y;
            }
        }
    }
    DeleteObject(grid);
}

TEST(SupportDrawBitmapEx, LeavesTheBitmapFreeForTheNextCall) {
    // The bitmap must be deselected afterwards, or the second call could not select it again.
    HBITMAP strip = MakeStrip(kCells * kCellWidth, kCellHeight, DigitStrip());
    Canvas canvas(kCellWidth, kCellHeight);
    for (int round = 0; round < 3; ++round) {
        ASSERT_NE(DrawBitmapEx(canvas.Dc(), strip, 0, 0, kCellWidth, kCellHeight, round * kCellWidth, 0), 0);
        EXPECT_EQ(canvas.At(2, 4), kPalette[DigitIndex(round, 2, 4)]);
    }
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(other, strip);
    EXPECT_NE(previous, nullptr);
    SelectObject(other, previous);
    DeleteDC(other);
    DeleteObject(strip);
}

TEST(SupportDrawBitmapEx, RefusesMissingHandles) {
    Canvas canvas(4, 4);
    EXPECT_EQ(DrawBitmapEx(canvas.Dc(), nullptr, 0, 0, 4, 4, 0, 0), 0);
    EXPECT_EQ(SpriteBitmapBlt(canvas.Dc(), nullptr, 0, 0, 4, 4, 0, 0, kPalette[kNavy]), 0);
    EXPECT_EQ(canvas.At(1, 1), kBackground);
}

// A 24 x 12 glyph with every colour of the palette, navy and magenta scattered through it.
int GlyphIndex(int x, int y) {
    return (x * 5 + y * 3) % 16;
}

TEST(SupportSpriteBitmapBlt, KeepsTheDestinationUnderTheTransparentColourOnly) {
    std::vector<std::uint8_t> indices(72 * 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 72; ++x) {
            // Columns 24..47 hold the glyph; the others are a solid colour that must not show.
            indices[y * 72 + x] = static_cast<std::uint8_t>(x >= 24 && x < 48 ? GlyphIndex(x - 24, y) : 9);
        }
    }
    HBITMAP glyphs = MakeStrip(72, 12, indices);
    ASSERT_NE(glyphs, nullptr);
    struct Case {
        int transparentIndex;
        int otherIndex;
    };
    for (Case c : {Case{kNavy, kMagenta}, Case{kMagenta, kNavy}}) {
        Canvas canvas(38, 16);
        ASSERT_NE(SpriteBitmapBlt(canvas.Dc(), glyphs, 7, 2, 24, 12, 24, 0, kPalette[c.transparentIndex]), 0);
        int kept = 0, other = 0;
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                bool inside = x >= 7 && x < 31 && y >= 2 && y < 14;
                int index = inside ? GlyphIndex(x - 7, y - 2) : -1;
                COLORREF expected = (!inside || index == c.transparentIndex) ? kBackground : kPalette[index];
                ASSERT_EQ(canvas.At(x, y), expected) << "transparent " << c.transparentIndex << " at " << x << "," << y;
                kept += inside && index == c.transparentIndex;
                other += inside && index == c.otherIndex;
            }
        }
        EXPECT_GT(kept, 0);   // the glyph really had transparent pixels
        EXPECT_GT(other, 0);  // and pixels of the other key colour, which were copied
    }
    DeleteObject(glyphs);
}

// ---- The folder picker, driven by a thread timer inside its modal loop ----

struct PickerScript {
    UINT message = WM_COMMAND;
    WPARAM wParam = IDCANCEL;
    // When set, the command waits until the tree shows this item selected (the picker selects
    // its start folder while it settles; confirming earlier would answer another folder).
    const char* waitForSelection = nullptr;
    // The wait for the selection ends when the tree shows it. This deadline is only a safety net
    // against a picker that never selects: a fresh prefix's first shell enumeration takes
    // seconds on a loaded machine.
    DWORD deadline = 0;
    bool selectionSeen = false;
    std::string lastSelection;  // what the tree showed selected when last looked at
    HWND found = nullptr;
    HWND foundOwner = nullptr;
};
PickerScript gScript;
constexpr DWORD kPickerSafetyMs = 20000;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(hwnd)) {
        gScript.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool TreeShowsSelection(HWND dialog, const char* name) {
    HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
    if (!tree) {
        return false;
    }
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    char text[MAX_PATH] = {};
    TVITEMA info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info))) {
        return false;
    }
    gScript.lastSelection = text;
    return lstrcmpiA(text, name) == 0;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    gScript.found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
    if (gScript.found && gScript.waitForSelection) {
        gScript.selectionSeen = TreeShowsSelection(gScript.found, gScript.waitForSelection);
        if (!gScript.selectionSeen && static_cast<LONG>(GetTickCount() - gScript.deadline) < 0) {
            return;
        }
    }
    if (gScript.found) {
        KillTimer(nullptr, timer);
        gScript.foundOwner = GetWindow(gScript.found, GW_OWNER);
        PostMessageA(gScript.found, gScript.message, gScript.wParam, 0);
    }
}

class PathDlgFixture : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "mxlib-picker";
        CreateDirectoryA(folder.c_str(), nullptr);
        gScript = PickerScript();
    }
    void TearDown() override {
        DestroyWindow(owner);
        RemoveDirectoryA(folder.c_str());
    }
    // Runs GetDir while a thread timer, firing inside the picker's modal loop, sends it one message.
    int Run(UINT message, WPARAM wParam, char* path, const char* waitForSelection = nullptr) {
        gScript = PickerScript();
        gScript.message = message;
        gScript.wParam = wParam;
        gScript.waitForSelection = waitForSelection;
        gScript.deadline = GetTickCount() + kPickerSafetyMs;
        // Looks at the picker every 50 ms: the command goes as soon as the tree is ready.
        UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveDialog);
        CPathDlg picker;
        int result = picker.GetDir(owner, path);
        KillTimer(nullptr, timer);
        return result;
    }

    HWND owner = nullptr;
    std::string folder;
};

TEST_F(PathDlgFixture, CancelOrCloseAnswersZeroAndKeepsThePath) {
    struct Case {
        UINT message;
        WPARAM wParam;
    };
    for (Case c : {Case{WM_COMMAND, IDCANCEL}, Case{WM_CLOSE, 0}}) {
        char path[MAX_PATH] = {};
        lstrcpyA(path, folder.c_str());
        EXPECT_EQ(Run(c.message, c.wParam, path), 0);
        EXPECT_NE(gScript.found, nullptr) << "the picker never showed";
        EXPECT_EQ(gScript.foundOwner, owner);
        EXPECT_STREQ(path, folder.c_str());
    }
}

// The picker's tree needs the shell's desktop folder; a prefix whose Desktop is a dangling link
// has none, and the picker can then only be cancelled.
bool ShellNamespaceWorks() {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) {
        return false;
    }
    desktop->Release();
    return true;
}

TEST_F(PathDlgFixture, ConfirmAnswersThePreselectedFolder) {
    if (!ShellNamespaceWorks()) {
        GTEST_SKIP() << "this Wine prefix has no shell desktop folder (its Desktop link is dangling)";
    }
    struct Case {
        std::string start;
    };
    for (Case c : {Case{folder}, Case{folder + "\\"}}) {
        char path[MAX_PATH] = {};
        lstrcpyA(path, c.start.c_str());
        const int answer = Run(WM_COMMAND, IDOK, path, "mxlib-picker");
        ASSERT_TRUE(gScript.selectionSeen) << "the tree never selected the start folder " << c.start
                                           << "; last selected: \"" << gScript.lastSelection << "\"";
        ASSERT_NE(answer, 0) << c.start;
        EXPECT_EQ(lstrcmpiA(path, folder.c_str()), 0) << path;
    }
}

TEST_F(PathDlgFixture, NullBufferAnswersZeroWithoutADialog) {
    CPathDlg picker;
    EXPECT_EQ(picker.GetDir(owner, nullptr), 0);
}

// ---- The player's skin and dialogs as compiled into this test from the resource scripts ----

HBITMAP LoadSkin(int id) {
    return LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

TEST(SkinResources, BitmapsLoadWithTheirSizes) {
    struct Case {
        int id, width, height;
    };
    const Case cases[] = {{1, 38, 16},  {2, 38, 16}, {3, 72, 204}, {4, 128, 48}, {5, 128, 12},
                          {6, 128, 36}, {7, 45, 10}, {8, 45, 10},  {9, 70, 9},   {10, 54, 16}};
    for (const Case& c : cases) {
        HBITMAP bitmap = LoadSkin(c.id);
        ASSERT_NE(bitmap, nullptr) << "bitmap " << c.id;
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, c.width) << "bitmap " << c.id;
        EXPECT_EQ(info.bmHeight, c.height) << "bitmap " << c.id;
        DeleteObject(bitmap);
    }
    for (int id : {1, 2, 3}) {
        EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)), nullptr) << "icon " << id;
    }
}

// Every glyph cell drawn over a face: navy keeps the face, every other pixel is the glyph's own.
TEST(SkinResources, GlyphsDrawOverTheFaceThroughNavy) {
    HBITMAP glyphs = LoadSkin(3);
    HBITMAP face = LoadSkin(1);
    ASSERT_NE(glyphs, nullptr);
    ASSERT_NE(face, nullptr);
    for (int id = 0; id < 17; ++id) {
        for (int column : {0, 24, 48}) {
            Canvas plain(24, 12);
            ASSERT_NE(DrawBitmapEx(plain.Dc(), glyphs, 0, 0, 24, 12, column, id * 12), 0);
            Canvas button(38, 16);
            ASSERT_NE(DrawBitmapEx(button.Dc(), face, 0, 0, 38, 16, 0, 0), 0);
            Canvas bare(38, 16);
            DrawBitmapEx(bare.Dc(), face, 0, 0, 38, 16, 0, 0);
            ASSERT_NE(SpriteBitmapBlt(button.Dc(), glyphs, 7, 2, 24, 12, column, id * 12, RGB(0, 0, 128)), 0);
            int glyphPixels = 0;
            for (int y = 0; y < 12; ++y) {
                for (int x = 0; x < 24; ++x) {
                    COLORREF source = plain.At(x, y);
                    COLORREF expected = source == RGB(0, 0, 128) ? bare.At(x + 7, y + 2) : source;
                    ASSERT_EQ(button.At(x + 7, y + 2), expected) << "id " << id << " column " << column;
                    glyphPixels += source != RGB(0, 0, 128);
                }
            }
            EXPECT_GT(glyphPixels, 0) << "id " << id << " column " << column;
        }
    }
    DeleteObject(glyphs);
    DeleteObject(face);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

std::string WindowText(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

TEST(SkinResources, DialogTemplatesCarryTheirCaptionsSizesAndControls) {
    struct Control {
        int id;
        const char* className;
        const char* text;
    };
    struct Case {
        int id;
        const char* caption;
        int width, height;
        std::vector<Control> controls;
    };
    const Case cases[] = {
        {1,
         "指定曲へのジャンプ",
         217,
         125,
         {{104, "ListBox", ""}, {IDOK, "Button", "OK"}, {IDCANCEL, "Button", "ｷｬﾝｾﾙ"}, {IDHELP, "Button", "ﾍﾙﾌﾟ"}}},
        {2,
         "ＣＤドライブ選択",
         113,
         120,
         {{101, "ListBox", ""}, {IDOK, "Button", "OK"}, {IDCANCEL, "Button", "ｷｬﾝｾﾙ"}, {IDHELP, "Button", "ﾍﾙﾌﾟ"}}},
        {11, "Melodrixについて", 149, 84, {{IDOK, "Button", "OK"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND dialog =
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.id), nullptr, QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(dialog), c.caption);
        RECT units = {0, 0, c.width, c.height};
        MapDialogRect(dialog, &units);
        RECT client = {};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);
        for (const Control& control : c.controls) {
            HWND child = GetDlgItem(dialog, control.id);
            ASSERT_NE(child, nullptr) << "control " << control.id;
            EXPECT_EQ(lstrcmpiA(ClassOf(child).c_str(), control.className), 0) << ClassOf(child);
            EXPECT_EQ(WindowText(child), control.text);
        }
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");
        DestroyWindow(dialog);
    }
}

}  // namespace
