// mxtool tokenize, csv-split and unique-name: the text helpers as the player applies them.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ArgumentTable.h"
#include "app/containers/CsvFields.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/UniqueFileName.h"
#include "tools/mxtool/Commands.h"

int RunTokenize(int, char** argv) {
    const ArgumentTable table("mxtool", argv[0]);
    std::printf("count: %d\n", table.Count() - 1);
    for (int i = 1; i < table.Count(); ++i) {
        std::printf("token[%d]: %s\n", i, table[i]);
    }
    std::printf("dropped: %d\n", table.DroppedTokens());
    return 0;
}

int RunCsvSplit(int, char** argv) {
    const int count = std::atoi(argv[0]);
    if (count < 1 || count > 64) {
        std::fprintf(stderr, "mxtool: COUNT must be 1 to 64\n");
        return 2;
    }
    std::vector<std::string> fields;
    const char* rest = SplitCsvFields(fields, count, argv[1]);
    for (int i = 0; i < count; ++i) {
        std::printf("field[%d]: %s\n", i, fields[static_cast<size_t>(i)].c_str());
    }
    std::printf("rest: %s\n", rest);
    return 0;
}

int RunUniqueName(int, char** argv) {
    char out[kMaxPathBytes];
    if (!MakeUniqueFileName(out, argv[0], argv[1], argv[2])) {
        std::fprintf(stderr, "mxtool: no free name fits in a path\n");
        return 1;
    }
    std::printf("name: %s\n", out);
    return 0;
}
