// The console behaviour of the emulated screen's text plane: cursor, double-byte placement and the
// repair of half-overwritten characters, control codes and escape sequences.
#include "wrd/TextEscapes.h"

#include <algorithm>
#include <cstring>

#include "app/containers/ShiftJis.h"

namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::int64_t kNumberCap = 1000000;  // larger values clamp: nothing on the plane is that far

bool IsDigit(std::uint8_t byte) {
    return byte >= '0' && byte <= '9';
}

// Reads a decimal number at text[pos] after any spaces; answers false when there is no digit.
bool ReadNumber(const std::uint8_t* text, std::size_t length, std::size_t& pos, int& value) {
    while (pos < length && text[pos] == ' ') {
        ++pos;
    }
    if (pos >= length || !IsDigit(text[pos])) {
        return false;
    }
    std::int64_t number = 0;
    while (pos < length && IsDigit(text[pos])) {
        number = std::min(number * 10 + (text[pos] - '0'), kNumberCap);
        ++pos;
    }
    value = static_cast<int>(number);
    return true;
}

// The byte a 0x85 pair stands for.
std::uint8_t HalfWidthOf(std::uint8_t t) {
    if (t >= 0x40 && t <= 0x7E) {
        return static_cast<std::uint8_t>(t - 0x1F);
    }
    if (t >= 0x81 && t <= 0x9E) {
        return static_cast<std::uint8_t>(t - 0x20);
    }
    if (t >= 0x9F && t <= 0xDD) {
        return static_cast<std::uint8_t>(t + 0x40);
    }
    return 0x20;
}

int ClampInt(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

}  // namespace

void TextEscapes::PutString(const char* text) {
    PutBytes(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
}

void TextEscapes::PutBytes(const std::uint8_t* bytes, std::size_t length) {
    TextPlane& text = screen_.Text();
    std::size_t pos = 0;
    while (pos < length && bytes[pos] != 0) {
        const std::uint8_t b = bytes[pos++];
        bool ended = false;
        if (b == 0x08) {
            if (text.cursorPos > 0) {
                --text.cursorPos;
            }
        } else if (b == 0x09) {
            text.cursorPos = (text.cursorPos / 8 + 1) * 8;
        } else if (b == 0x0A) {
            NextRow(true);
        } else if (b == 0x1A) {
            text.cellChars.fill(0);
            text.cellAttrs.fill(0);
            text.cursorPos = 0;
        } else if (b == 0x1E) {
            text.cursorPos = 0;
        } else if (b == kEsc) {
            const std::size_t used = Escape(bytes + pos, length - pos);
            if (used == 0) {
                PutOrdinary(0x20);
            }
            pos += used;
        } else if (b == 0x85 && pos < length && bytes[pos] != 0) {
            PutOrdinary(HalfWidthOf(bytes[pos++]));
        } else if (IsShiftJisLeadByte(b)) {
            const std::uint8_t trail = pos < length ? bytes[pos] : 0;
            ended = PutDoubleByte(b, trail);
            pos += ended ? 0 : 1;
        } else {
            PutOrdinary(b);
        }
        while (text.cursorPos >= kTextCells) {
            ScrollUp();
            text.cursorPos -= kTextColumns;
        }
        if (text.cursorPos < 0) {
            text.cursorPos = 0;
        }
        if (ended) {
            break;
        }
    }
}

// A cell whose other half is about to disappear shows a space; its attribute stays.
void TextEscapes::OrphanToSpace(int index) {
    if (index < 0 || index >= kTextCells) {
        return;
    }
    TextPlane& text = screen_.Text();
    text.cellChars[index] = kBlankChar;
    text.cellKinds[index] = kSingleByte;
    screen_.RefreshCell(index);
}

void TextEscapes::PutOrdinary(std::uint8_t byte) {
    TextPlane& text = screen_.Text();
    const int cursor = text.cursorPos;
    if (text.cellKinds[cursor] == kTrailByte) {
        OrphanToSpace(cursor - 1);
    } else if (text.cellKinds[cursor] == kLeadByte) {
        OrphanToSpace(cursor + 1);
    }
    text.cellChars[cursor] = byte;
    text.cellAttrs[cursor] = text.attribute;
    text.cellKinds[cursor] = kSingleByte;
    screen_.RefreshCell(cursor);
    ++text.cursorPos;
}

bool TextEscapes::PutDoubleByte(std::uint8_t lead, std::uint8_t trail) {
    TextPlane& text = screen_.Text();
    if (text.cursorPos % kTextColumns == kTextColumns - 1) {
        // A character never straddles two rows: the last column gets a blank and it moves on. A
        // blank over the trail of an earlier character repairs that character like any byte.
        PutOrdinary(kBlankChar);
        if (text.cursorPos >= kTextCells) {
            ScrollUp();
            text.cursorPos -= kTextColumns;
        }
    }
    const int cursor = text.cursorPos;
    if (text.cellKinds[cursor] == kTrailByte) {
        OrphanToSpace(cursor - 1);
    }
    if (text.cellKinds[cursor + 1] == kLeadByte) {
        OrphanToSpace(cursor + 2);
    }
    text.cellChars[cursor] = lead;
    text.cellChars[cursor + 1] = trail;
    text.cellAttrs[cursor] = text.attribute;
    text.cellAttrs[cursor + 1] = text.attribute;
    text.cellKinds[cursor] = kLeadByte;
    text.cellKinds[cursor + 1] = kTrailByte;
    text.cursorPos += 2;
    screen_.RefreshCell(cursor);
    return trail == 0;
}

std::size_t TextEscapes::Escape(const std::uint8_t* bytes, std::size_t length) {
    // The sequence ends where the text does, also at a zero byte inside the buffer.
    length = std::find(bytes, bytes + length, 0) - bytes;
    if (length == 0) {
        return 0;
    }
    TextPlane& text = screen_.Text();
    switch (bytes[0]) {
        case ')':
            return length >= 2 ? 2 : 0;
        case '*':
            for (int i = 0; i < kTextCells; ++i) {
                screen_.BlankCell(i);
            }
            screen_.RefreshAll();
            text.cursorPos = 0;
            return 1;
        case '=': {
            if (length < 3) {
                return 0;
            }
            const int row = ClampInt(bytes[1] - 32, 1, kTextRows);
            const int column = ClampInt(bytes[2] - 32, 1, kTextColumns);
            text.cursorPos = (row - 1) * kTextColumns + column - 1;
            return 3;
        }
        case 'D':
            NextRow(false);
            return 1;
        case 'E':
            NextRow(true);
            return 1;
        case 'M':
            PreviousRow();
            return 1;
        case '[':
            return ControlSequence(bytes, length);
        default:
            return 0;
    }
}

// bytes[0] is "["; answers the bytes used including it, 0 when not recognized.
std::size_t TextEscapes::ControlSequence(const std::uint8_t* bytes, std::size_t length) {
    if (length < 2) {
        return 0;
    }
    TextPlane& text = screen_.Text();
    const std::uint8_t first = bytes[1];
    if (first == 's') {
        text.savedCursorPos = text.cursorPos;
        text.savedAttribute = text.attribute;
        return 2;
    }
    if (first == 'u') {
        text.cursorPos = text.savedCursorPos;
        text.attribute = text.savedAttribute;
        return 2;
    }
    if (first == '>') {
        return length >= 4 ? 4 : 0;
    }
    if (!IsDigit(first) && first != ' ') {
        return RunFinal(first, bytes + 1, 0) ? 2 : 0;
    }
    std::size_t end = 1;
    while (end < length && (IsDigit(bytes[end]) || bytes[end] == ';' || bytes[end] == ' ')) {
        ++end;
    }
    if (end >= length) {
        return 0;
    }
    return RunFinal(bytes[end], bytes + 1, end - 1) ? end + 1 : 0;
}

bool TextEscapes::RunFinal(std::uint8_t final, const std::uint8_t* parameters, std::size_t parameterLength) {
    TextPlane& text = screen_.Text();
    std::size_t pos = 0;
    int n = 0;
    ReadNumber(parameters, parameterLength, pos, n);
    const int count = std::max(n, 1);
    const int row = text.cursorPos / kTextColumns;
    const int column = text.cursorPos % kTextColumns;
    switch (final) {
        case 'A':
            text.cursorPos = std::max(row - count, 0) * kTextColumns + column;
            return true;
        case 'B':
            text.cursorPos = std::min(row + count, kTextRows - 1) * kTextColumns + column;
            return true;
        case 'C':
            text.cursorPos = std::min(text.cursorPos + count, kTextCells - 1);
            return true;
        case 'D':
            text.cursorPos = std::max(text.cursorPos - count, 0);
            return true;
        case 'H':
        case 'f': {
            int newRow = 1;
            int newColumn = 1;
            std::size_t at = 0;
            ReadNumber(parameters, parameterLength, at, newRow);
            const std::uint8_t* separator = std::find(parameters, parameters + parameterLength, ';');
            if (separator != parameters + parameterLength) {
                at = separator - parameters + 1;
                ReadNumber(parameters, parameterLength, at, newColumn);
            }
            newRow = ClampInt(newRow, 1, kTextRows);
            newColumn = ClampInt(newColumn, 1, kTextColumns);
            text.cursorPos = (newRow - 1) * kTextColumns + newColumn - 1;
            return true;
        }
        case 'J':
        case 'j':
            EraseInDisplay(n);
            return true;
        case 'K':
            EraseInLine(n);
            return true;
        case 'L':
            InsertRows(n);
            return true;
        case 'M':
            DeleteRows(n);
            return true;
        case 'm':
            SetAttributes(parameters, parameterLength);
            return true;
        case 'n':
        case 'p':
            return true;
        default:
            return false;
    }
}

void TextEscapes::NextRow(bool toColumnZero) {
    TextPlane& text = screen_.Text();
    if (text.cursorPos / kTextColumns == kTextRows - 1) {
        ScrollUp();
    } else {
        text.cursorPos += kTextColumns;
    }
    if (toColumnZero) {
        text.cursorPos -= text.cursorPos % kTextColumns;
    }
}

void TextEscapes::PreviousRow() {
    TextPlane& text = screen_.Text();
    if (text.cursorPos < kTextColumns) {
        ScrollDown();
    } else {
        text.cursorPos -= kTextColumns;
    }
}

// Moves count whole rows from row from to row to in all three arrays (ranges may overlap).
void TextEscapes::MoveRows(int from, int to, int count) {
    TextPlane& text = screen_.Text();
    const std::size_t bytes = static_cast<std::size_t>(count) * kTextColumns;
    for (auto* plane : {&text.cellChars, &text.cellAttrs, &text.cellKinds}) {
        std::memmove(plane->data() + to * kTextColumns, plane->data() + from * kTextColumns, bytes);
    }
}

void TextEscapes::ScrollUp() {
    MoveRows(1, 0, kTextRows - 1);
    Erase((kTextRows - 1) * kTextColumns, kTextCells - 1);
    screen_.RefreshAll();
}

void TextEscapes::ScrollDown() {
    MoveRows(0, 1, kTextRows - 1);
    Erase(0, kTextColumns - 1);
    screen_.RefreshAll();
}

void TextEscapes::Erase(int first, int last) {
    for (int i = std::max(first, 0); i <= std::min(last, kTextCells - 1); ++i) {
        screen_.BlankCell(i);
    }
}

void TextEscapes::EraseInDisplay(int mode) {
    TextPlane& text = screen_.Text();
    const int cursor = text.cursorPos;
    if (mode == 0) {
        Erase(text.cellKinds[cursor] == kTrailByte ? cursor - 1 : cursor, kTextCells - 1);
        screen_.RefreshRange(std::max(cursor - 1, 0), kTextCells - std::max(cursor - 1, 0));
    } else if (mode == 1) {
        Erase(0, text.cellKinds[cursor] == kLeadByte ? cursor + 1 : cursor);
        screen_.RefreshAll();
    } else if (mode == 2) {
        Erase(0, kTextCells - 1);
        screen_.RefreshAll();
        text.cursorPos = 0;
    }
}

void TextEscapes::EraseInLine(int mode) {
    TextPlane& text = screen_.Text();
    const int cursor = text.cursorPos;
    const int rowStart = cursor - cursor % kTextColumns;
    const int rowEnd = rowStart + kTextColumns - 1;
    if (mode == 0) {
        Erase(text.cellKinds[cursor] == kTrailByte ? cursor - 1 : cursor, rowEnd);
    } else if (mode == 1) {
        Erase(rowStart, text.cellKinds[cursor] == kLeadByte ? cursor + 1 : cursor);
    } else if (mode == 2) {
        Erase(rowStart, rowEnd);
    } else {
        return;
    }
    // A repaired neighbour may sit on the row before or after.
    screen_.RefreshRange(std::max(rowStart - 1, 0), kTextColumns + 2);
}

void TextEscapes::InsertRows(int count) {
    TextPlane& text = screen_.Text();
    const int row = text.cursorPos / kTextColumns;
    const int n = std::min(std::max(count, 1), kTextRows - 1 - row);
    if (n <= 0) {
        return;
    }
    MoveRows(row, row + n, kTextRows - row - n);
    Erase(row * kTextColumns, (row + n) * kTextColumns - 1);
    text.cursorPos += n * kTextColumns;
    screen_.RefreshCells(0, row, kTextColumns, kTextRows - row);
}

void TextEscapes::DeleteRows(int count) {
    const int row = screen_.Text().cursorPos / kTextColumns;
    const int n = std::min(std::max(count, 1), kTextRows - row);
    MoveRows(row + n, row, kTextRows - row - n);
    Erase((kTextRows - n) * kTextColumns, kTextCells - 1);
    screen_.RefreshCells(0, row, kTextColumns, kTextRows - row);
}

void TextEscapes::SetAttributes(const std::uint8_t* parameters, std::size_t length) {
    std::uint8_t& attribute = screen_.Text().attribute;
    int values[2] = {};
    int found = 0;
    std::size_t pos = 0;
    for (int field = 0; field < 2 && pos <= length; ++field) {
        if (ReadNumber(parameters, length, pos, values[found])) {
            ++found;
        }
        const std::uint8_t* separator = std::find(parameters + pos, parameters + length, ';');
        if (separator == parameters + length) {
            break;
        }
        pos = separator - parameters + 1;
    }
    if (found == 0) {
        attribute = kDefaultAttribute;
        return;
    }
    static const int kPc98Codes[][2] = {{17, 31}, {18, 34}, {19, 35}, {20, 32}, {21, 33}, {22, 36}, {23, 37}};
    for (int i = 0; i < found; ++i) {
        int v = values[i];
        for (const auto& code : kPc98Codes) {
            if (v == code[0]) {
                v = code[1];
                break;
            }
        }
        if (v >= 0 && v <= 7) {
            attribute = static_cast<std::uint8_t>((attribute & 0x0F) | v << 4);
        } else if (v >= 30 && v <= 37) {
            attribute = static_cast<std::uint8_t>((attribute & 0xF0) | (v - 30));
        } else if (v >= 40 && v <= 47) {
            attribute = static_cast<std::uint8_t>((attribute & 0xF0) | (v - 40 + 8));
        }
    }
}

void TextEscapes::FillTextRect(int x1, int y1, int x2, int y2, int attr, int character) {
    const int left = static_cast<int>(std::max<std::int64_t>(std::int64_t{std::min(x1, x2)} - 1, 0));
    const int right = static_cast<int>(std::min<std::int64_t>(std::int64_t{std::max(x1, x2)} - 1, kTextColumns - 1));
    const int top = static_cast<int>(std::max<std::int64_t>(std::int64_t{std::min(y1, y2)} - 1, 0));
    const int bottom = static_cast<int>(std::min<std::int64_t>(std::int64_t{std::max(y1, y2)} - 1, kTextRows - 1));
    if (left > right || top > bottom) {
        return;  // wholly off the plane
    }
    TextPlane& text = screen_.Text();
    for (int row = top; row <= bottom; ++row) {
        const int start = row * kTextColumns;
        if (left > 0 && text.cellKinds[start + left - 1] == kLeadByte) {
            screen_.BlankCell(start + left - 1);
        }
        if (right < kTextColumns - 1 && text.cellKinds[start + right + 1] == kTrailByte) {
            screen_.BlankCell(start + right + 1);
        }
        for (int column = left; column <= right; ++column) {
            text.cellChars[start + column] = static_cast<std::uint8_t>(character);
            text.cellAttrs[start + column] = static_cast<std::uint8_t>(attr & 15);
            text.cellKinds[start + column] = kSingleByte;
        }
    }
    screen_.RefreshCells(0, top, kTextColumns, bottom - top + 1);
}
