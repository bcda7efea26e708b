// Byte-order marks and the decoding of UTF-8 and UTF-16.
#include "app/containers/TextEncoding.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, std::uint32_t codePoint) {
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
        out += static_cast<char16_t>(codePoint);
    }
}

// The length of the UTF-8 sequence a lead byte starts, and the bits it carries; 0 when the byte
// cannot start one.
int Utf8SequenceLength(std::uint8_t lead, std::uint32_t& bits) {
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        bits = lead & 0x1F;
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        bits = lead & 0x0F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}

}  // namespace

ByteOrderMark DetectByteOrderMark(const std::uint8_t* bytes, std::size_t size, std::size_t& markBytes) {
    markBytes = 0;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        markBytes = 3;
        return ByteOrderMark::kUtf8;
    }
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        markBytes = 2;
        return ByteOrderMark::kUtf16Le;
    }
    if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        markBytes = 2;
        return ByteOrderMark::kUtf16Be;
    }
    return ByteOrderMark::kNone;
}

std::u16string DecodeUtf8(const std::uint8_t* bytes, std::size_t size) {
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    std::u16string out;
    out.reserve(size);
    std::size_t i = 0;
    while (i < size) {
        std::uint32_t codePoint = 0;
        const int length = Utf8SequenceLength(bytes[i], codePoint);
        int taken = 1;
        while (taken < length && i + taken < size && (bytes[i + taken] & 0xC0) == 0x80) {
            codePoint = codePoint << 6 | (bytes[i + taken] & 0x3F);
            ++taken;
        }
        const bool whole = length > 0 && taken == length;
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        if (!whole || codePoint < kLeast[length] || (codePoint >= 0xD800 && codePoint <= 0xDFFF) ||
            codePoint > 0x10FFFF) {
            out += kReplacement;
        } else {
            AppendCodePoint(out, codePoint);
        }
        i += taken;
    }
    return out;
}

std::u16string DecodeUtf16(const std::uint8_t* bytes, std::size_t size, bool bigEndian) {
    std::u16string out;
    out.reserve(size / 2 + 1);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const unsigned high = bigEndian ? bytes[i] : bytes[i + 1];
        const unsigned low = bigEndian ? bytes[i + 1] : bytes[i];
        out += static_cast<char16_t>(high << 8 | low);
    }
    if (size % 2 != 0) {
        out += kReplacement;  // half a code unit at the end
    }
    return out;
}

std::string EncodeUtf8(const std::u16string& text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
