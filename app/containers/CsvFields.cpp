// Splitting and joining comma-separated lines. The scan is byte-wise: Shift-JIS trail bytes
// (0x40-0xFC) never equal the comma or the double quote, so double-byte text passes through intact.
#include "app/containers/CsvFields.h"

#include <cstdint>
#include <cstring>

#include "app/containers/ShiftJis.h"

namespace {

// Reads one field starting at line, handing every byte of its value to store. Returns the position
// after the field, past the comma that ended it.
template <typename Store>
const char* ReadField(const char* line, Store store) {
    bool quoted = false;
    const char* p = line;
    while (*p != '\0') {
        if (quoted) {
            if (*p == '"') {
                if (p[1] == '"') {
                    store('"');
                    p += 2;
                    continue;
                }
                quoted = false;
            } else {
                store(*p);
            }
        } else if (*p == ',') {
            return p + 1;
        } else if (*p == '"') {
            quoted = true;
        } else {
            store(*p);
        }
        ++p;
    }
    return p;
}

bool NeedsQuotes(const char* field) {
    return std::strpbrk(field, ",\"") != nullptr;
}

// Appends one field to out in its written form.
void AppendField(std::string& out, const char* field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (const char* p = field; *p != '\0'; ++p) {
        if (*p == '"') {
            out += '"';
        }
        out += *p;
    }
    out += '"';
}

}  // namespace

const char* SplitCsvFields(char* const fields[], int count, size_t fieldSize, const char* line) {
    const char* p = line != nullptr ? line : "";
    for (int i = 0; i < count; ++i) {
        char* field = fields[i];
        size_t used = 0;
        bool cut = false;
        p = ReadField(p, [&](char c) {
            if (used + 1 < fieldSize) {
                field[used++] = c;
            } else {
                cut = true;
            }
        });
        if (fieldSize == 0) {
            continue;
        }
        field[used] = '\0';
        if (cut) {
            // Never leave the lead byte of a double-byte character without its trail.
            size_t kept = 0;
            while (kept < used) {
                size_t step = IsShiftJisLeadByte(static_cast<uint8_t>(field[kept])) ? 2 : 1;
                if (kept + step > used) {
                    break;
                }
                kept += step;
            }
            field[kept] = '\0';
        }
    }
    return line != nullptr ? p : nullptr;
}

const char* SplitCsvFields(std::vector<std::string>& fields, int count, const char* line) {
    fields.assign(count > 0 ? static_cast<size_t>(count) : 0, std::string());
    const char* p = line != nullptr ? line : "";
    for (std::string& field : fields) {
        p = ReadField(p, [&](char c) { field += c; });
    }
    return line != nullptr ? p : nullptr;
}

int JoinCsvFields(char* out, size_t outSize, const char* const* fields, int count) {
    if (outSize == 0) {
        return 0;
    }
    size_t used = 0;
    bool fits = true;
    auto put = [&](char c) {
        if (used + 1 < outSize) {
            out[used++] = c;
        } else {
            fits = false;
        }
    };
    for (int i = 0; i < count && fits; ++i) {
        if (i > 0) {
            put(',');
        }
        const char* field = fields[i] != nullptr ? fields[i] : "";
        bool quote = NeedsQuotes(field);
        if (quote) {
            put('"');
        }
        for (const char* p = field; *p != '\0' && fits; ++p) {
            if (*p == '"') {
                put('"');
            }
            put(*p);
        }
        if (quote) {
            put('"');
        }
    }
    out[fits ? used : 0] = '\0';
    return fits ? 1 : 0;
}

std::string JoinCsvFields(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        AppendField(line, fields[i].c_str());
    }
    return line;
}
