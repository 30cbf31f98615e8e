// Viewer page definitions of any bytes. The input is the data script `view` as the engine holds
// it (NUL-terminated lines). The start-up scan reads its gallery names; then two of the pages
// VIEW_1..VIEW_4, picked by the input, are opened with seen bits and E flags drawn from the input,
// and the pointer moves and clicks (left, right, middle) over their items, buttons, tabs and links
// between idle passes, so that links, full pictures, music and scene replays all run.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/screens/viewer.h"
#include "core/screens/viewer_page.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "fuzz/support/fuzz_game.h"

namespace {

uint32_t Next(uint32_t& seed) {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
}

// A point of something the page defines (an item, a button, a tab, a link) or anywhere.
void PickPoint(const vespin::ViewerPage& p, uint32_t& seed, int& x, int& y) {
    uint32_t r = Next(seed);
    int n = 1 + static_cast<int>(r % vespin::kViewerItems);
    vespin::ViewerBox box;
    switch ((r >> 8) % 5) {
        case 0:
            x = p.ItemX[n] + 1, y = p.ItemY[n] + 1;
            return;
        case 1:
            box = r & 1 ? p.Next : (r & 2 ? p.Prev : p.Exit);
            break;
        case 2:
            box = p.Tabs[n % vespin::kViewerSets];
            break;
        case 3:
            box = p.Links[n % vespin::kViewerLinks];
            break;
        default:
            x = static_cast<int>(r % 800), y = static_cast<int>((r >> 12) % 600);
            return;
    }
    x = box.Left, y = box.Top;
}

vespin::MouseButton PickButton(uint32_t& seed) {
    uint32_t r = Next(seed) % 8;
    return r == 0 ? vespin::MouseButton::Right
                  : (r == 1 ? vespin::MouseButton::Middle : vespin::MouseButton::Left);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size > 16384) return 0;
    static const std::vector<uint8_t> kMain = [] {
        std::string_view text("after\0\\\0*end\0", 13);
        return std::vector<uint8_t>(text.begin(), text.end());
    }();
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    uint32_t seed = vespin::fuzz::InputSeed(data, size);
    // The definitions go into the game's archive once; each page starts from the reset state.
    game.Reset();
    game.LoadScenario(kMain, {{"view", std::vector<uint8_t>(data, data + size)}});
    const char* pages[] = {"VIEW_1", "view_2", "VIEW_3", "VIEW_4"};
    for (int k = 0; k < 2; ++k) {
        if (k > 0) game.Reset();
        EngineState& e = game.State();
        ScanGalleryNames(e);
        for (int bit = 0; bit < 64; ++bit) {
            e.Viewer.CgSeenBits.Set(bit, (seed >> (bit % 32)) & 1);
            e.Vars.E.Set(bit, (seed >> ((bit + 7) % 32)) & 1);
        }
        if (!OpenViewerPage(e, pages[(seed >> (4 * k)) % 4])) continue;
        for (int i = 0; i < 12 && e.Shell.MainMode == kModeViewer; ++i) {
            int x = 0, y = 0;
            PickPoint(e.Viewer.Page, seed, x, y);
            game.Move(x, y);
            InputEvent down;
            down.kind = InputKind::MouseDown;
            down.button = PickButton(seed);
            down.x = x, down.y = y;
            if (Next(seed) % 3 == 0) HandleInput(e, down);
            if (i % 3 == 0) OnIdle(e);
        }
        // A replayed scene plays on a little, and may come back.
        game.Play(3, seed);
    }
    return 0;
}
