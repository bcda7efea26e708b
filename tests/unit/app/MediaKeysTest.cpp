#include "app/MediaKeys.h"

#include <gtest/gtest.h>

#include "devices/MediaDevice.h"

TEST(MediaKeys, EachKeyActsLikeItsPanelButtonInEveryPlayState) {
    using A = PlayerAction;
    const std::optional<A> none;
    struct Case {
        MediaKey key;
        std::int32_t state;
        std::optional<A> action;
    };
    const Case cases[] = {
        {MediaKey::PlayPause, kModePlay, A::PauseResume},  {MediaKey::PlayPause, kModePause, A::PauseResume},
        {MediaKey::PlayPause, kModeStop, A::Play},         {MediaKey::PlayPause, kModeNotReady, A::Play},
        {MediaKey::Play, kModePause, A::PauseResume},      {MediaKey::Play, kModeStop, A::Play},
        {MediaKey::Play, kModePlay, none},                 {MediaKey::Pause, kModePlay, A::PauseResume},
        {MediaKey::Pause, kModePause, none},               {MediaKey::Pause, kModeStop, none},
        {MediaKey::Stop, kModePlay, A::Stop},              {MediaKey::NextTrack, kModeStop, A::Next},
        {MediaKey::PreviousTrack, kModePause, A::Previous},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MediaKeyAction(c.key, c.state), c.action) << static_cast<int>(c.key) << " in " << c.state;
    }
}

TEST(MediaKeys, AppCommandsAndRegisteredHotKeysMapToKeysOthersToNothing) {
    EXPECT_EQ(MediaKeyOfAppCommand(kAppCommandMediaPlayPause), MediaKey::PlayPause);
    EXPECT_EQ(MediaKeyOfAppCommand(kAppCommandMediaPause), MediaKey::Pause);
    EXPECT_EQ(MediaKeyOfAppCommand(kAppCommandMediaPreviousTrack), MediaKey::PreviousTrack);
    EXPECT_EQ(MediaKeyOfAppCommand(8 /* volume mute */), std::nullopt);

    const MediaKey expected[] = {MediaKey::PlayPause, MediaKey::Stop, MediaKey::NextTrack, MediaKey::PreviousTrack};
    for (int i = 0; i < kMediaHotKeyCount; ++i) {
        EXPECT_EQ(MediaKeyOfHotKey(kMediaHotKeyFirstId + i), expected[i]);
    }
    EXPECT_EQ(MediaKeyOfHotKey(kMediaHotKeyFirstId - 1), std::nullopt);
    EXPECT_EQ(MediaKeyOfHotKey(kMediaHotKeyFirstId + kMediaHotKeyCount), std::nullopt);
}
