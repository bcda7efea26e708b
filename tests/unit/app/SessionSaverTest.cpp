// When the running player writes its session: only when something that says where it was changed.
#include "app/SessionSaver.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/Settings.h"

namespace {

TEST(SessionSaver, TakesEachChangeOnceAndNothingElse) {
    ResetSettingsToDefaults();
    FileHistory.InsertString(-1, "C:\\Lists\\evening.rpl");
    SessionSaver saver;
    EXPECT_TRUE(saver.TakeChanges(gSettings, FileHistory));  // nothing taken yet
    EXPECT_FALSE(saver.TakeChanges(gSettings, FileHistory));

    const struct {
        const char* name;
        std::function<void()> change;
    } changes[] = {
        {"current song", [] { gSettings.file.LastSong = 3; }},
        {"file play order", [] { gSettings.play.FilePlayMode = 2; }},
        {"CD play order", [] { gSettings.play.CDPlayMode = 1; }},
        {"mode", [] { gSettings.player.LastMode = 2; }},
        {"drive", [] { gSettings.cd.LastDrive[0] = 'E'; }},
        {"a name added", [] { FileHistory.InsertString(-1, "C:\\Music\\a.mid"); }},
        {"names split differently",
         [] {
             FileHistory.Clear();
             FileHistory.InsertString(-1, "C:\\Lists\\evening.rpl");
             FileHistory.InsertString(-1, "C:\\Music\\a.mid");
             FileHistory.InsertString(-1, "");
         }},
    };
    for (const auto& c : changes) {
        c.change();
        EXPECT_TRUE(saver.TakeChanges(gSettings, FileHistory)) << c.name;
        EXPECT_FALSE(saver.TakeChanges(gSettings, FileHistory)) << c.name;
    }
    // Settings the session does not hold are written at the end as before.
    gSettings.player.TopMost = 1;
    EXPECT_FALSE(saver.TakeChanges(gSettings, FileHistory));
    ResetSettingsToDefaults();
}

}  // namespace
