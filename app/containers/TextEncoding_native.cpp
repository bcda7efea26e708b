// Code page 932 natively through the C library's converter, one character at a time so that
// each character it cannot represent is counted.
#include <iconv.h>

#include "app/containers/TextEncoding.h"

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
