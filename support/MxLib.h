// The support library's interface as the player and the installer call it: a folder picker and
// two blits that cut cells out of skin bitmaps. Both programs bind MxLib.dll at load time.
#pragma once

#include <windows.h>

#if defined(MX_LIB_BUILD)
#define MX_LIB_API __declspec(dllexport)
#else
#define MX_LIB_API __declspec(dllimport)
#endif

// A modal folder picker. Callers keep the object in local storage for one call of GetDir.
class MX_LIB_API CPathDlg {
public:
    CPathDlg();
    ~CPathDlg();
    CPathDlg(const CPathDlg&) = delete;
    CPathDlg& operator=(const CPathDlg&) = delete;

    // path: a 260-byte caller buffer holding the folder to start from (may be empty or missing).
    // Answers nonzero when the user confirmed a folder, which then fills path (Shift-JIS, no
    // trailing backslash promised); answers 0 on cancel or failure and leaves path as it was.
    int GetDir(HWND owner, char* path);
};

// Copies width x height pixels from (srcX, srcY) of bitmap to (destX, destY) of dc, opaquely.
// Answers nonzero when the copy was made.
MX_LIB_API int DrawBitmapEx(HDC dc, HBITMAP bitmap, int destX, int destY, int width, int height, int srcX, int srcY);

// As DrawBitmapEx, but source pixels of the colour transparent (0x00BBGGRR) leave the
// destination unchanged.
MX_LIB_API int SpriteBitmapBlt(HDC dc,
                               HBITMAP bitmap,
                               int destX,
                               int destY,
                               int width,
                               int height,
                               int srcX,
                               int srcY,
                               COLORREF transparent);
