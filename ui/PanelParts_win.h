// Areas of the panel's display that are not windows: the three song texts, the play-state and
// device-kind labels and the counter. Each paints straight onto the main window.
#pragma once

#include <windows.h>

#include <string>

#include <cstddef>

#include "app/containers/UniqueHandle_win.h"
#include "ui/PanelHost_win.h"
#include "ui/PanelLayout.h"

class PanelPart {
public:
    explicit PanelPart(ControlOwner& owner) : owner(owner) {}
    virtual ~PanelPart() = default;
    PanelPart(const PanelPart&) = delete;
    PanelPart& operator=(const PanelPart&) = delete;

    // Paints the area on dc (a device context of the main window).
    virtual void Draw(HDC dc) = 0;
    // Stores the area and paints it.
    void SetArea(const PanelRect& area);
    // Paints on a device context obtained for the purpose; an empty area is never painted.
    void Redraw();
    const PanelRect& Area() const { return rect; }

protected:
    ControlOwner& owner;
    PanelRect rect;
};

// One line of the current song's texts, fitted into the area.
class TextPart : public PanelPart {
public:
    using PanelPart::PanelPart;
    void Draw(HDC dc) override;

protected:
    virtual void GetText(PlayMode& mode, char* text, std::size_t capacity) = 0;
};

class ListTitlePart : public TextPart {
public:
    using TextPart::TextPart;

protected:
    void GetText(PlayMode& mode, char* text, std::size_t capacity) override;
};

class SongTitlePart : public TextPart {
public:
    using TextPart::TextPart;

protected:
    void GetText(PlayMode& mode, char* text, std::size_t capacity) override;
};

// The song's comment, or for a while a notice of the player's in its place.
class CommentPart : public TextPart {
public:
    using TextPart::TextPart;
    void SetNotice(const char* text) { notice = text ? text : ""; }

protected:
    void GetText(PlayMode& mode, char* text, std::size_t capacity) override;

private:
    std::string notice;
};

class PlayStatePart : public PanelPart {
public:
    using PanelPart::PanelPart;
    void Draw(HDC dc) override;
};

class DeviceKindPart : public PanelPart {
public:
    using PanelPart::PanelPart;
    void Draw(HDC dc) override;
};

// Queue position and length, song position and length in bitmap digits.
class CounterPart : public PanelPart {
public:
    explicit CounterPart(ControlOwner& owner);
    void Draw(HDC dc) override;

private:
    UniqueGdiObject digits;
};
