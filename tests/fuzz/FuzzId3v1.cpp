// Fuzzes the ID3 version 1 tag reader: any bytes give terminated fields without trailing blanks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "songfiles/Id3v1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Id3v1Tag tag;
    if (ParseId3v1(tag, data, size)) {
        for (const char* field : {tag.title, tag.artist}) {
            const std::size_t length = std::strlen(field);
            if (length > Id3v1Tag::kFieldBytes ||
                (length > 0 && (field[length - 1] == ' ' || field[length - 1] == '\t'))) {
                std::abort();
            }
        }
    }
    return 0;
}
