// Version-1 play lists from "Melodrix.ini" into play list files and the registered-list key,
// with the damaged settings files an old machine may hold.
#include "installer/PlayListConversion.h"

#include <gtest/gtest.h>

#include "installer/InstallReport.h"
#include "tests/unit/installer/InstallerFixture.h"

namespace {

constexpr char kLists[] = "C:\\Lists";

class PlayListConversionTest : public InstallerFixture {
protected:
    void SetUp() override {
        InstallerFixture::SetUp();
        files.AddDirectory(kLists);
    }

    int Convert() {
        PlayListConversion conversion(profiles, report);
        return conversion.Run(kLists);
    }

    std::vector<std::string> Registered() const {
        std::vector<std::string> names;
        for (int i = 0;; ++i) {
            char name[8];
            std::snprintf(name, sizeof name, "%04d", i);
            const std::string value = Text(RegRoot::kCurrentUser, kRegListKeyPath, name);
            if (value == "<none>") {
                return names;
            }
            names.push_back(value);
        }
    }

    InstallReport report;
};

TEST_F(PlayListConversionTest, ConvertsNamesSongsAndVolumesAndRegistersTheFilesInOrder) {
    PutIni(
        "[MxPlayList]\n"
        "Num=4\n"
        "0=Night: songs?\n"
        "1=Same\n"
        "2=\n"
        "3=Same\n"
        "[Night: songs?]\n"
        "Num=3\n"
        "AllVol=80\n"
        "0=C:\\MIDI\\WALTZ.MID,Waltz,\"first, of all\",90\n"
        "1=C:\\MIDI\\NOTITLE.MID,,,abc\n"
        "2=C:\\WAVE\\TAKE.WAV,Take,,-5\n"
        "[Same]\n"
        "Num=1\n"
        "0=D:\\a.mid,A,,100\n");
    EXPECT_EQ(Convert(), 3);
    EXPECT_TRUE(report.Complete()) << report.FinishText();

    const std::vector<std::string> expected = {"C:\\Lists\\Night_ songs_.rpl", "C:\\Lists\\Same.rpl",
                                               "C:\\Lists\\Same_0.rpl"};
    EXPECT_EQ(Registered(), expected);
    EXPECT_EQ(FileText(expected[0]),
              "Melodrix2.0 PlayList,Night: songs?,80\r\n"
              "C:\\MIDI\\WALTZ.MID,Waltz,\"first, of all\",90,-300\r\n"
              "C:\\MIDI\\NOTITLE.MID,NOTITLE,,100,-300\r\n"
              "C:\\WAVE\\TAKE.WAV,Take,,100,-300\r\n");
    EXPECT_EQ(FileText(expected[1]), FileText(expected[2]));
    EXPECT_EQ(FileText(expected[1]), "Melodrix2.0 PlayList,Same,100\r\nD:\\a.mid,A,,100,-300\r\n");
}

TEST_F(PlayListConversionTest, ReplacesAnEarlierRegisteredListWhole) {
    for (const char* name : {"0000", "0001", "0002"}) {
        registry.Put(RegRoot::kCurrentUser, kRegListKeyPath, name, kRegSz, "old", 4);
    }
    PutIni("[MxPlayList]\nNum=1\n0=Only\n");
    EXPECT_EQ(Convert(), 1);
    EXPECT_EQ(Registered(), std::vector<std::string>{"C:\\Lists\\Only.rpl"});
    // A list whose section is missing becomes an empty list of that name.
    EXPECT_EQ(FileText("C:\\Lists\\Only.rpl"), "Melodrix2.0 PlayList,Only,100\r\n");
}

TEST_F(PlayListConversionTest, DamagedSettingsFilesConvertWhatTheyCanAndSaySoForTheRest) {
    const std::string longName(600, 'n');
    const std::string longSong = "C:\\" + std::string(5000, 's') + ".mid";
    const std::string longPath = "C:\\" + std::string(300, 'p') + ".mid,Title";
    PutIni(
        "[MxPlayList]\n"
        "Num=2147483647\n"
        "0=" +
        longName +
        "\n"
        "1=Kept\n"
        "[Kept]\n"
        "Num=4\n"
        "AllVol=abc\n"
        "0=" +
        longSong +
        "\n"
        "1=" +
        longPath +
        "\n"
        "2=C:\\good.mid,Good,,70\n");
    EXPECT_EQ(Convert(), 1);
    EXPECT_EQ(Registered(), std::vector<std::string>{"C:\\Lists\\Kept.rpl"});
    // The overlong song, the overlong path and the missing fourth song are left out; the rest is kept.
    EXPECT_EQ(FileText("C:\\Lists\\Kept.rpl"), "Melodrix2.0 PlayList,Kept,100\r\nC:\\good.mid,Good,,70,-300\r\n");
    ASSERT_EQ(report.Failures().size(), 3u) << report.FinishText();
    EXPECT_NE(report.Failures()[0].find("2147483647"), std::string::npos);
    EXPECT_NE(report.Failures()[1].find("名前が長すぎます"), std::string::npos);
    EXPECT_NE(report.Failures()[2].find("Kept"), std::string::npos);
}

TEST_F(PlayListConversionTest, AListThatCannotBeWrittenIsNeitherLeftHalfWrittenNorRegistered) {
    PutIni("[MxPlayList]\nNum=2\n0=First\n1=Second\n[First]\nNum=1\n0=C:\\a.mid\n");
    files.FailWrites(true);
    EXPECT_EQ(Convert(), 0);
    EXPECT_TRUE(Registered().empty());
    EXPECT_EQ(FileText("C:\\Lists\\First.rpl"), "<none>");
    EXPECT_EQ(report.Failures().size(), 2u);
}

TEST_F(PlayListConversionTest, NoSettingsFileConvertsNothingAndLeavesAnEmptyRegisteredList) {
    EXPECT_EQ(Convert(), 0);
    EXPECT_TRUE(report.Complete());
    EXPECT_TRUE(registry.KeyExists(RegRoot::kCurrentUser, kRegListKeyPath));
    EXPECT_TRUE(Registered().empty());
}

}  // namespace
