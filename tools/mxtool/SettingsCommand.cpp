// mxtool settings: walks every setting with a key that prints instead of storing.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "app/Settings.h"
#include "app/SettingsKey.h"
#include "tools/mxtool/Commands.h"

namespace {

// Prints each exchanged value as "Key\Value: value", in the walk's own order.
class PrintingSettingsKey : public SettingsKey {
public:
    int Open(RegRoot, const char* path) override {
        const std::string full(path);
        const std::string base = std::string(kSettingsBasePath) + "\\";
        keyName = full.compare(0, base.size(), base) == 0 ? full.substr(base.size()) : full;
        isOpen = 1;
        return 1;
    }
    int Close() override {
        isOpen = 0;
        return 1;
    }
    int Int(const char* name, std::int32_t& variable) override {
        std::printf("%s\\%s: %" PRId32 "\n", keyName.c_str(), name, variable);
        return 1;
    }
    int Block(const char* name, void* buffer, std::uint32_t size) override {
        PrintBytes(name, buffer, size);
        return 1;
    }
    int SizedBlock(const char* name, void* buffer, std::uint32_t size, std::uint32_t) override {
        PrintBytes(name, buffer, size);
        return static_cast<int>(size);
    }
    int Text(const char* name, char* buffer, std::uint32_t) override {
        std::printf("%s\\%s: %s\n", keyName.c_str(), name, buffer);
        return 1;
    }
    int NumberedList(StringList& list) override {
        for (int32_t i = 0; i < list.Count(); ++i) {
            std::printf("%s\\%04d: %s\n", keyName.c_str(), static_cast<int>(i), list.StringAt(i));
        }
        return 1;
    }
    int PackedList(const char* name, StringList& list) override {
        for (int32_t i = 0; i < list.Count(); ++i) {
            std::printf("%s\\%s[%d]: %s\n", keyName.c_str(), name, static_cast<int>(i), list.StringAt(i));
        }
        return 1;
    }
    using SettingsKey::Int;

private:
    void PrintBytes(const char* name, const void* buffer, std::uint32_t size) {
        std::printf("%s\\%s:", keyName.c_str(), name);
        const auto* bytes = static_cast<const unsigned char*>(buffer);
        for (std::uint32_t i = 0; i < size; ++i) {
            std::printf(" %02x", bytes[i]);
        }
        std::printf("\n");
    }

    std::string keyName;
};

}  // namespace

int RunSettings(int, char**) {
    LoadSettings();
    PrintingSettingsKey printer;
    ExchangeSettings(printer);
    return 0;
}
