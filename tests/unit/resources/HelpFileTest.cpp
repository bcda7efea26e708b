// The compiled help file as the viewer sees it, unpacked with extract_chmLib: its index holds
// exactly the keywords the program looks up, each in the binary keyword index that keyword
// look-ups search and each leading to a page that exists; every page of the contents exists and
// is Shift-JIS as it declares.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "app/containers/TextEncoding.h"
#include "ui/HelpFile.h"
#include "ui/HelpKeywords.h"

namespace {

namespace fs = std::filesystem;

const std::string kHelpFile = MX_HELP_FILE;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A keyword of HelpKeywords.h (compiled to code page 932) as UTF-8 and as UTF-16LE bytes.
std::string Utf8Of(const char* cp932) {
    return EncodeUtf8(DecodeCp932(cp932));
}
std::string Utf16LeOf(const char* cp932) {
    std::string bytes;
    for (char16_t unit : DecodeCp932(cp932)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// The value of the first <param name="..." value="..."> of that name in text, or empty.
std::string ParamValue(const std::string& text, const std::string& name) {
    const std::string opening = "<param name=\"" + name + "\" value=\"";
    const std::size_t start = text.find(opening);
    if (start == std::string::npos) {
        return {};
    }
    const std::size_t valueStart = start + opening.size();
    const std::size_t valueEnd = text.find('"', valueStart);
    return valueEnd == std::string::npos ? std::string() : text.substr(valueStart, valueEnd - valueStart);
}

// Name → Local of every sitemap entry (<OBJECT> … </OBJECT>) that has both.
std::map<std::string, std::string> SitemapLinks(const std::string& sitemap) {
    std::map<std::string, std::string> links;
    std::size_t position = 0;
    while ((position = sitemap.find("<OBJECT", position)) != std::string::npos) {
        const std::size_t end = sitemap.find("</OBJECT>", position);
        const std::string object = sitemap.substr(position, end == std::string::npos ? end : end - position);
        const std::string name = ParamValue(object, "Name");
        const std::string local = ParamValue(object, "Local");
        if (!name.empty() && !local.empty()) {
            links[name] = local;
        }
        position += 7;
    }
    return links;
}

class HelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        if (kHelpFile.empty()) {
            GTEST_SKIP() << "chmcmd was not found when the build was configured, so there is no help file";
        }
        if (std::system("command -v extract_chmLib >/dev/null") != 0) {
            GTEST_SKIP() << "extract_chmLib (package libchm-bin) is not installed";
        }
        unpacked = fs::temp_directory_path() / ("mx-help-" + std::to_string(::getpid()));
        fs::remove_all(unpacked);
        const std::string command = "extract_chmLib '" + kHelpFile + "' '" + unpacked.string() + "' >/dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    }
    void TearDown() override {
        if (!unpacked.empty()) {
            fs::remove_all(unpacked);
        }
    }

    fs::path unpacked;
};

TEST_F(HelpFile, TheIndexHoldsExactlyTheProgramsKeywordsEachLeadingToItsPage) {
    const std::map<std::string, std::string> index = SitemapLinks(ReadText(unpacked / "index.hhk"));
    std::map<std::string, std::string> expected;
    for (const HelpTopic& topic : kHelpTopics) {
        expected[Utf8Of(topic.keyword)] = topic.page;
    }
    // The same pages the program opens itself where a viewer cannot look keywords up.
    EXPECT_EQ(index, expected);
    for (const auto& [name, page] : index) {
        EXPECT_TRUE(fs::is_regular_file(unpacked / page)) << name << " -> " << page;
        EXPECT_GT(fs::file_size(unpacked / page), 200u) << page;
    }
}

TEST_F(HelpFile, EveryKeywordIsInTheBinaryIndexThatLookUpsSearch) {
    const std::string binaryIndex = ReadText(unpacked / "$WWKeywordLinks" / "BTree");
    ASSERT_FALSE(binaryIndex.empty());
    for (const HelpTopic& topic : kHelpTopics) {
        EXPECT_NE(binaryIndex.find(Utf16LeOf(topic.keyword)), std::string::npos) << Utf8Of(topic.keyword);
    }
}

TEST_F(HelpFile, EveryContentsEntryIsAShiftJisPageThatDeclaresIt) {
    const std::map<std::string, std::string> contents = SitemapLinks(ReadText(unpacked / "toc.hhc"));
    ASSERT_GE(contents.size(), 20u);
    for (const auto& [name, page] : contents) {
        const std::string html = ReadText(unpacked / page);
        ASSERT_FALSE(html.empty()) << page;
        EXPECT_NE(html.find("charset=Shift_JIS"), std::string::npos) << page;
        EXPECT_EQ(DecodeCp932(html).find(u'\uFFFD'), std::u16string::npos) << page << " is not Shift-JIS";
    }
    // The contents' names themselves are Shift-JIS, as the viewer reads them in code page 932.
    EXPECT_NE(contents.find(std::string("\x89\x89\x91\x74\x82\xCC\x90\xDD\x92\xE8")), contents.end());
}

TEST_F(HelpFile, TheHelpSeamAcceptsTheCompiledFile) {
    EXPECT_EQ(CheckHelpFile(kHelpFile.c_str()), HelpProblem::kNone);
}

}  // namespace
