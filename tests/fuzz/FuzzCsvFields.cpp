// Fuzzes the comma-separated line splitter and joiner: splitting any line stays inside the field
// buffers, and joining fields then splitting the line gives the same fields back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/containers/CsvFields.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

constexpr int kMaxFields = 8;

// Splits line into count fields of fieldSize bytes, each its own heap block of exactly that size so
// that AddressSanitizer catches the first byte written past it.
void SplitIntoExactBuffers(const std::string& line, int count, size_t fieldSize) {
    std::vector<char*> fields;
    for (int i = 0; i < count; ++i) {
        fields.push_back(static_cast<char*>(std::malloc(fieldSize)));
    }
    const char* rest = SplitCsvFields(fields.data(), count, fieldSize, line.c_str());
    Check(rest >= line.c_str() && rest <= line.c_str() + line.size());
    for (char* field : fields) {
        Check(std::strlen(field) < fieldSize);
        std::free(field);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const int count = 1 + data[0] % kMaxFields;
    const size_t fieldSize = 1 + data[1] % 32;
    // The text up to the first NUL is the line, as the list readers see it.
    std::string line(reinterpret_cast<const char*>(data + 2), size - 2);
    line.resize(std::strlen(line.c_str()));

    SplitIntoExactBuffers(line, count, fieldSize);

    // Round trip: the same bytes cut into count fields, joined, then split again.
    std::vector<std::string> fields(static_cast<size_t>(count));
    for (size_t i = 0; i < line.size(); ++i) {
        fields[i % static_cast<size_t>(count)] += line[i];
    }
    const std::string joined = JoinCsvFields(fields);
    std::vector<std::string> back;
    const char* rest = SplitCsvFields(back, count, joined.c_str());
    Check(back == fields);
    Check(*rest == '\0');

    // The bounded joiner agrees with the string one, or reports that the line did not fit.
    std::vector<const char*> pointers;
    for (const std::string& field : fields) {
        pointers.push_back(field.c_str());
    }
    const size_t outSize = 1 + static_cast<size_t>(data[0] >> 3) * 4;
    std::vector<char> out(outSize);
    if (JoinCsvFields(out.data(), outSize, pointers.data(), count)) {
        Check(joined == out.data());
    } else {
        Check(joined.size() + 1 > outSize && out[0] == '\0');
    }
    return 0;
}
