// The save and rename plan of the play list editor.
#include "editors/PlayListSaver.h"

#include <cstring>
#include <string>

#include "app/containers/FileSystem.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "app/containers/UniqueFileName.h"

namespace {

constexpr char kListExtension[] = ".rpl";
// The old file's name while the list is written under its new one.
constexpr char kSwapTitle[] = "$RPLSWP";
constexpr char kSwapExtension[] = ".TMP";

ListSaveOutcome SaveUnder(const PlayListFile& list, const char* name) {
    ListSaveOutcome outcome;
    if (name[0] != '\0' && list.Save(name)) {
        outcome.result = ListSaveResult::kSaved;
        CopyShiftJis(outcome.savedPath, sizeof outcome.savedPath, name);
    }
    return outcome;
}

ListSaveOutcome SaveUnderNewName(const PlayListFile& list, const char* listFolder) {
    char name[kMaxPathBytes];
    if (!MakeUniqueFileName(name, listFolder, list.title, kListExtension)) {
        return ListSaveOutcome();
    }
    return SaveUnder(list, name);
}

}  // namespace

bool SameFolderText(const char* first, const char* second) {
    return PathKey(first) == PathKey(second);
}

ListSaveOutcome SavePlayList(const PlayListFile& list,
                             const char* path,
                             const char* listFolder,
                             bool titleChanged,
                             bool inListFolder) {
    if (path == nullptr || path[0] == '\0') {
        return SaveUnderNewName(list, listFolder);
    }
    if (!titleChanged || !inListFolder) {
        return SaveUnder(list, path);
    }
    // A list whose file is gone has nothing to move aside.
    FileSystem& files = ActiveFileSystem();
    if (!files.Exists(path)) {
        return SaveUnderNewName(list, listFolder);
    }
    ListSaveOutcome outcome;
    char temporary[kMaxPathBytes];
    if (!MakeUniqueFileName(temporary, listFolder, kSwapTitle, kSwapExtension) || !files.RenameFile(path, temporary)) {
        outcome.result = ListSaveResult::kRenameFailed;
        return outcome;
    }
    // The old name is free now, so an unchanged name comes back as it was.
    outcome = SaveUnderNewName(list, listFolder);
    if (outcome.result == ListSaveResult::kSaved) {
        files.RemoveFile(temporary);
        return outcome;
    }
    if (!files.RenameFile(temporary, path)) {
        // The old list must not vanish: it stays under the temporary name, which the user is told.
        outcome.result = ListSaveResult::kKeptTemporary;
        CopyShiftJis(outcome.temporaryPath, sizeof outcome.temporaryPath, temporary);
    }
    return outcome;
}
