// Recording linked to playback: one song, one file per song, the whole list, or unlinked.
#include "recorder/RecordController.h"

#include <cstdio>

#include "app/containers/PathHelpers.h"
#include "app/containers/UniqueFileName.h"
#include "app/containers/WindowMessages.h"
#include "recorder/RecorderTexts.h"

namespace {

std::string FolderOr(const char* folder, const char* fallback) {
    return folder[0] != '\0' ? folder : fallback;
}

void CopyText(char* out, std::size_t capacity, const std::string& text) {
    std::snprintf(out, capacity, "%s", text.c_str());
}

std::string UniqueName(const std::string& folder, const char* title) {
    char path[kMaxPathBytes];
    MakeUniqueFileName(path, folder.c_str(), title, kWaveExtension);
    return path;
}

}  // namespace

RecordController::RecordController(WaveRecorder& recorder, RecordPlayback& playback, RecordView& view)
    : recorder(recorder), playback(playback), view(view) {}

void RecordController::Load(const Settings::Record& settings, const char* currentDirectory) {
    mode = CorrectRecordMode(settings.Mode);
    singleFolder = FolderOr(settings.LastDirectory_Single, currentDirectory);
    multiFolder = FolderOr(settings.LastDirectory_Multi, currentDirectory);
    fileName = UniqueName(singleFolder, kUntitledBase);
    recording = false;
}

void RecordController::Store(Settings::Record& settings) const {
    settings.Mode = mode;
    CopyText(settings.LastDirectory_Single, sizeof settings.LastDirectory_Single, singleFolder);
    CopyText(settings.LastDirectory_Multi, sizeof settings.LastDirectory_Multi, multiFolder);
}

void RecordController::SetMode(std::int32_t newMode) {
    // The radio buttons are disabled while recording; a stray one changes nothing then.
    if (!recording) {
        mode = CorrectRecordMode(newMode);
    }
}

std::string RecordController::Label() const {
    return NameLabel(mode, singleFolder.c_str());
}

std::string RecordController::NameFieldText() const {
    if (mode == kRecordEachSong) {
        return multiFolder;
    }
    char name[kMaxPathBytes];
    return FileNameOf(name, fileName.c_str()) ? name : fileName;
}

void RecordController::ChooseFile(const char* path) {
    fileName = path;
    char folder[kMaxPathBytes];
    if (DirectoryOf(folder, path) && folder[0] != '\0') {
        // As the current directory reads: no closing separator except at a drive's root.
        std::string chosen = folder;
        if (chosen.size() > 1 && !(chosen.size() == 3 && chosen[1] == ':')) {
            chosen.pop_back();
        }
        singleFolder = chosen;
    }
}

void RecordController::ChooseFolder(const char* folder) {
    multiFolder = folder;
}

template <typename Action>
void RecordController::Guarded(Action action) {
    busy = true;
    action();
    busy = false;
    RunDeferred();
}

// A stop or close asked for while the recorder drained is carried out now; a recording that
// ended by itself (a full disk) brings the dialog to rest before the user is told.
void RecordController::RunDeferred() {
    if (recording && !recorder.IsRecording()) {
        stopRequested = true;
    }
    if ((stopRequested || closeRequested) && recording) {
        busy = true;
        StopRecording();
        busy = false;
    }
    stopRequested = false;
    view.UpdateControls();
    recorder.ShowEndNotice();
    if (closeRequested) {
        closeRequested = false;
        view.EndDialog();
    }
}

void RecordController::OnStartStop() {
    if (busy) {
        // A second click while the recorder drains: the recording stops once it is able to.
        stopRequested = true;
        return;
    }
    Guarded([this] { recording ? StopRecording() : StartRecording(); });
}

bool RecordController::RequestClose() {
    if (busy) {
        closeRequested = true;
        return false;
    }
    if (recording) {
        Guarded([this] { StopRecording(); });
    }
    return true;
}

void RecordController::StartRecording() {
    songCount = playback.GetQueueLength();
    if (songCount <= 0) {
        return;  // recording needs a song list, in every mode
    }
    songIndex = playback.GetCurrentPosition();
    if (mode == kRecordEachSong) {
        // The field shows the series' folder; a folder typed into it is the one used.
        const std::string typed = view.ReadNameField();
        if (!typed.empty()) {
            multiFolder = typed;
        }
        RecordNextSong();
        return;
    }
    fileName = WithWaveExtension(view.ReadNameField());
    if (fileName.empty()) {
        return;
    }
    outputPath = OutputPathIn(singleFolder.c_str(), fileName);
    outputFolder = singleFolder;
    if (FileExists(outputPath.c_str()) && !view.AskOverwrite(fileName.c_str())) {
        return;
    }
    recording = recorder.Start(outputPath.c_str()) != 0;
    if (!recording) {
        return;
    }
    view.ShowOutputPath(outputPath.c_str());
    if (mode != kRecordUnlinked) {
        playback.SetRecorderActive(1);
        playback.Play();
    }
}

void RecordController::RecordNextSong() {
    if (recording) {
        StopRecording();
        ++songIndex;
    }
    if (songIndex >= songCount) {
        return;  // the series is finished
    }
    playback.Select(songIndex);
    char title[512] = {};
    playback.GetCurrentTitle(title, sizeof title);
    outputFolder = multiFolder;
    outputPath = UniqueName(multiFolder, title);
    recording = recorder.Start(outputPath.c_str()) != 0;
    view.ShowOutputPath(outputPath.c_str());
    if (recording) {
        playback.SetRecorderActive(1);
        playback.Play();
    }
}

void RecordController::StopRecording() {
    if (!recording) {
        return;
    }
    recorder.Stop();
    recording = false;
    if (mode != kRecordUnlinked) {
        playback.Stop();
    }
    playback.SetRecorderActive(0);
}

void RecordController::OnPlayerMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    const bool songEnded = message == kMciNotifyMessage && wParam == kNotifySuccessful;
    // Mode 4 leaves the list to the play mode; it never takes the device messages anyway.
    if (!songEnded || !recording || mode == kRecordUnlinked) {
        playback.HandleTimerMessage(message, wParam, lParam);
        return;
    }
    if (busy) {
        // The recording is being stopped and playback with it; the list does not advance.
        return;
    }
    Guarded([this] { OnSongEnded(); });
}

void RecordController::OnSongEnded() {
    switch (mode) {
        case kRecordOneSong:
            StopRecording();
            break;
        case kRecordEachSong:
            RecordNextSong();
            break;
        case kRecordWholeList:
            ++songIndex;
            if (songIndex < songCount) {
                playback.Select(songIndex);
                playback.Play();
            } else {
                StopRecording();
            }
            break;
        default:
            break;
    }
}

void RecordController::OnWaveInMessage(std::uint32_t message, std::uintptr_t header) {
    recorder.OnWaveInMessage(message, header);
    if (!busy && recording && !recorder.IsRecording()) {
        // The file took no more: stop at once, then say why.
        Guarded([] {});
    }
}

void RecordController::OnDestroy() {
    // Buffers dispatched while the recorder drains are written; nothing else is started.
    busy = true;
    if (recording) {
        recorder.Stop();
        recording = false;
    }
    busy = false;
    playback.SetRecorderActive(0);
}
