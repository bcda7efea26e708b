// The help file's check and the messages for help that cannot be shown.
#include "ui/HelpFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/containers/FileSystem.h"
#include "ui/HelpKeywords.h"

namespace {

// A compiled HTML Help file starts with "ITSF" and its header version (2 or 3, little-endian).
constexpr char kHelpSignature[] = "ITSF";

}  // namespace

HelpProblem CheckHelpFile(const char* path) {
    std::vector<std::uint8_t> start;
    if (path == nullptr || *path == '\0' || !ActiveFileSystem().ReadFileRange(path, 0, 8, start)) {
        return HelpProblem::kFileMissing;
    }
    if (start.size() < 8 || std::string(start.begin(), start.begin() + 4) != kHelpSignature) {
        return HelpProblem::kFileDamaged;
    }
    const std::uint32_t version =
        start[4] | start[5] << 8 | start[6] << 16 | static_cast<std::uint32_t>(start[7]) << 24;
    return version == 2 || version == 3 ? HelpProblem::kNone : HelpProblem::kFileDamaged;
}

const char* HelpPageOf(const char* keyword) {
    for (const HelpTopic& topic : kHelpTopics) {
        if (keyword && std::strcmp(topic.keyword, keyword) == 0) {
            return topic.page;
        }
    }
    return nullptr;
}

std::string HelpProblemMessage(HelpProblem problem, const char* path) {
    const std::string file = path ? path : "";
    switch (problem) {
        case HelpProblem::kNone:
            return {};
        case HelpProblem::kFileMissing:
            return "ヘルプファイルが見つかりません。\n" + file;
        case HelpProblem::kFileDamaged:
            return "ヘルプファイルが壊れています。\n" + file;
        case HelpProblem::kViewerMissing:
            return "ヘルプを表示するHTMLヘルプ(hhctrl.ocx)がこのシステムにありません。";
        case HelpProblem::kViewerFailed:
            return "ヘルプを表示できませんでした。\n" + file;
    }
    return {};
}
