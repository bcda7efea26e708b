// The compact form of a song kept in the file play mode's queue: four texts on the heap, each
// exactly as long as it is, and the numbers of a SongEntry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "play/SongEntry.h"

// An owned text of exactly its length; an empty text takes no heap block at all.
class HeapText {
public:
    HeapText() = default;
    explicit HeapText(const char* text) { Set(text); }
    HeapText(HeapText&&) noexcept = default;
    HeapText& operator=(HeapText&&) noexcept = default;

    // A null text counts as empty.
    void Set(const char* text);
    const char* Get() const { return text ? text.get() : ""; }
    bool Empty() const { return !text; }
    // Heap bytes held, terminator included.
    std::size_t HeapBytes() const;

private:
    // Only the pointer is kept: a queue holds thousands of these.
    std::unique_ptr<char[]> text;
};

class QueuedSong {
public:
    QueuedSong() = default;
    explicit QueuedSong(const SongEntry& entry) { Assign(entry); }
    QueuedSong(QueuedSong&&) noexcept = default;
    QueuedSong& operator=(QueuedSong&&) noexcept = default;

    // Replaces every field with the entry's (its queueIndex is not kept).
    void Assign(const SongEntry& entry);
    // Copies every field into entry; texts too long for the entry's buffers are cut at a whole
    // character. queueIndex is left to the caller.
    void CopyTo(SongEntry& entry) const;

    const char* Path() const { return path.Get(); }
    const char* ListTitle() const { return listTitle.Get(); }
    const char* Title() const { return title.Get(); }
    const char* Comment() const { return comment.Get(); }
    void SetPath(const char* text) { path.Set(text); }
    void SetListTitle(const char* text) { listTitle.Set(text); }
    void SetTitle(const char* text) { title.Set(text); }
    void SetComment(const char* text) { comment.Set(text); }
    void SetFontName(const char* text) { SetSongField(fontName, text); }

    // The record and its heap texts, in bytes.
    std::size_t Bytes() const;

    std::int32_t volume = kDefaultSongVolume;
    std::int32_t balance = kBalanceUnchanged;
    std::int32_t origin = kOriginNone;
    std::int32_t silenceMs = 0;
    char fontName[32] = {};

private:
    HeapText path;
    HeapText listTitle;
    HeapText title;
    HeapText comment;
};
