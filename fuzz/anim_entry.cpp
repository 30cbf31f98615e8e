// Animation entries from untrusted bytes, played by the real players on the virtual clock. The
// first byte picks the player (bits 0-1: anim, animq, animq, battle; bit 2: AnimQuality), the
// second makes every other picture take that many milliseconds longer to draw, so the schedule
// drops events and the resync path runs; the rest is the entry, alone in vg_anim.vsp. Whatever
// the entry holds, the player must end, read nothing outside it, and give the engine back idle.

#include <cstdlib>
#include <memory>

#include "core/anim/anim_player.h"
#include "core/shell/engine.h"
#include "fuzz/support/fuzz_game.h"

using namespace vespin;

namespace {

class SlowHost : public fuzz::FuzzHost {
  public:
    void Present(const Surface& source, const Rect& area) override {
        FuzzHost::Present(source, area);
        if (++m_presents % 2 == 0) SleepMs(stall_ms);
    }
    uint32_t stall_ms = 0;

  private:
    uint32_t m_presents = 0;
};

struct Harness {
    fuzz::ScratchFolder folder{"vespin-fuzz-anim"};
    SlowHost host;
    std::unique_ptr<Engine> engine;
    Harness() {
        fuzz::StartupAllocations startup;
        engine = std::make_unique<Engine>(host, folder.Path());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness h;
    if (size < 2) return 0;
    EngineState& e = h.engine->State();
    const uint8_t mode = data[0];
    h.host.stall_ms = data[1];
    const std::span<const uint8_t> entry(data + 2, size - 2);
    fuzz::WriteFile(h.folder.Path() / "vg_anim.vsp", entry);
    // The directory is the engine's own record; it points at the whole file.
    ArchiveDirectory& dir = e.Archives[ArchiveId::Anim];
    dir.Clear();
    dir.FileName = "vg_anim.vsp";
    dir.Names.push_back("F");
    dir.Offsets.push_back(0);
    dir.Sizes.push_back(static_cast<int32_t>(entry.size()));
    e.Archives.Folder = h.folder.Path();
    e.Settings.AnimQuality = (mode & 4) != 0;
    switch (mode & 3) {
        case 0:
            PlayAnimation(e, "F,-8,590,1");
            break;
        case 1:
        case 2:
            PlayDoubledAnimation(e, "F,790,-4,0");
            break;
        default:
            PlayBattleAnimation(e, "F,240,180");
            break;
    }
    const ShellState& sh = e.Shell;
    if (sh.EngineBusy || sh.TransitionRunning || sh.ToolbarLocked || e.Anim.Playing) std::abort();
    return 0;
}
