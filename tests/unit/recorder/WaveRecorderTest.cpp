// The recorder's steps, its WAVE file and its failures, against the fake wave-input port.
#include <gtest/gtest.h>

#include <algorithm>

#include "recorder/RecorderTexts.h"
#include "tests/unit/recorder/RecorderTestHelpers.h"

namespace {

constexpr char kPath[] = "C:\\rec\\take.wav";

class WaveRecorderTest : public ::testing::Test {
protected:
    WaveRecorderTest() {
        port.owner = [this](std::uint32_t m, std::uintptr_t h) { recorder.OnWaveInMessage(m, h); };
    }

    const std::vector<std::uint8_t>& File() { return port.disk.files.at(kPath); }

    Settings::Record settings = StereoCdSettings();
    FakeWaveInPort port;
    WaveRecorder recorder{port, settings};
};

TEST(WaveRecorderSettings, BufferCountIsKeptWithinTwoAndEightThousandAndStoredBack) {
    const struct {
        std::int32_t stored;
        std::int32_t used;
    } cases[] = {{1, 2}, {-7, 2}, {2, 2}, {128, 128}, {8192, 8192}, {10000, 8192}};
    for (const auto& c : cases) {
        Settings::Record settings;
        settings.BufferSize = c.stored;
        FakeWaveInPort port;
        WaveRecorder recorder(port, settings);
        EXPECT_EQ(settings.BufferSize, c.used) << c.stored;
        ASSERT_TRUE(recorder.Start(kPath)) << c.stored;
        EXPECT_EQ(port.calls.front(), "allocate " + std::to_string(c.used) + "x4096");
    }
}

TEST(WaveRecorderSettings, DeviceTheSystemLacksBecomesTheMapperAndIsStoredBack) {
    const struct {
        std::int32_t stored;
        std::uint32_t devices;
        std::int32_t used;
    } cases[] = {{5, 2, kWaveInMapper}, {2, 2, kWaveInMapper}, {1, 2, 1}, {0, 0, kWaveInMapper}, {-1, 2, -1}};
    for (const auto& c : cases) {
        Settings::Record settings;
        settings.DeviceID = c.stored;
        FakeWaveInPort port;
        port.deviceCount = c.devices;
        WaveRecorder recorder(port, settings);
        EXPECT_EQ(settings.DeviceID, c.used) << c.stored;
        recorder.Start(kPath);
        EXPECT_EQ(port.openedDevice, c.used) << c.stored;
    }
}

TEST_F(WaveRecorderTest, StartsInOrderAllocateOpenQueueCreateStart) {
    ASSERT_EQ(recorder.Start(kPath), 1);
    EXPECT_TRUE(recorder.IsRecording());
    const std::vector<std::string> expected = {
        "allocate 4x4096",          "open", "prepare 0", "prepare 1", "prepare 2", "prepare 3",
        "create C:\\rec\\take.wav", "start"};
    EXPECT_EQ(port.calls, expected);
    EXPECT_EQ(port.openedFormat.samplesPerSec, 44100u);
}

TEST_F(WaveRecorderTest, CapturedBuffersLandInAValidWaveFileInArrivalOrder) {
    ASSERT_TRUE(recorder.Start(kPath));
    std::vector<std::uint8_t> expected;
    for (std::uint32_t i = 0; i < 10; ++i) {
        // More buffers than the device holds: each one goes back to the device after writing.
        const auto bytes = Noise(i, i == 9 ? 1000 : 4096);
        ASSERT_TRUE(port.Capture(bytes));
        port.DeliverAll();
        expected.insert(expected.end(), bytes.begin(), bytes.end());
    }
    EXPECT_EQ(recorder.BytesRecorded(), expected.size());
    recorder.Stop();

    const auto& file = File();
    const RecordedWave wave = ReadRecorded(file);
    ASSERT_EQ(wave.result, RiffWaveResult::kOk);
    EXPECT_EQ(Le32(file, 4), file.size() - 8);
    EXPECT_EQ(wave.layout.formatSize, 18u);
    EXPECT_EQ(file[36] | file[37] << 8, 0) << "PCM's extra-size field is written, and zero";
    EXPECT_EQ(wave.data, expected);
    EXPECT_FALSE(port.deviceOpen);
    EXPECT_TRUE(port.buffers.empty());
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(WaveRecorderTest, StopRightAfterStartLeavesAValidEmptyFile) {
    ASSERT_TRUE(recorder.Start(kPath));
    recorder.Stop();
    const RecordedWave wave = ReadRecorded(File());
    ASSERT_EQ(wave.result, RiffWaveResult::kOk);
    EXPECT_EQ(wave.layout.dataLength, 0u);
    EXPECT_EQ(File().size(), 46u);
}

TEST_F(WaveRecorderTest, StopWritesWhatTheReturnedBuffersHold) {
    ASSERT_TRUE(recorder.Start(kPath));
    // Filled by the driver but not yet dispatched when the user stops.
    ASSERT_TRUE(port.Capture(Noise(1, 4096)));
    ASSERT_TRUE(port.Capture(Noise(2, 300)));
    recorder.Stop();
    const RecordedWave wave = ReadRecorded(File());
    ASSERT_EQ(wave.result, RiffWaveResult::kOk);
    EXPECT_EQ(wave.layout.dataLength, 4396u);
}

TEST_F(WaveRecorderTest, FormatWithExtraBytesIsWrittenWholeAndAnOddChunkIsPadded) {
    for (std::uint16_t extra : {std::uint16_t{2}, std::uint16_t{3}}) {
        settings.Format = {0x11, 1, 22050, 11100, 512, 4, extra, {}};
        for (std::uint16_t i = 0; i < extra; ++i) {
            settings.Format.extra[i] = static_cast<std::uint8_t>(0xA0 + i);
        }
        ASSERT_TRUE(recorder.Start(kPath));
        ASSERT_TRUE(port.Capture(Noise(3, 1024)));
        recorder.Stop();
        const auto& file = File();
        EXPECT_EQ(Le32(file, 16), 18u + extra);
        EXPECT_EQ(file[20 + 18], 0xA0);
        const std::size_t data = 20 + 18 + extra + (extra & 1);
        EXPECT_EQ(std::string(file.begin() + data, file.begin() + data + 4), "data") << extra;
        EXPECT_EQ(Le32(file, data + 4), 1024u);
        EXPECT_EQ(Le32(file, 4), file.size() - 8);
    }
}

TEST_F(WaveRecorderTest, DeviceOpenFailuresNameTheirReasonAndCreateNoFile) {
    const struct {
        std::uint32_t result;
        const char* reason;
    } cases[] = {{kWaveBadDeviceId, kBadDeviceReason},
                 {kWaveAllocated, kAllocatedReason},
                 {kWaveNoMemory, kSystemNoMemoryReason},
                 {kWaveBadFormat, kBadFormatReason},
                 {1, ""}};
    for (const auto& c : cases) {
        port.messages.clear();
        port.openResult = c.result;
        EXPECT_EQ(recorder.Start(kPath), 0);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(port.messages[0].text, std::string(kOpenFailedText) + c.reason);
        EXPECT_EQ(port.messages[0].caption, kRecordErrorCaption);
        EXPECT_EQ(port.messages[0].style, MessageStyle::kInformation);
        EXPECT_TRUE(port.disk.files.empty());
        EXPECT_TRUE(port.buffers.empty()) << "buffers freed";
        EXPECT_FALSE(recorder.IsRecording());
    }
}

TEST_F(WaveRecorderTest, AllocationFailureIsReportedBeforeTheDeviceOpens) {
    port.allocationFails = true;
    EXPECT_EQ(recorder.Start(kPath), 0);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, kNoMemoryText);
    EXPECT_EQ(port.messages[0].style, MessageStyle::kError);
    EXPECT_EQ(port.openedDevice, -99);
}

TEST_F(WaveRecorderTest, PrepareFailureUndoesThePreparedBuffersInReverse) {
    port.prepareFailsAt = 3;
    EXPECT_EQ(recorder.Start(kPath), 0);
    const std::vector<std::string> tail(port.calls.end() - 7, port.calls.end() - 3);
    const std::vector<std::string> expected = {"unprepare 2", "unprepare 1", "unprepare 0", "message"};
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(port.messages.at(0).text, kPrepareFailedText);
    EXPECT_EQ(port.messages.at(0).style, MessageStyle::kWarning);
    EXPECT_FALSE(port.deviceOpen);
    EXPECT_TRUE(port.disk.files.empty());
}

TEST_F(WaveRecorderTest, FileThatCannotBeCreatedSaysSoWithOnlyAnOkButton) {
    port.createFails = true;
    EXPECT_EQ(recorder.Start(kPath), 0);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, kFileOpenFailedText);
    EXPECT_EQ(port.messages[0].caption, kFileOpenFailedCaption);
    EXPECT_EQ(port.messages[0].style, MessageStyle::kPlain);
    EXPECT_FALSE(port.deviceOpen) << "the queued buffers came back and the device closed";
}

TEST_F(WaveRecorderTest, DeviceThatWillNotStartStopsEverythingThenSaysSo) {
    port.startResult = 1;
    EXPECT_EQ(recorder.Start(kPath), 0);
    EXPECT_EQ(port.calls.back(), "message");
    EXPECT_EQ(port.messages.at(0).text, kStartFailedText);
    EXPECT_FALSE(port.deviceOpen);
    EXPECT_EQ(ReadRecorded(File()).result, RiffWaveResult::kOk);
}

TEST_F(WaveRecorderTest, FullDiskEndsTheRecordingWithAValidFileOfWhatWasWritten) {
    port.disk.freeBytes = 46 + 4096 + 2000;
    ASSERT_TRUE(recorder.Start(kPath));
    const auto first = Noise(1, 4096);
    const auto second = Noise(2, 4096);
    port.Capture(first);
    port.Capture(second);
    port.Capture(Noise(3, 4096));
    port.DeliverAll();
    EXPECT_FALSE(recorder.IsRecording()) << "stopped at once";
    EXPECT_TRUE(recorder.HasEndNotice());
    EXPECT_TRUE(port.messages.empty()) << "the owner says why once it has come to rest";

    const RecordedWave wave = ReadRecorded(File());
    ASSERT_EQ(wave.result, RiffWaveResult::kOk) << "sizes already correct before Stop";
    std::vector<std::uint8_t> expected = first;
    expected.insert(expected.end(), second.begin(), second.begin() + 2000);
    EXPECT_EQ(wave.data, expected);

    recorder.Stop();
    recorder.ShowEndNotice();
    recorder.ShowEndNotice();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, std::string(kWriteFailedText) + kDiskFullReason);
    EXPECT_EQ(ReadRecorded(File()).data, expected);
}

TEST_F(WaveRecorderTest, HeaderThatDoesNotFitLeavesNoFile) {
    port.disk.freeBytes = 20;
    EXPECT_EQ(recorder.Start(kPath), 0);
    EXPECT_TRUE(port.disk.files.empty());
    EXPECT_EQ(port.messages.at(0).text, std::string(kWriteFailedText) + kDiskFullReason);
    EXPECT_FALSE(port.deviceOpen);
}

TEST_F(WaveRecorderTest, RecordingStopsCleanlyBeforeTheRiffSizePassesFourGigabytes) {
    port.disk.countOnly = true;
    settings.BufferSize = 2;
    ASSERT_TRUE(recorder.Start(kPath));
    std::uint64_t buffers = 0;
    while (recorder.IsRecording() && buffers < (std::uint64_t{1} << 21)) {
        port.CaptureFull();
        port.DispatchOneMessage();
        ++buffers;
    }
    const std::uint32_t limit = WaveFileWriter::DataLimit(settings.Format);
    EXPECT_EQ(limit, 0xFFFFFFFFu - 38 - 1);
    EXPECT_EQ(recorder.BytesRecorded(), limit - limit % 4) << "whole frames up to the limit";
    const auto& head = File();
    EXPECT_EQ(Le32(head, 4), 38 + recorder.BytesRecorded());
    EXPECT_EQ(Le32(head, 42), recorder.BytesRecorded());
    EXPECT_EQ(port.disk.sizes.at(kPath), std::uint64_t{46} + recorder.BytesRecorded());
    recorder.Stop();
    recorder.ShowEndNotice();
    EXPECT_EQ(port.messages.at(0).text, kSizeLimitText);
}

TEST_F(WaveRecorderTest, SecondsAreWholeSecondsOfTheFormatAndZeroForAFormatWithoutARate) {
    ASSERT_TRUE(recorder.Start(kPath));
    for (int i = 0; i < 87; ++i) {
        port.Capture(Noise(i, 4096));
        port.DeliverAll();
    }
    EXPECT_EQ(recorder.SecondsRecorded(), 87u * 4096 / 176400);
    settings.Format.avgBytesPerSec = 0;
    EXPECT_EQ(recorder.SecondsRecorded(), 0u);
}

TEST_F(WaveRecorderTest, MessagesDispatchedWhileStoppingNeitherStopNorStartAgain) {
    ASSERT_TRUE(recorder.Start(kPath));
    port.Capture(Noise(1, 4096));
    int startsDuringDrain = 0;
    // A second click on stop and a click on start wait in the queue behind the buffers.
    port.queue.push_front([&] {
        recorder.Stop();
        startsDuringDrain += recorder.Start("C:\\rec\\other.wav");
    });
    recorder.Stop();
    EXPECT_EQ(startsDuringDrain, 0);
    EXPECT_EQ(port.disk.files.count("C:\\rec\\other.wav"), 0u);
    const RecordedWave wave = ReadRecorded(File());
    ASSERT_EQ(wave.result, RiffWaveResult::kOk);
    EXPECT_EQ(wave.layout.dataLength, 4096u) << "the drain went on after the nested calls";
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "close"), 1);
}

TEST_F(WaveRecorderTest, BufferTheDriverRefusesIsUnpreparedAndStopDoesNotWaitForIt) {
    port.addBufferFailsAt = 1;
    ASSERT_TRUE(recorder.Start(kPath));
    EXPECT_FALSE(port.buffers.at(1).prepared);
    ASSERT_TRUE(port.Capture(Noise(1, 4096)));
    // Refused again when the driver hands it back to be requeued.
    port.addBufferFailsAt = 0;
    port.DeliverAll();
    EXPECT_FALSE(port.buffers.at(0).prepared);
    port.dispatchCalls = 0;
    recorder.Stop();
    // Two buffers were still queued: their notifications, and nothing more to wait for.
    EXPECT_EQ(port.dispatchCalls, 2);
    EXPECT_FALSE(port.deviceOpen);
    EXPECT_EQ(ReadRecorded(File()).layout.dataLength, 4096u);
}

TEST_F(WaveRecorderTest, BuffersOfADeviceThatWillNotCloseAreGivenUpNotFreed) {
    ASSERT_TRUE(recorder.Start(kPath));
    port.neverCloses = true;
    recorder.Stop();
    EXPECT_TRUE(port.gaveUpBuffers);
    EXPECT_EQ(ReadRecorded(File()).result, RiffWaveResult::kOk);
}

TEST_F(WaveRecorderTest, ChosenFormatReplacesTheSettingAndCancelKeepsIt) {
    EXPECT_EQ(recorder.ChooseFormat(), 0);
    EXPECT_EQ(port.chooserTitle, kChooseFormatTitle);
    EXPECT_EQ(settings.Format.samplesPerSec, 44100u);
    port.chosen = std::make_unique<WaveFormatRecord>(WaveFormatRecord{kWaveFormatPcm, 1, 8000, 8000, 1, 8, 0, {}});
    EXPECT_EQ(recorder.ChooseFormat(), 1);
    EXPECT_EQ(settings.Format.samplesPerSec, 8000u);
    char text[64];
    recorder.FormatDetails(text, sizeof text);
    EXPECT_STREQ(text, "8000 Hz");
}

TEST_F(WaveRecorderTest, ChosenPcmFormatKeepsNoExtraBytesOfThePreviousFormat) {
    // The chooser wrote only the 16-byte PCM record over an ADPCM format with two extra bytes.
    WaveFormatRecord left = {kWaveFormatPcm, 1, 8000, 8000, 1, 8, 2, {}};
    left.extra[0] = 0xF9;
    left.extra[1] = 0x01;
    port.chosen = std::make_unique<WaveFormatRecord>(left);
    ASSERT_EQ(recorder.ChooseFormat(), 1);
    EXPECT_EQ(settings.Format.extraSize, 0u);
    EXPECT_EQ(settings.Format.extra[0], 0u);
    ASSERT_TRUE(recorder.Start(kPath));
    recorder.Stop();
    EXPECT_EQ(Le32(File(), 16), 18u) << "a PCM fmt chunk is 18 bytes";
    EXPECT_EQ(File().size(), 46u);
}

TEST_F(WaveRecorderTest, NotificationsOfOtherBuffersOrKindsAreIgnored) {
    ASSERT_TRUE(recorder.Start(kPath));
    recorder.OnWaveInMessage(kWaveInOpenMessage, FakeWaveInPort::HeaderOf(0));
    recorder.OnWaveInMessage(kWaveInDataMessage, 0x1234567);
    recorder.Stop();
    recorder.OnWaveInMessage(kWaveInDataMessage, FakeWaveInPort::HeaderOf(0));
    EXPECT_EQ(ReadRecorded(File()).layout.dataLength, 0u);
}

}  // namespace
