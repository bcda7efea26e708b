// Balance display and scroll arithmetic shared by the play list and CD list editors.
#include "editors/BalanceRules.h"

#include <algorithm>

#include "app/containers/NumberText.h"

BalanceView ShowBalance(std::int32_t balance) {
    BalanceView view;
    if (balance >= kBalanceLeftEnd && balance <= kBalanceRightEnd) {
        view.checked = true;
        view.position = balance;
    } else if (balance >= kBalanceLeftEnd - kBalanceOffShift && balance <= kBalanceRightEnd - kBalanceOffShift) {
        view.position = balance + kBalanceOffShift;
    }
    return view;
}

std::int32_t BalanceFromControls(bool checked, std::int32_t position) {
    return checked ? position : position - kBalanceOffShift;
}

std::optional<std::int32_t> ScrollBalance(std::int32_t position, int code, std::int32_t thumb) {
    std::int32_t next = position;
    switch (code) {
        case kScrollLineLeft:
            next = position - 1;
            break;
        case kScrollLineRight:
            next = position + 1;
            break;
        case kScrollPageLeft:
            next = position - 10;
            break;
        case kScrollPageRight:
            next = position + 10;
            break;
        case kScrollThumbPosition:
            next = thumb;
            break;
        case kScrollLeftEnd:
            next = kBalanceLeftEnd;
            break;
        case kScrollRightEnd:
            next = kBalanceRightEnd;
            break;
        default:
            return std::nullopt;
    }
    return std::clamp(next, kBalanceLeftEnd, kBalanceRightEnd);
}

std::int32_t ListVolumeFromText(const char* text) {
    const std::int32_t volume = ParseIntOr(text, 100);
    return volume < 0 ? 100 : volume;
}
