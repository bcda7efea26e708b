// Fuzzes the WRD player: any script bytes run over a fixed measure map, forward, back to the start,
// back elsewhere and far ahead, end in a consistent state with the cursor on the screen.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "devices/SequenceDevice.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/WrdSongFixture.h"
#include "wrd/WrdPlayer.h"

namespace {

constexpr char kScriptPath[] = "C:\\song\\fuzz.wrd";

SequenceDevice& Device() {
    static SequenceDevice device;
    static const bool opened = OpenWrdTestSong(device);
    Check(opened);
    return device;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFileSystem files;
    files.AddFile(kScriptPath, std::string(reinterpret_cast<const char*>(data), size));
    FileSystem* previous = SetActiveFileSystem(&files);
    {
        SequenceDevice& device = Device();
        WrdPlayer player(nullptr, kScriptPath, device, device.timebase);
        player.SetClock([] { return 0u; });  // no time budget: runs are repeatable
        for (std::uint32_t tick : {0u, 100u, 1000u, 0u, 5000u, 300u, 0xFFFFFFFFu}) {
            // As the player's timer does while the song stands at the tick: every call runs at least
            // one unit of the script, so the player catches up within as many calls.
            std::size_t calls = 0;
            do {
                player.Advance(tick);
                ++calls;
                const int cursor = player.Screen().Text().cursorPos;
                Check(cursor >= 0 && cursor < kTextCells);
            } while (!player.Ended() && player.NextTick() <= tick && calls <= size + 2);
            Check(player.Ended() || player.NextTick() > tick || player.NextTick() == 0xFFFFFFFFu);
            Check(player.Screen().DrawingEnabled());
        }
    }
    SetActiveFileSystem(previous);
    return 0;
}
