// Copying songs between the queue's compact records and whole SongEntry records.
#include "play/QueuedSong.h"

#include <cstring>

void HeapText::Set(const char* newText) {
    const std::size_t newLength = newText != nullptr ? std::strlen(newText) : 0;
    if (newLength == 0) {
        text.reset();
        return;
    }
    std::unique_ptr<char[]> copy = std::make_unique<char[]>(newLength + 1);
    std::memcpy(copy.get(), newText, newLength + 1);
    text = std::move(copy);
}

std::size_t HeapText::HeapBytes() const {
    return text ? std::strlen(text.get()) + 1 : 0;
}

void QueuedSong::Assign(const SongEntry& entry) {
    path.Set(entry.path);
    listTitle.Set(entry.listTitle);
    title.Set(entry.title);
    comment.Set(entry.comment);
    volume = entry.volume;
    balance = entry.balance;
    origin = entry.origin;
    silenceMs = entry.silenceMs;
    SetSongField(fontName, entry.fontName);
}

void QueuedSong::CopyTo(SongEntry& entry) const {
    SetSongField(entry.path, path.Get());
    SetSongField(entry.listTitle, listTitle.Get());
    SetSongField(entry.title, title.Get());
    SetSongField(entry.comment, comment.Get());
    entry.volume = volume;
    entry.balance = balance;
    entry.origin = origin;
    entry.silenceMs = silenceMs;
    SetSongField(entry.fontName, fontName);
}

std::size_t QueuedSong::Bytes() const {
    return sizeof(QueuedSong) + path.HeapBytes() + listTitle.HeapBytes() + title.HeapBytes() + comment.HeapBytes();
}
