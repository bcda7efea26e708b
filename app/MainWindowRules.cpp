// The main window's placement, form and menu rules.
#include "app/MainWindowRules.h"

const SystemMenuItem kSystemMenuItems[kSystemMenuItemCount] = {
    {0, nullptr},
    {IDM_STOP, "停止(&S)\tCtrl+S"},
    {IDM_PLAY, "再生(&P)\tCtrl+P"},
    {IDM_PAUSE_RESUME, "一時停止・再開(&U)\tCtrl+U"},
    {IDM_PREVIOUS, "曲戻し(&B)\tCtrl+B"},
    {IDM_NEXT, "曲送り(&N)\tCtrl+N"},
    {IDM_EJECT, "イジェクト(&E)\tCtrl+E"},
    {IDM_RECORD, "録音(&R)...\tCtrl+D"},
    {0, nullptr},
    {IDM_TOP_MOST, "常に最前面に表示(&T)"},
    {IDM_FIX_WINDOW, "位置固定(&X)"},
    {IDM_FLAT, "フラット(&L)"},
    {0, nullptr},
    {IDM_FONT, "フォント(&F)..."},
    {IDM_SETTINGS, "設定(&O)..."},
    {0, nullptr},
    {IDM_HELP, "ヘルプ(&Help)\tF1"},
    {IDM_ABOUT, "Melodrixについて(&A)..."},
};

bool SavedPositionIsUsable(std::int32_t x, std::int32_t y, const ScreenRect& desktop) {
    return x >= desktop.left && x < desktop.right && y >= desktop.top && y < desktop.bottom;
}

int FormFromSetting(std::int32_t value) {
    return value == kFlatForm ? kFlatForm : kNormalForm;
}

std::int32_t CorrectFlatWidth(std::int32_t width) {
    return width < kLeastFlatWidth ? kLeastFlatWidth : width;
}

int MapFlatHitTest(int hitCode) {
    switch (hitCode) {
        case kHitTop:
        case kHitBottom:
            return kHitClient;
        case kHitTopLeft:
        case kHitBottomLeft:
            return kHitLeft;
        case kHitTopRight:
        case kHitBottomRight:
            return kHitRight;
        default:
            return hitCode;
    }
}
