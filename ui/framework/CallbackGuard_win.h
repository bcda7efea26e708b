// The one place where a callback from the system stops an exception. i686 MinGW unwinds with
// DWARF-2 and cannot pass an exception through user32's frames, so every window, dialog and
// page procedure runs its body through GuardCallback.
#pragma once

// Answers body(), or fallback() when the body throws; fallback must not throw.
template <typename Body, typename Fallback>
auto GuardCallback(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        return fallback();
    }
}
