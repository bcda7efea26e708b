// Fuzzes the command-line tokenizer and option parser: any bytes, any length, no overrun, and
// for plain input (no quotes, no lead bytes) the tokens are exactly the words between blanks and tabs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ArgumentTable.h"
#include "app/CommandLineParser.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/StartupUi.h"
#include "app/containers/ShiftJis.h"

namespace {

class SilentUi : public StartupUi {
public:
    void ShowCommandLineWarning(const std::string&) override {}
    KillFailureChoice AskKillFailed() override { return KillFailureChoice::kAbort; }
};

std::vector<std::string> SplitAtBlanksAndTabs(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The command line ends at its first NUL, as the system hands it over.
    std::string line(reinterpret_cast<const char*>(data), size);
    line.resize(std::char_traits<char>::length(line.c_str()));

    const ArgumentTable table("C:\\Melodrix\\Melodrix.exe", line.c_str());
    if (table.Count() < 1 || table.Count() > ArgumentTable::kMaxArguments) std::abort();

    bool plain = true;
    for (unsigned char c : line) {
        if (c == '"' || IsShiftJisLeadByte(c)) plain = false;
    }
    if (plain) {
        const std::vector<std::string> words = SplitAtBlanksAndTabs(line);
        const size_t kept = std::min<size_t>(words.size(), ArgumentTable::kMaxArguments - 1);
        if (static_cast<size_t>(table.Count() - 1) != kept) std::abort();
        for (size_t i = 0; i < kept; ++i) {
            if (words[i] != table[static_cast<int>(i + 1)]) std::abort();
        }
    }

    ResetSettingsToDefaults();
    StartOptions options;
    SilentUi ui;
    ApplyCommandLine(table, options, ui);
    if (FileHistory.Count() > table.Count() - 1) std::abort();
    if (gSettings.cd.LastDrive[2] != '\0' && gSettings.cd.LastDrive[0] != '\0') std::abort();
    return 0;
}
