// The song queue of a play mode: activation, rebuilding, the play order and its shuffling, the
// selection of a position, and the texts of the current song.
#include "play/PlayMode.h"

#include "play/PlayTexts.h"

#include <algorithm>
#include <string>

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

// How a song is named in a notice: its title, else its path.
std::string SongName(const SongEntry& song) {
    return song.title[0] != '\0' ? song.title : song.path;
}

// The runtime's generator gives only 15 bits on some systems; two draws cover any list size.
int RuntimeRandom() {
    const auto high = static_cast<std::uint32_t>(std::rand()) & 0x7FFF;
    const auto low = static_cast<std::uint32_t>(std::rand()) & 0x7FFF;
    return static_cast<int>(high << 15 | low);
}

bool IsRandomOrder(std::int32_t mode) {
    return mode == kPlayRandom || mode == kPlayRandomRepeat;
}

void CopyText(char* text, std::size_t capacity, const char* field, bool active) {
    if (text == nullptr || capacity == 0) {
        return;
    }
    CopyShiftJis(text, capacity, active ? field : "");
}

}  // namespace

PlayMode::PlayMode(PlayOwner& owner) : random(RuntimeRandom), owner(owner) {}

PlayMode::~PlayMode() {
    // The derived mode and its devices are gone already: only the timer, which would otherwise
    // keep naming this object, is handed back.
    if (timerId != 0) {
        owner.KillTimer(*this);
        timerId = 0;
    }
}

int PlayMode::Activate() {
    if (active) {
        return 0;
    }
    active = 1;
    Select(currentPosition);
    return 1;
}

void PlayMode::Deactivate() {
    if (!active) {
        return;
    }
    CancelPassOver();
    ResetSong();
    StopTimer();
    active = 0;
}

void PlayMode::Reload() {
    ResetSong();
    FreeQueue();
    DropOrder();
    if (static_cast<std::uint32_t>(playMode) > kPlayRandomRepeat) {
        playMode = kPlayNormal;
    }
    active = BuildQueue() != 0 ? 1 : 0;
    if (active) {
        orderCount = GetSongCount();
        if (IsRandomOrder(playMode)) {
            Shuffle(0);
        }
        Select(0);
    }
    owner.UpdateButtons();
    owner.UpdateTexts();
    owner.UpdateTime(true);
}

void PlayMode::Select(int position) {
    CancelPassOver();  // a new choice ends any pass in progress
    if (SelectOnce(position, false) == SelectOutcome::kUnplayable) {
        BeginPassOver(position == kSelectPrevious ? kSelectPrevious : kSelectNext);
    }
}

PlayMode::SelectOutcome PlayMode::SelectOnce(int position, bool toPlay) {
    const int count = active ? GetSongCount() : 0;
    if (!active || count <= 0 || orderCount < 0) {
        ResetSong();
        owner.UpdateTexts();
        owner.UpdateButtons();
        owner.UpdateTime(true);
        return SelectOutcome::kIdle;
    }
    int resume = toPlay ? kModePlay : state;
    std::int64_t target = position;
    if (position == kSelectNext) {
        target = static_cast<std::int64_t>(currentPosition) + 1;
    } else if (position == kSelectPrevious) {
        target = static_cast<std::int64_t>(currentPosition) - 1;
    }
    // Going back from the first song selects the last one and keeps playing.
    if (target < 0) {
        target = count - 1;
    }
    if (target >= count) {
        if (IsRandomOrder(playMode)) {
            Shuffle(0);
        }
        target = 0;
        // Normal and Random end at the end of the queue; the repeating orders go on.
        if (playMode == kPlayNormal || playMode == kPlayRandom) {
            resume = kModeStop;
        }
    }

    ResetSong();
    GetSongAt(current, static_cast<int>(target));
    currentPosition = static_cast<std::int32_t>(target);
    owner.UpdateTexts();
    state = kModeOpen;
    owner.UpdateButtons();
    owner.UpdateTime(false);

    SelectOutcome outcome = SelectOutcome::kIdle;
    if (OpenCurrent()) {
        ApplySongVolume();
        songLoaded = 1;
        Resume(resume);
        outcome = SelectOutcome::kOpened;
    } else if (resume == kModePlay) {
        outcome = SelectOutcome::kUnplayable;
    }
    owner.UpdateButtons();
    owner.UpdateTime(true);
    return outcome;
}

void PlayMode::BeginPassOver(int step) {
    passOverStep = step;
    // The rest of one pass through the queue: every other song gets one try.
    passOverLeft = std::max(GetSongCount() - 1, 0);
    NoticePassedOver();
    if (passOverLeft > 0) {
        owner.PostPassOver(*this);
    } else {
        owner.ShowNotice(kNothingPlayableText);
    }
}

void PlayMode::ContinuePassOver() {
    std::string passedOver;  // the last song this step passed over, for the notice
    for (int tried = 0; tried < kPassOverBatch && passOverLeft > 0; ++tried) {
        --passOverLeft;
        if (SelectOnce(passOverStep, true) != SelectOutcome::kUnplayable) {
            // Playing, or stopped at the end of the queue.
            CancelPassOver();
            break;
        }
        passedOver = SongName(current);
    }
    if (!passedOver.empty()) {
        owner.ShowNotice((kPassedOverText + passedOver).c_str());
    }
    if (passOverLeft > 0) {
        owner.PostPassOver(*this);
        return;
    }
    if (state != kModeNotReady) {
        return;  // the pass ended on a song that opened
    }
    // A whole pass found nothing that plays: stop here, on the song the pass began after.
    state = kModeStop;
    owner.UpdateButtons();
    owner.ShowNotice(kNothingPlayableText);
}

void PlayMode::NoticePassedOver() {
    owner.ShowNotice((kPassedOverText + SongName(current)).c_str());
}

void PlayMode::GetSongAt(SongEntry& entry, int position) {
    if (!active || position < 0 || position >= orderCount) {
        return;
    }
    int index = position;
    if (!order.empty()) {
        if (static_cast<std::size_t>(position) >= order.size()) {
            return;
        }
        index = order[static_cast<std::size_t>(position)];
    }
    GetSong(entry, index);
}

void PlayMode::Shuffle(int from) {
    DropOrder();
    const int count = GetSongCount();
    if (!IsRandomOrder(playMode) || count <= 0) {
        return;
    }
    order.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    orderCount = count;
    // Positions before from keep list order; each later one draws from what is left.
    for (int a = from < 0 ? 0 : from; a < count; ++a) {
        const auto span = static_cast<std::uint32_t>(count - a);
        const auto draw = static_cast<std::uint32_t>(random ? random() : RuntimeRandom());
        const auto r = static_cast<std::size_t>(a) + draw % span;
        std::swap(order[static_cast<std::size_t>(a)], order[r]);
    }
}

void PlayMode::DropOrder() {
    order.clear();
    order.shrink_to_fit();
    orderCount = GetSongCount();
}

void PlayMode::SetPlayMode(int mode) {
    playMode = static_cast<std::uint32_t>(mode) > kPlayRandomRepeat ? kPlayNormal : mode;
    if (!active) {
        return;
    }
    if (!IsRandomOrder(playMode)) {
        DropOrder();
        currentPosition = current.queueIndex;
        return;
    }
    Shuffle(currentPosition + 1);
    // The shuffle keeps the positions up to the current one in list order, which is where the
    // current song is only when the order was the list's. Put the song that plays back at the
    // current position, so that the queue goes on from it and does not repeat it.
    const auto size = static_cast<std::int32_t>(order.size());
    if (currentPosition < 0 || currentPosition >= size) {
        return;
    }
    for (std::int32_t p = 0; p < size; ++p) {
        if (order[static_cast<std::size_t>(p)] == current.queueIndex) {
            std::swap(order[static_cast<std::size_t>(p)], order[static_cast<std::size_t>(currentPosition)]);
            break;
        }
    }
}

int PlayMode::GetQueueLength() {
    return active ? GetSongCount() : -1;
}

int PlayMode::GetCurrentPosition() const {
    return active ? currentPosition : -1;
}

void PlayMode::CopyCurrentSong(SongEntry& entry) const {
    if (active) {
        entry = current;
    }
}

void PlayMode::GetListTitle(char* text, std::size_t capacity) const {
    CopyText(text, capacity, current.listTitle, active != 0);
}

void PlayMode::GetTitle(char* text, std::size_t capacity) const {
    CopyText(text, capacity, current.title, active != 0);
}

void PlayMode::GetComment(char* text, std::size_t capacity) const {
    CopyText(text, capacity, current.comment, active != 0);
}

void PlayMode::GetFontName(char* text, std::size_t capacity) const {
    CopyText(text, capacity, current.fontName, active != 0);
}

bool PlayMode::HasSongs() {
    return active && GetSongCount() > 0;
}

void PlayMode::BlankCurrent() {
    BlankSongTexts(current);
    current.queueIndex = 0;
    current.silenceMs = 0;
}
