// The main window's placement, form and menu rules.
#include "app/MainWindowRules.h"

namespace {

// Hit-test codes of the window system.
constexpr int kHitClient = 1;
constexpr int kHitLeft = 10;
constexpr int kHitRight = 11;
constexpr int kHitTop = 12;
constexpr int kHitTopLeft = 13;
constexpr int kHitTopRight = 14;
constexpr int kHitBottom = 15;
constexpr int kHitBottomLeft = 16;
constexpr int kHitBottomRight = 17;

}  // namespace

const SystemMenuItem kSystemMenuItems[kSystemMenuItemCount] = {
    {0, nullptr},
    {kCmdStop, "停止(&S)\tCtrl+S"},
    {kCmdPlay, "再生(&P)\tCtrl+P"},
    {kCmdPauseResume, "一時停止・再開(&U)\tCtrl+U"},
    {kCmdPrevious, "曲戻し(&B)\tCtrl+B"},
    {kCmdNext, "曲送り(&N)\tCtrl+N"},
    {kCmdEject, "イジェクト(&E)\tCtrl+E"},
    {kCmdRecord, "録音(&R)...\tCtrl+D"},
    {0, nullptr},
    {kCmdTopMost, "常に最前面に表示(&T)"},
    {kCmdFixWindow, "位置固定(&X)"},
    {kCmdFlat, "フラット(&L)"},
    {0, nullptr},
    {kCmdFont, "フォント(&F)..."},
    {kCmdSettings, "設定(&O)..."},
    {0, nullptr},
    {kCmdHelp, "ヘルプ(&Help)\tF1"},
    {kCmdAbout, "Melodrixについて(&A)..."},
};

bool SavedPositionIsUsable(std::int32_t x, std::int32_t y, const ScreenRect& desktop) {
    return x >= desktop.left && x < desktop.right && y >= desktop.top && y < desktop.bottom;
}

int FormFromSetting(std::int32_t value) {
    return value == kFormFlat ? kFormFlat : kFormNormal;
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

int FocusButtonOfCommand(int commandId) {
    switch (commandId) {
        case kCmdStop:
            return 3;
        case kCmdPlay:
            return 4;
        case kCmdPauseResume:
            return 5;
        case kCmdPrevious:
            return 8;
        case kCmdNext:
            return 9;
        case kCmdSkipBack:
            return 6;
        case kCmdSkipForward:
            return 7;
        case kCmdJump:
            return 10;
        default:
            return -1;
    }
}
