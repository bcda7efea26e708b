// The recording dialog's linked modes against fake playback, a fake view and the recorder on
// the fake wave-input port: which files are written, what each holds, and what playback does.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/containers/MemoryFileSystem.h"
#include "app/containers/WindowMessages.h"
#include "recorder/RecordController.h"
#include "recorder/RecorderTexts.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/unit/recorder/RecorderTestHelpers.h"

namespace {

class FakePlayback final : public RecordPlayback {
public:
    explicit FakePlayback(std::vector<std::string>& log) : log(log) {}

    std::vector<std::string> titles;
    int position = 0;
    bool playing = false;
    int recorderActive = 0;
    std::vector<std::uint32_t> passedOn;

    int GetQueueLength() override { return static_cast<int>(titles.size()); }
    int GetCurrentPosition() override { return position; }
    void Select(int newPosition) override {
        position = newPosition;
        log.push_back("select " + std::to_string(newPosition));
    }
    void GetCurrentTitle(char* text, std::size_t capacity) override {
        std::snprintf(text, capacity, "%s", titles.at(position).c_str());
    }
    void Play() override {
        playing = true;
        log.push_back("play");
    }
    void Stop() override {
        playing = false;
        log.push_back("stop playback");
    }
    void HandleTimerMessage(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
        passedOn.push_back(message);
    }
    void SetRecorderActive(int active) override { recorderActive = active; }

private:
    std::vector<std::string>& log;
};

class FakeView final : public RecordView {
public:
    explicit FakeView(std::vector<std::string>& log) : log(log) {}

    std::string nameField;
    bool overwrite = false;
    std::vector<std::string> askedAbout;
    std::vector<std::string> shownPaths;
    int ended = 0;

    std::string ReadNameField() override { return nameField; }
    bool AskOverwrite(const char* fileName) override {
        askedAbout.push_back(fileName);
        return overwrite;
    }
    void ShowOutputPath(const char* path) override { shownPaths.push_back(path); }
    void UpdateControls() override { log.push_back("update"); }
    void EndDialog() override {
        ++ended;
        log.push_back("end dialog");
    }

private:
    std::vector<std::string>& log;
};

constexpr char kMulti[] = "C:\\multi";
constexpr char kSingle[] = "D:\\single";

class RecordControllerTest : public ::testing::Test {
protected:
    RecordControllerTest() {
        port.fileSystem = &files;
        port.owner = [this](std::uint32_t m, std::uintptr_t h) { controller.OnWaveInMessage(m, h); };
        files.AddDirectory(kMulti);
        files.AddDirectory(kSingle);
        std::snprintf(settings.LastDirectory_Multi, sizeof settings.LastDirectory_Multi, "%s", kMulti);
        std::snprintf(settings.LastDirectory_Single, sizeof settings.LastDirectory_Single, "%s", kSingle);
        playback.titles = {"A", "A", ""};
    }
    // As the dialog's WM_DESTROY does before the recorder goes.
    ~RecordControllerTest() override {
        controller.OnDestroy();
        port.owner = nullptr;
    }

    void Begin(std::int32_t mode) {
        settings.Mode = mode;
        controller.Load(settings, "E:\\current");
        controller.OnStartStop();
    }

    // The current song plays: two buffers of its own noise reach the dialog, then its end.
    std::vector<std::uint8_t> PlaySong(std::uint32_t song, bool ends = true) {
        std::vector<std::uint8_t> heard;
        for (std::uint32_t i = 0; i < 2; ++i) {
            const auto bytes = Noise(song * 10 + i, 4096);
            port.Capture(bytes);
            heard.insert(heard.end(), bytes.begin(), bytes.end());
        }
        port.DeliverAll();
        if (ends) {
            controller.OnPlayerMessage(kMciNotifyMessage, kNotifySuccessful, 0);
        }
        return heard;
    }

    std::vector<std::uint8_t> Data(const std::string& path) { return ReadRecorded(port.disk.files.at(path)).data; }

    MemoryFileSystem files;
    ScopedFileSystem scoped{files};
    std::vector<std::string> log;
    Settings::Record settings = StereoCdSettings();
    FakeWaveInPort port;
    WaveRecorder recorder{port, settings};
    FakePlayback playback{port.calls};
    FakeView view{port.calls};
    RecordController controller{recorder, playback, view};
};

TEST_F(RecordControllerTest, EachSongGoesIntoAFileNamedAfterItsTitle) {
    Begin(kRecordEachSong);
    EXPECT_TRUE(controller.IsRecording());
    EXPECT_EQ(playback.recorderActive, 1);
    const auto first = PlaySong(0);
    const auto second = PlaySong(1);
    const auto third = PlaySong(2);

    EXPECT_FALSE(controller.IsRecording());
    EXPECT_EQ(playback.recorderActive, 0);
    EXPECT_FALSE(playback.playing) << "the last song's end stops playback";
    const std::vector<std::string> shown = {"C:\\multi\\A.wav", "C:\\multi\\A_0.wav", "C:\\multi\\00000000.wav"};
    EXPECT_EQ(view.shownPaths, shown);
    EXPECT_EQ(port.disk.files.size(), 3u);
    EXPECT_EQ(Data(shown[0]), first);
    EXPECT_EQ(Data(shown[1]), second);
    EXPECT_EQ(Data(shown[2]), third);
    // Each file is created before its song is selected to play, and closed before the next.
    const auto at = [this](const std::string& call, int nth = 0) {
        auto found = port.calls.begin();
        for (int i = 0; i <= nth; ++i) {
            found = std::find(i == 0 ? port.calls.begin() : found + 1, port.calls.end(), call);
        }
        return found - port.calls.begin();
    };
    EXPECT_LT(at("select 0"), at("create C:\\multi\\A.wav"));
    EXPECT_LT(at("create C:\\multi\\A.wav"), at("play"));
    EXPECT_LT(at("stop playback"), at("select 1"));
    EXPECT_LT(at("select 1"), at("create C:\\multi\\A_0.wav"));
    EXPECT_LT(at("create C:\\multi\\A_0.wav"), at("play", 1));
    EXPECT_LT(at("create C:\\multi\\00000000.wav"), at("play", 2));
    EXPECT_LT(at("play", 2), at("stop playback", 2));
    EXPECT_TRUE(playback.passedOn.empty()) << "the song ends are not handed to the play mode";
}

TEST_F(RecordControllerTest, FolderTypedForASeriesIsTheOneUsed) {
    files.AddDirectory("C:\\typed");
    view.nameField = "C:\\typed";
    Begin(kRecordEachSong);
    EXPECT_EQ(controller.OutputPath(), "C:\\typed\\A.wav");
    EXPECT_EQ(controller.MultiFolder(), "C:\\typed");
}

TEST_F(RecordControllerTest, WholeListGoesIntoOneFileFromTheCurrentSongOn) {
    playback.position = 1;
    view.nameField = "list";
    Begin(kRecordWholeList);
    auto expected = PlaySong(1);
    EXPECT_TRUE(controller.IsRecording());
    EXPECT_EQ(playback.position, 2);
    const auto last = PlaySong(2);
    expected.insert(expected.end(), last.begin(), last.end());

    EXPECT_FALSE(controller.IsRecording());
    EXPECT_EQ(port.disk.files.size(), 1u);
    EXPECT_EQ(Data("D:\\single\\list.wav"), expected);
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "play"), 2);
    EXPECT_EQ(port.calls.back(), "update");
}

TEST_F(RecordControllerTest, OneSongStopsRecordingAndPlaybackAtItsEnd) {
    view.nameField = "one.wav";
    Begin(kRecordOneSong);
    const auto heard = PlaySong(0);
    EXPECT_FALSE(controller.IsRecording());
    EXPECT_FALSE(playback.playing);
    EXPECT_EQ(playback.recorderActive, 0);
    EXPECT_EQ(Data("D:\\single\\one.wav"), heard);
}

TEST_F(RecordControllerTest, UnlinkedRecordingLeavesPlaybackAlone) {
    view.nameField = "free";
    Begin(kRecordUnlinked);
    EXPECT_TRUE(controller.IsRecording());
    EXPECT_EQ(playback.recorderActive, 0);
    EXPECT_FALSE(playback.playing);
    PlaySong(0, false);
    controller.OnPlayerMessage(kMciNotifyMessage, kNotifySuccessful, 0);
    EXPECT_TRUE(controller.IsRecording()) << "a song's end does not stop it";
    EXPECT_EQ(playback.passedOn, std::vector<std::uint32_t>{kMciNotifyMessage});
    controller.OnStartStop();
    EXPECT_FALSE(controller.IsRecording());
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "stop playback"), 0);
    EXPECT_EQ(Data("D:\\single\\free.wav").size(), 8192u);
}

TEST_F(RecordControllerTest, EmptySongListStartsNothingInAnyMode) {
    playback.titles.clear();
    for (std::int32_t mode = kRecordOneSong; mode <= kRecordUnlinked; ++mode) {
        view.nameField = "x";
        Begin(mode);
        EXPECT_FALSE(controller.IsRecording()) << mode;
    }
    EXPECT_TRUE(port.disk.files.empty());
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(RecordControllerTest, TypedNameGetsWavAndAnExistingFileIsOnlyOverwrittenOnYes) {
    files.AddFile("D:\\single\\take.wav");
    view.nameField = "take";
    Begin(kRecordUnlinked);
    EXPECT_EQ(view.askedAbout, std::vector<std::string>{"take.wav"});
    EXPECT_FALSE(controller.IsRecording());
    EXPECT_TRUE(port.disk.files.empty());

    view.overwrite = true;
    controller.OnStartStop();
    EXPECT_TRUE(controller.IsRecording());
    EXPECT_EQ(controller.OutputPath(), "D:\\single\\take.wav");
}

TEST_F(RecordControllerTest, ClicksClosesAndSongEndsDuringTheDrainAreHeldUntilItEnds) {
    Begin(kRecordEachSong);
    PlaySong(0, false);
    port.Capture(Noise(99, 4096));  // still in the queue when the user stops
    // While the recorder drains: a second click, a close and the song's end arrive.
    port.queue.push_front([this] {
        controller.OnStartStop();
        EXPECT_FALSE(controller.RequestClose());
        controller.OnPlayerMessage(kMciNotifyMessage, kNotifySuccessful, 0);
    });
    controller.OnStartStop();

    EXPECT_FALSE(controller.IsRecording());
    EXPECT_EQ(port.disk.files.size(), 1u) << "no next song was started";
    EXPECT_EQ(Data("C:\\multi\\A.wav").size(), 3u * 4096);
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "stop playback"), 1);
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "select 1"), 0);
    EXPECT_EQ(view.ended, 1) << "the close is carried out once the recorder is idle";
    EXPECT_TRUE(playback.passedOn.empty());
}

TEST_F(RecordControllerTest, FullDiskStopsPlaybackThenTellsTheUser) {
    port.disk.freeBytes = 46 + 4096 + 100;
    Begin(kRecordEachSong);
    PlaySong(0, false);
    EXPECT_FALSE(controller.IsRecording());
    EXPECT_EQ(playback.recorderActive, 0);
    EXPECT_FALSE(playback.playing);
    const auto stop = std::find(port.calls.begin(), port.calls.end(), "stop playback");
    const auto message = std::find(port.calls.begin(), port.calls.end(), "message");
    ASSERT_NE(message, port.calls.end());
    EXPECT_LT(stop, message);
    EXPECT_EQ(port.messages.at(0).text, std::string(kWriteFailedText) + kDiskFullReason);
    EXPECT_EQ(Data("C:\\multi\\A.wav").size(), 4196u);
    EXPECT_EQ(port.disk.files.size(), 1u) << "the series ends with the disk";
}

TEST_F(RecordControllerTest, OtherMessagesWhileRecordingGoToThePlayMode) {
    view.nameField = "x";
    Begin(kRecordOneSong);
    controller.OnPlayerMessage(kTimerMessage, 5, 0);
    controller.OnPlayerMessage(kMciNotifyMessage, 4, 0);  // aborted, not a song's end
    controller.OnPlayerMessage(WM_WRDSCREEN_CLOSED, 0, 0);
    const std::vector<std::uint32_t> expected = {kTimerMessage, kMciNotifyMessage, WM_WRDSCREEN_CLOSED};
    EXPECT_EQ(playback.passedOn, expected);
    EXPECT_TRUE(controller.IsRecording());
}

TEST_F(RecordControllerTest, ClosingWhileRecordingStopsFirst) {
    view.nameField = "x";
    Begin(kRecordOneSong);
    EXPECT_TRUE(controller.RequestClose());
    EXPECT_FALSE(controller.IsRecording());
    EXPECT_FALSE(playback.playing);
    EXPECT_EQ(ReadRecorded(port.disk.files.at("D:\\single\\x.wav")).result, RiffWaveResult::kOk);
}

TEST_F(RecordControllerTest, SettingsLoadWithCorrectionsAndAFreshUntitledName) {
    files.AddFile("D:\\single\\untitled.wav");
    settings.Mode = 9;
    settings.LastDirectory_Multi[0] = '\0';
    controller.Load(settings, "E:\\current");
    EXPECT_EQ(controller.Mode(), kRecordOneSong);
    EXPECT_EQ(controller.MultiFolder(), "E:\\current");
    EXPECT_EQ(controller.NameFieldText(), "untitled_0.wav");
    EXPECT_EQ(controller.Label(), "録音ファイル名 (D:\\single)");
    controller.SetMode(kRecordEachSong);
    EXPECT_EQ(controller.Label(), kMultiFolderLabel);
    EXPECT_EQ(controller.NameFieldText(), "E:\\current");

    controller.ChooseFile("F:\\music\\mine.wav");
    controller.ChooseFolder("G:\\series");
    Settings::Record stored;
    controller.Store(stored);
    EXPECT_EQ(stored.Mode, kRecordEachSong);
    EXPECT_STREQ(stored.LastDirectory_Single, "F:\\music");
    EXPECT_STREQ(stored.LastDirectory_Multi, "G:\\series");
    controller.SetMode(kRecordOneSong);
    EXPECT_EQ(controller.NameFieldText(), "mine.wav");
    controller.ChooseFile("H:\\top.wav");
    EXPECT_EQ(controller.SingleFolder(), "H:\\");
}

}  // namespace
