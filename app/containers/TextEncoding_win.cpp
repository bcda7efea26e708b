// Code page 932 through Windows' own conversion, one character at a time so that each character
// it cannot represent is counted (and never replaced by a look-alike).
#include <windows.h>

#include "app/containers/TextEncoding.h"

std::size_t EncodeCp932(const std::u16string& text, std::string& out) {
    out.clear();
    std::size_t unrepresentable = 0;
    for (std::size_t i = 0; i < text.size();) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        const int count = pair ? 2 : 1;
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int written = text[i] == 0xFFFD
                                ? 0
                                : WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(&text[i]),
                                                      count, bytes, sizeof bytes, "?", &usedDefault);
        if (written <= 0 || usedDefault) {
            out += '?';
            ++unrepresentable;
        } else {
            out.append(bytes, static_cast<std::size_t>(written));
        }
        i += static_cast<std::size_t>(count);
    }
    return unrepresentable;
}

std::u16string DecodeCp932(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
    if (length > 0) {
        MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(&out[0]),
                            length);
    }
    return out;
}
