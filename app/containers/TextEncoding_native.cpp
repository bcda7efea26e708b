// Code page 932 natively through the C library's converter, one character at a time so that
// each character it cannot represent is counted.
#include <iconv.h>

#include "app/containers/TextEncoding.h"

#include "app/containers/ShiftJis.h"

namespace {

class Converter {
public:
    Converter() : handle(iconv_open("CP932", "UTF-16LE")) {}
    ~Converter() {
        if (Valid()) {
            iconv_close(handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return handle != reinterpret_cast<iconv_t>(-1); }

    // Appends one character given as one or two UTF-16 units; false when it has no encoding.
    bool Append(const char16_t* units, std::size_t count, std::string& out) {
        char input[4];
        for (std::size_t i = 0; i < count; ++i) {
            input[2 * i] = static_cast<char>(units[i] & 0xFF);
            input[2 * i + 1] = static_cast<char>(units[i] >> 8);
        }
        char output[8];
        char* in = input;
        char* result = output;
        std::size_t inLeft = count * 2;
        std::size_t outLeft = sizeof output;
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle, &in, &inLeft, &result, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
            return false;
        }
        out.append(output, result);
        return true;
    }

private:
    iconv_t handle;
};

}  // namespace

std::size_t EncodeCp932(const std::u16string& text, std::string& out) {
    out.clear();
    Converter converter;
    std::size_t unrepresentable = 0;
    for (std::size_t i = 0; i < text.size();) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        const std::size_t count = pair ? 2 : 1;
        if (text[i] == 0xFFFD || !converter.Valid() || !converter.Append(&text[i], count, out)) {
            out += '?';
            ++unrepresentable;
        }
        i += count;
    }
    return unrepresentable;
}

std::u16string DecodeCp932(const std::string& text) {
    std::u16string out;
    iconv_t handle = iconv_open("UTF-16LE", "CP932");
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        return out;
    }
    for (std::size_t i = 0; i < text.size();) {
        // One character: a lead byte takes its trail byte.
        const std::size_t count =
            IsShiftJisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        char input[2] = {text[i], count == 2 ? text[i + 1] : '\0'};
        char output[8];
        char* in = input;
        char* result = output;
        std::size_t inLeft = count;
        std::size_t outLeft = sizeof output;
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle, &in, &inLeft, &result, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
            out += static_cast<char16_t>(0xFFFD);
        } else {
            for (char* p = output; p + 1 < result; p += 2) {
                out += static_cast<char16_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8);
            }
        }
        i += count;
    }
    iconv_close(handle);
    return out;
}
