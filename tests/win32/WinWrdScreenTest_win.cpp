// The emulated screen's window and the text viewer against Wine's GDI and window manager: the
// composed pixels (graphics through the palette, transparent text, reverse boxes with the glyph
// cut out), repaints, scaling, positions, close notifications, and a timing of full redraws.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "ui/framework/ProgramInstance_win.h"
#include "wrd/TextViewer_win.h"
#include "wrd/Virtual98Screen_win.h"

namespace {

// A palette unlike the default one and unlike every text colour, so a pixel tells where it came from.
Palette TestPalette() {
    Palette colours;
    for (int i = 0; i < 16; ++i) {
        colours[i].red = static_cast<std::uint8_t>(10 + i * 13);
        colours[i].green = static_cast<std::uint8_t>(200 - i * 11);
        colours[i].blue = static_cast<std::uint8_t>(40 + i * 9);
    }
    return colours;
}

// Changes every 4 pixels across and every 8 down, so a flipped or shifted page shows.
int PagePattern(int page, int x, int y) {
    return page == 0 ? (x / 4 + (y / 8) * 5) % 16 : (x / 8 + y / 16 + 7) % 16;
}

std::uint32_t Rgb(const PaletteEntry& entry) {
    return std::uint32_t{entry.red} << 16 | std::uint32_t{entry.green} << 8 | entry.blue;
}

// A 32-bit top-down bitmap in a memory context; a pixel reads as 0x00RRGGBB.
class Canvas {
public:
    Canvas(int width, int height) : width(width), height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, bitmap);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return bits[y * width + x] & 0xFFFFFF;
    }

    const int width;
    const int height;
    HDC dc = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
};

// What the window shows now, read back from its own device context.
std::unique_ptr<Canvas> CaptureClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    auto canvas = std::make_unique<Canvas>(client.right, client.bottom);
    HDC source = GetDC(window);
    BitBlt(canvas->dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
    return canvas;
}

// Which pixels of a text are strokes: drawn white on black from its Unicode form with the
// screen's cell font, so a window that misreads the Shift-JIS bytes does not match.
// 1 = stroke, 0 = background, -1 = an anti-aliased edge that proves nothing either way.
std::vector<int> GlyphMask(const wchar_t* text, int cells) {
    const int count = static_cast<int>(std::wcslen(text));
    Canvas canvas(cells * 8, 16);
    LOGFONTA description = {};
    description.lfHeight = 16;
    description.lfWidth = 8;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strcpy(description.lfFaceName, "標準ゴシック");
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    SetBkColor(canvas.dc, RGB(0, 0, 0));
    RECT box = {0, 0, cells * 8, 16};
    const std::vector<INT> advances(count, cells * 8 / count);
    ExtTextOutW(canvas.dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &box, text, count, advances.data());
    SelectObject(canvas.dc, previous);
    DeleteObject(font);
    std::vector<int> mask;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < cells * 8; ++x) {
            const std::uint32_t pixel = canvas.At(x, y);
            mask.push_back(pixel == 0xFFFFFF ? 1 : pixel == 0 ? 0 : -1);
        }
    }
    return mask;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

// Stands in for the main window: counts the two closed notifications.
class Owner {
public:
    Owner() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &Owner::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MxScreenTestOwner";
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(0, "MxScreenTestOwner", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Owner() { DestroyWindow(hwnd); }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    HWND hwnd = nullptr;
    int screenClosed = 0;
    int viewerClosed = 0;
    HWND screenHandleWhenClosed = reinterpret_cast<HWND>(1);
    const Virtual98Screen* screen = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && message == WM_WRDSCREEN_CLOSED && wParam == 0 && lParam == 0) {
            ++self->screenClosed;
            if (self->screen) {
                self->screenHandleWhenClosed = self->screen->hwnd;
            }
            return 0;
        }
        if (self && message == WM_TEXTVIEWER_CLOSED && wParam == 0 && lParam == 0) {
            ++self->viewerClosed;
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
};

class WrdScreenWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        gInstance = GetModuleHandleA(nullptr);
        RegisterVirtual98ScreenClass(gInstance);
        RegisterTextViewerClass(gInstance);
    }

    void SetUp() override {
        gSettings = Settings{};
        gSettings.player.Wrd_x = 0;
        gSettings.player.Wrd_y = 0;
        model.SetPalette(0, TestPalette());
        for (int page = 0; page < 2; ++page) {
            model.SelectPages(page, 0);
            for (int y = 0; y < kPageHeight; ++y) {
                for (int x = 0; x < kPageWidth; ++x) {
                    model.PutPixel(x, y, PagePattern(page, x, y));
                }
            }
        }
        model.SelectPages(0, 0);
        Put(5, 10, "A", 0x01);         // red, transparent over the picture
        Put(5, 20, "W", 0x0C);         // a blue box with the glyph cut out
        Put(5, 30, "\x8A\xBF", 0x0B);  // 漢 in a reverse yellow box
        screen = std::make_unique<Virtual98Screen>(model, owner.hwnd);
        owner.screen = screen.get();
    }

    void TearDown() override { screen.reset(); }

    // Writes bytes from a cell on, double-byte pairs marked as such.
    void Put(int row, int column, const char* bytes, std::uint8_t attribute) {
        TextPlane& text = model.Text();
        const int length = static_cast<int>(std::strlen(bytes));
        for (int i = 0; i < length; ++i) {
            const int cell = row * 80 + column + i;
            text.cellChars[cell] = static_cast<std::uint8_t>(bytes[i]);
            text.cellAttrs[cell] = attribute;
            text.cellKinds[cell] = length == 2 && static_cast<std::uint8_t>(bytes[0]) >= 0x81
                                       ? (i == 0 ? kLeadByte : kTrailByte)
                                       : kSingleByte;
        }
    }

    void OpenAndPaint() {
        screen->Open("WRD表示");
        ASSERT_TRUE(screen->IsOpen());
        UpdateWindow(screen->hwnd);
        Pump();
    }

    std::uint32_t Picture(int page, int x, int y) const { return Rgb(model.PaletteSlot(0)[PagePattern(page, x, y)]); }

    // Checks a text's cells: strokes in strokeColour (or the picture when it is ~0u), the rest in
    // backgroundColour (or the picture). Answers how many stroke pixels were seen.
    // fromCell and toCell limit the check to some of the text's cells.
    int ExpectText(const Canvas& shot,
                   int row,
                   int column,
                   const wchar_t* text,
                   int cells,
                   std::uint32_t strokeColour,
                   std::uint32_t backgroundColour,
                   int fromCell = 0,
                   int toCell = -1) {
        const std::vector<int> mask = GlyphMask(text, cells);
        const int width = cells * 8;
        int strokes = 0;
        int mismatches = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = fromCell * 8; x < (toCell < 0 ? cells : toCell) * 8; ++x) {
                const int kind = mask[y * width + x];
                if (kind < 0) {
                    continue;
                }
                const int px = column * 8 + x, py = row * 16 + y;
                const std::uint32_t wanted = kind ? strokeColour : backgroundColour;
                const std::uint32_t expected = wanted == ~0u ? Picture(model.DisplayPage(), px, py) : wanted;
                strokes += kind;
                if (shot.At(px, py) != expected && ++mismatches <= 3) {
                    ADD_FAILURE() << "pixel " << px << "," << py << (kind ? " (stroke)" : " (background)") << " is "
                                  << std::hex << shot.At(px, py) << ", expected " << expected;
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
        return strokes;
    }

    // Every pixel of a cell equals the displayed page through the current palette.
    void ExpectGraphicsOnly(const Canvas& shot, int row, int column) {
        int mismatches = 0;
        for (int y = row * 16; y < row * 16 + 16; ++y) {
            for (int x = column * 8; x < column * 8 + 8; ++x) {
                mismatches += shot.At(x, y) != Picture(model.DisplayPage(), x, y);
            }
        }
        EXPECT_EQ(mismatches, 0) << "cell " << column << "," << row;
    }

    ScreenModel model;
    Owner owner;
    std::unique_ptr<Virtual98Screen> screen;
};

constexpr std::uint32_t kPictureColour = ~0u;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kYellow = 0xFFFF00;

TEST_F(WrdScreenWindow, BlankCellsShowTheDisplayedPageThroughTheCurrentPalette) {
    OpenAndPaint();
    auto shot = CaptureClient(screen->hwnd);
    ASSERT_EQ(shot->width, 640);
    ASSERT_EQ(shot->height, 400);
    for (const auto& cell : {std::pair<int, int>{0, 0}, {24, 79}, {12, 40}, {5, 11}}) {
        ExpectGraphicsOnly(*shot, cell.first, cell.second);
    }
}

TEST_F(WrdScreenWindow, PlainTextIsTransparentAndReverseTextIsABoxWithThePictureInItsStrokes) {
    OpenAndPaint();
    auto shot = CaptureClient(screen->hwnd);
    EXPECT_GT(ExpectText(*shot, 5, 10, L"A", 1, kRed, kPictureColour), 8);
    EXPECT_GT(ExpectText(*shot, 5, 20, L"W", 1, kPictureColour, kBlue), 8);
    EXPECT_GT(ExpectText(*shot, 5, 30, L"漢", 2, kPictureColour, kYellow), 20);
}

TEST_F(WrdScreenWindow, HiddenLayersLeaveBlackOrPlainGraphics) {
    OpenAndPaint();
    model.SetGraphicsVisible(false);
    auto shot = CaptureClient(screen->hwnd);
    EXPECT_EQ(shot->At(0, 0), 0u);
    EXPECT_EQ(shot->At(639, 399), 0u);
    EXPECT_GT(ExpectText(*shot, 5, 10, L"A", 1, kRed, 0), 8);
    EXPECT_GT(ExpectText(*shot, 5, 20, L"W", 1, 0, kBlue), 8);

    model.SetGraphicsVisible(true);
    model.SetTextVisible(false);
    shot = CaptureClient(screen->hwnd);
    for (int column : {10, 20, 30, 31}) {
        ExpectGraphicsOnly(*shot, 5, column);
    }
}

TEST_F(WrdScreenWindow, RefreshedCellsAppearAtOnceUnlessDrawingIsOff) {
    OpenAndPaint();
    // A block away from the top takes its rows from the right place of the bottom-up page.
    HDC dc = GetDC(screen->hwnd);
    RECT block = {320, 192, 336, 240};
    FillRect(dc, &block, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(screen->hwnd, dc);
    model.RefreshCells(40, 12, 2, 3);
    auto shot = CaptureClient(screen->hwnd);
    for (int row = 12; row < 15; ++row) {
        ExpectGraphicsOnly(*shot, row, 40);
        ExpectGraphicsOnly(*shot, row, 41);
    }

    Put(7, 3, "A", 0x0F);  // white box
    model.RefreshCell(7 * 80 + 3);
    shot = CaptureClient(screen->hwnd);
    ExpectText(*shot, 7, 3, L"A", 1, kPictureColour, 0xFFFFFF);

    // Only the second half of a double-byte character changes colour: the character is drawn
    // whole but only over its own cell.
    model.Text().cellAttrs[5 * 80 + 31] = 0x0D;
    model.RefreshCells(31, 5, 1, 1);
    shot = CaptureClient(screen->hwnd);
    EXPECT_GT(ExpectText(*shot, 5, 30, L"漢", 2, kPictureColour, kYellow, 0, 1), 8);
    EXPECT_GT(ExpectText(*shot, 5, 30, L"漢", 2, kPictureColour, 0xFF00FF, 1, 2), 8);

    model.SetDrawingEnabled(false);
    Put(7, 4, "A", 0x0F);
    model.RefreshCell(7 * 80 + 4);
    shot = CaptureClient(screen->hwnd);
    ExpectGraphicsOnly(*shot, 7, 4);
    model.SetDrawingEnabled(true);
    shot = CaptureClient(screen->hwnd);
    ExpectText(*shot, 7, 4, L"A", 1, kPictureColour, 0xFFFFFF);
}

TEST_F(WrdScreenWindow, OnlyAChangeOfTheDisplayedPageRepaints) {
    OpenAndPaint();
    // A mark drawn straight onto the window survives exactly as long as nothing repaints.
    const auto markAndSwitch = [&](int active, int display) {
        HDC dc = GetDC(screen->hwnd);
        RECT mark = {0, 0, 8, 16};
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        FillRect(dc, &mark, brush);
        DeleteObject(brush);
        ReleaseDC(screen->hwnd, dc);
        model.SelectPages(active, display);
        Pump();
        return CaptureClient(screen->hwnd);
    };
    EXPECT_EQ(markAndSwitch(0, 0)->At(0, 0), 0x010203u) << "same page repainted";
    EXPECT_EQ(markAndSwitch(1, 0)->At(0, 0), 0x010203u) << "active page change repainted";
    EXPECT_EQ(markAndSwitch(9, -1)->At(0, 0), 0x010203u) << "invalid pages repainted";
    auto shot = markAndSwitch(0, 1);
    ExpectGraphicsOnly(*shot, 0, 0);
    ExpectGraphicsOnly(*shot, 12, 40);
    EXPECT_EQ(model.DisplayPage(), 1);
    EXPECT_NE(shot->At(0, 0), Picture(0, 0, 0));
}

TEST_F(WrdScreenWindow, AStretchedWindowShowsTheWholePictureScaled) {
    OpenAndPaint();
    SetWindowPos(screen->hwnd, nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    HDC dc = GetDC(screen->hwnd);
    RECT all = {0, 0, 320, 200};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(screen->hwnd, dc);
    model.RefreshCell(0);  // a one-cell refresh still copies everything, scaled
    auto shot = CaptureClient(screen->hwnd);
    ASSERT_EQ(shot->width, 320);
    int mismatches = 0;
    // The centres of the pattern's 4 x 8 blocks land on these pixels whichever source pixel is kept.
    for (int y = 2; y < 200; y += 4) {
        for (int x = 1; x < 320; x += 2) {
            const bool underText = y / 8 == 5 && x / 4 >= 10 && x / 4 < 32;
            if (!underText) {
                mismatches += shot->At(x, y) != Picture(0, x * 2, y * 2);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(WrdScreenWindow, ASavedPositionOffTheDesktopOpensWhereTheSystemPutsNewWindows) {
    // Where the system puts a pop-up that asks for the default position.
    HWND reference = CreateWindowExA(WS_EX_APPWINDOW, "STATIC", "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 640, 400,
                                     nullptr, nullptr, gInstance, nullptr);
    RECT standard = {};
    GetWindowRect(reference, &standard);
    DestroyWindow(reference);
    struct Case {
        std::int32_t x, y;
        LONG left, top;
    } cases[] = {
        {100, 50, 100, 50},
        {-600, -380, -600, -380},  // a corner still on the desktop
        {5000, 50, standard.left, standard.top},
        {50, -400, standard.left, standard.top},
        {kNoPosition, kNoPosition, standard.left, standard.top},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        gSettings.player.Wrd_x = c.x;
        gSettings.player.Wrd_y = c.y;
        screen->Open("WRD表示");
        RECT placed = {};
        GetWindowRect(screen->hwnd, &placed);
        EXPECT_EQ(placed.left, c.left);
        EXPECT_EQ(placed.top, c.top);
        EXPECT_EQ(placed.right - placed.left, 640);
        EXPECT_EQ(placed.bottom - placed.top, 400);
        screen->Close();
        EXPECT_EQ(gSettings.player.Wrd_x, c.left);  // stored when the window went away
        EXPECT_EQ(gSettings.player.Wrd_y, c.top);
    }
}

TEST_F(WrdScreenWindow, ClosingTellsTheOwnerAndKeepsTheModelForTheNextOpen) {
    OpenAndPaint();
    EXPECT_EQ(GetWindowLongA(screen->hwnd, GWL_STYLE) & 0xFFFF0000, 0x940A0000);
    MoveWindow(screen->hwnd, 120, 70, 640, 400, TRUE);
    SendMessageA(screen->hwnd, WM_CLOSE, 0, 0);  // as the task bar's close does
    EXPECT_FALSE(screen->IsOpen());
    EXPECT_EQ(owner.screenClosed, 1);
    EXPECT_EQ(owner.screenHandleWhenClosed, nullptr) << "the owner must see a screen without a window";
    EXPECT_EQ(gSettings.player.Wrd_x, 120);
    EXPECT_EQ(gSettings.player.Wrd_y, 70);

    // Changed while closed, shown at once when opened again.
    Put(0, 0, "A", 0x0F);
    model.RefreshCell(0);
    OpenAndPaint();
    EXPECT_EQ(owner.screenClosed, 1);
    auto shot = CaptureClient(screen->hwnd);
    ExpectText(*shot, 0, 0, L"A", 1, kPictureColour, 0xFFFFFF);
    ExpectText(*shot, 5, 20, L"W", 1, kPictureColour, kBlue);

    screen->Close();
    screen->Close();
    EXPECT_EQ(owner.screenClosed, 2);
    OpenAndPaint();
    DestroyWindow(screen->hwnd);
    EXPECT_EQ(owner.screenClosed, 3);
    OpenAndPaint();
    screen.reset();  // destroying the object destroys its window
    EXPECT_EQ(owner.screenClosed, 4);
    model.RefreshAll();  // the model no longer reaches the deleted window
}

// The printed client area equals what the window shows, so it can serve for printing and tests.
TEST_F(WrdScreenWindow, PrintClientDrawsTheSamePicture) {
    OpenAndPaint();
    auto shown = CaptureClient(screen->hwnd);
    Canvas printed(640, 400);
    SendMessageA(screen->hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc), PRF_CLIENT);
    int mismatches = 0;
    for (int y = 0; y < 400; y += 3) {
        for (int x = 0; x < 640; x += 3) {
            mismatches += printed.At(x, y) != shown->At(x, y);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Full redraws: every cell recomposed (half of the rows text, a third of those reverse) and copied.
TEST_F(WrdScreenWindow, TimesFullScreenRedraws) {
    for (int row = 0; row < 25; row += 2) {
        for (int column = 0; column < 80; column += 2) {
            Put(row, column, column / 2 % 2 ? "\x8A\xBF" : "AB", static_cast<std::uint8_t>(column / 10 % 3 ? 3 : 0x0D));
        }
    }
    OpenAndPaint();
    constexpr int kFrames = 60;
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    for (int i = 0; i < kFrames; ++i) {
        model.RefreshAll();
    }
    GdiFlush();
    QueryPerformanceCounter(&end);
    const double milliseconds = double(end.QuadPart - begin.QuadPart) * 1000.0 / double(frequency.QuadPart) / kFrames;
    std::printf("full screen compose + present: %.2f ms per frame\n", milliseconds);
    RecordProperty("FullRedrawMicroseconds", static_cast<int>(milliseconds * 1000));
    EXPECT_LT(milliseconds, 250.0);  // far beyond any sane figure: a hang or a per-pixel fallback

    // Text output refreshes cell by cell, so the cost of one small block matters as much.
    constexpr int kCells = 2000;
    QueryPerformanceCounter(&begin);
    for (int i = 0; i < kCells; ++i) {
        model.RefreshCell(i);
    }
    GdiFlush();
    QueryPerformanceCounter(&end);
    const double perCell = double(end.QuadPart - begin.QuadPart) * 1e6 / double(frequency.QuadPart) / kCells;
    std::printf("one-cell compose + present: %.1f us per cell\n", perCell);
    EXPECT_LT(perCell, 20000.0);
}

class TextViewerWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        gInstance = GetModuleHandleA(nullptr);
        RegisterTextViewerClass(gInstance);
    }
    void SetUp() override {
        gSettings = Settings{};
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        path = std::string(folder) + "mx_viewer_test.txt";
        Write(contents);
    }
    void TearDown() override { DeleteFileA(path.c_str()); }

    void Write(const std::string& bytes) const {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    static std::string EditText(const TextViewer& viewer) {
        HWND edit = GetDlgItem(viewer.hwnd, kTextViewerEditId);
        std::string text(GetWindowTextLengthA(edit) + 1, '\0');
        text.resize(GetWindowTextA(edit, &text[0], static_cast<int>(text.size())));
        return text;
    }

    // Shift-JIS with 0x5C second bytes (ソ, 表) and half-width katakana.
    const std::string contents = "曲の解説: ソ表能\r\nｶﾀｶﾅ and ASCII\r\n";
    std::string path;
    Owner owner;
};

TEST_F(TextViewerWindow, ShowsAShiftJisFileUnchangedTitledWithItsPath) {
    TextViewer viewer(owner.hwnd, path.c_str());
    ASSERT_TRUE(viewer.IsOpen());
    EXPECT_EQ(EditText(viewer), contents);
    char title[300] = {};
    GetWindowTextA(viewer.hwnd, title, sizeof title);
    EXPECT_EQ(path, title);
    HWND edit = GetDlgItem(viewer.hwnd, kTextViewerEditId);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)), GetStockObject(SYSTEM_FIXED_FONT));
}

TEST_F(TextViewerWindow, AFileThatCannotBeReadShowsAnEmptyViewer) {
    TextViewer viewer(owner.hwnd, (path + ".missing").c_str());
    ASSERT_TRUE(viewer.IsOpen());
    EXPECT_EQ(EditText(viewer), "");
}

TEST_F(TextViewerWindow, MovesAndResizesAreStoredAndTheEditFillsTheClientArea) {
    gSettings.player.Text_x = 40;
    gSettings.player.Text_y = 30;
    gSettings.player.Text_Width = 300;
    gSettings.player.Text_Height = 200;
    TextViewer viewer(owner.hwnd, path.c_str());
    RECT placed;
    GetWindowRect(viewer.hwnd, &placed);
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right - placed.left, 300);

    MoveWindow(viewer.hwnd, 70, 60, 420, 260, TRUE);
    EXPECT_EQ(gSettings.player.Text_x, 70);
    EXPECT_EQ(gSettings.player.Text_y, 60);
    EXPECT_EQ(gSettings.player.Text_Width, 420);
    EXPECT_EQ(gSettings.player.Text_Height, 260);
    RECT client, edit;
    GetClientRect(viewer.hwnd, &client);
    GetWindowRect(GetDlgItem(viewer.hwnd, kTextViewerEditId), &edit);
    EXPECT_EQ(edit.right - edit.left, client.right);
    EXPECT_EQ(edit.bottom - edit.top, client.bottom);

    ShowWindow(viewer.hwnd, SW_MAXIMIZE);
    Pump();
    EXPECT_EQ(gSettings.player.Text_Width, 420) << "a maximized size must not be stored";
    ShowWindow(viewer.hwnd, SW_MINIMIZE);
    Pump();
    EXPECT_EQ(gSettings.player.Text_x, 70) << "a minimized position must not be stored";
}

TEST_F(TextViewerWindow, ASavedRectangleOffTheDesktopOpensAtTheDefaultPlace) {
    struct Case {
        std::int32_t x, y, width, height;
    } cases[] = {
        {5000, 40, 300, 200},
        {-400, 40, 300, 200},
        {40, -30, 300, 200},  // even the caption above the desktop
        {kNoPosition, kNoPosition, kNoPosition, kNoPosition},
    };
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        gSettings.player.Text_x = c.x;
        gSettings.player.Text_y = c.y;
        gSettings.player.Text_Width = c.width;
        gSettings.player.Text_Height = c.height;
        TextViewer viewer(owner.hwnd, path.c_str());
        RECT placed;
        GetWindowRect(viewer.hwnd, &placed);
        EXPECT_GE(placed.left, desktop.left);
        EXPECT_GE(placed.top, desktop.top);
        EXPECT_LT(placed.left, desktop.right);
        EXPECT_LT(placed.top, desktop.bottom);
        EXPECT_EQ(gSettings.player.Text_x, placed.left);  // the default place is what is stored now
    }
}

TEST_F(TextViewerWindow, ClosingByTheUserTellsTheOwnerAndLeavesTheObject) {
    auto viewer = std::make_unique<TextViewer>(owner.hwnd, path.c_str());
    SendMessageA(viewer->hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(viewer->IsOpen());
    EXPECT_EQ(owner.viewerClosed, 1);
    viewer.reset();
    EXPECT_EQ(owner.viewerClosed, 1);

    viewer = std::make_unique<TextViewer>(owner.hwnd, path.c_str());
    viewer.reset();  // deleting the object destroys its window
    EXPECT_EQ(owner.viewerClosed, 2);
}

}  // namespace
