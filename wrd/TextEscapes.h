// Writes byte strings to the screen model's text plane the way a PC-98 console does: Shift-JIS
// placement, control codes and ESC sequences that move the cursor, erase, scroll and set colours.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wrd/ScreenModel.h"

class TextEscapes {
public:
    explicit TextEscapes(ScreenModel& screen) : screen_(screen) {}

    // Processes text up to its terminating zero byte.
    void PutString(const char* text);
    // The same for at most length bytes; a zero byte still ends the text.
    void PutBytes(const std::uint8_t* bytes, std::size_t length);
    // Fills the cells of a rectangle, coordinates counted from 1 and inclusive.
    void FillTextRect(int x1, int y1, int x2, int y2, int attr, int character);

private:
    // Interprets the sequence after an ESC at bytes[0]; answers the bytes it used, 0 when it is not
    // recognized or cut short.
    std::size_t Escape(const std::uint8_t* bytes, std::size_t length);
    std::size_t ControlSequence(const std::uint8_t* bytes, std::size_t length);
    bool RunFinal(std::uint8_t final, const std::uint8_t* parameters, std::size_t parameterLength);
    void PutOrdinary(std::uint8_t byte);
    // Answers true when the text ends with this character.
    bool PutDoubleByte(std::uint8_t lead, std::uint8_t trail);
    void NextRow(bool toColumnZero);
    void PreviousRow();
    void ScrollUp();
    void ScrollDown();
    void MoveRows(int from, int to, int count);
    void Erase(int first, int last);
    void EraseInDisplay(int mode);
    void EraseInLine(int mode);
    void InsertRows(int count);
    void DeleteRows(int count);
    void SetAttributes(const std::uint8_t* parameters, std::size_t length);
    void OrphanToSpace(int index);

    ScreenModel& screen_;
};
