// How the editors show a song's or track's balance with a check box and a scroll bar, and how they
// read it back: a switched-off balance keeps its slider position as position - 300.
#pragma once

#include <cstdint>
#include <optional>

constexpr std::int32_t kBalanceLeftEnd = -100;
constexpr std::int32_t kBalanceRightEnd = 100;
// A switched-off balance is stored this far below its slider position.
constexpr std::int32_t kBalanceOffShift = 300;

struct BalanceView {
    bool checked = false;       // the check box, and the scroll bar's enabled state
    std::int32_t position = 0;  // the scroll bar's position
};

// Within -100 ... 100: checked at that position. Otherwise unchecked, at balance + 300 when the
// balance lies within -400 ... -200, else at 0.
BalanceView ShowBalance(std::int32_t balance);
// The stored balance: the position when checked, else position - 300.
std::int32_t BalanceFromControls(bool checked, std::int32_t position);

// Portable copies of the scroll bar notification codes (pinned to the system's in a _win file).
constexpr int kScrollLineLeft = 0;
constexpr int kScrollLineRight = 1;
constexpr int kScrollPageLeft = 2;
constexpr int kScrollPageRight = 3;
constexpr int kScrollThumbPosition = 4;
constexpr int kScrollLeftEnd = 6;
constexpr int kScrollRightEnd = 7;

// The new slider position after a scroll notification (±1 a line, ±10 a page, the thumb's
// position, the two ends), clamped to -100 ... 100; nothing for the codes the slider ignores.
std::optional<std::int32_t> ScrollBalance(std::int32_t position, int code, std::int32_t thumb);

// An overall volume typed into its edit: decimal, 100 for text that is no number or negative.
std::int32_t ListVolumeFromText(const char* text);
