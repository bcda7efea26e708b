// The native build's screen window: there is no display, so it only remembers whether it is open.
#include "wrd/ScreenWindow.h"

namespace {

class HeadlessScreenWindow : public ScreenWindow {
public:
    void Open(const char*) override { open = true; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }

private:
    bool open = false;
};

}  // namespace

std::unique_ptr<ScreenWindow> CreateScreenWindow(ScreenModel&, OwnerWindow) {
    return std::make_unique<HeadlessScreenWindow>();
}
