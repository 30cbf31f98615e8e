// Recollection catalogues and kaiso.dat files of any bytes. An input whose first byte is odd
// starts with 2640 bytes of kaiso.dat, read back as at start-up; the rest is the catalogue
// `sys_flashbak` as the engine holds it (NUL-terminated lines). The scenes are marked reached
// from the input's hash, the screen opens, and the pointer moves and clicks over its grid, panel,
// tabs and buttons, with the cell menu's items and the play lists' popup items between, while the
// engine plays what starts.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/host/events.h"
#include "core/persistence/system_data.h"
#include "core/screens/recollection.h"
#include "core/screens/recollection_catalogue.h"
#include "core/shell/engine_state.h"
#include "core/shell/main_loop.h"
#include "fuzz/support/fuzz_game.h"

namespace {

constexpr size_t kKaisoSize = 2640;

// Points where the screen reacts: the grid, the entries, the tabs of both kinds, the buttons.
void PointFrom(uint32_t seed, int& x, int& y) {
    switch (seed % 6) {
        case 0:  // the grid
            x = 40 + static_cast<int>((seed >> 4) % 490),
            y = 74 + static_cast<int>((seed >> 14) % 462);
            break;
        case 1:  // the entries
            x = 550 + static_cast<int>((seed >> 4) % 236),
            y = 150 + static_cast<int>((seed >> 14) % 370);
            break;
        case 2:  // page tabs and slot tabs
            x = (seed & 16) ? static_cast<int>((seed >> 5) % 32)
                            : 544 + static_cast<int>((seed >> 5) % 182);
            y = (seed & 16) ? 70 + static_cast<int>((seed >> 14) % 476)
                            : 62 + static_cast<int>((seed >> 14) % 60);
            break;
        case 3: {  // the buttons
            static const int kCentres[][2] = {{660, 25},  {740, 549}, {656, 549}, {590, 549},
                                              {466, 560}, {384, 560}, {750, 95}};
            const int* c = kCentres[(seed >> 4) % 7];
            x = c[0], y = c[1];
            break;
        }
        default:  // anywhere
            x = static_cast<int>((seed >> 4) % 800), y = static_cast<int>((seed >> 14) % 600);
            break;
    }
}

void Command(vespin::EngineState& e, vespin::UiCommand command) {
    vespin::InputEvent event;
    event.kind = vespin::InputKind::Command;
    event.command = command;
    vespin::HandleInput(e, event);
}

void Input(vespin::fuzz::FuzzGame& game, uint32_t seed) {
    using namespace vespin;
    EngineState& e = game.State();
    int x, y;
    PointFrom(seed, x, y);
    game.Move(x, y);
    switch ((seed >> 24) % 8) {
        case 0:
        case 1:
        case 2:
            game.Press(x, y);
            break;
        case 3: {
            InputEvent right;
            right.kind = InputKind::MouseDown;
            right.button = MouseButton::Right;
            right.x = x, right.y = y;
            HandleInput(e, right);
            break;
        }
        case 4:
            Command(e, (seed & 1) ? UiCommand::Popup2Register : UiCommand::Popup2Confirm);
            break;
        case 5:
            Command(e, (seed & 1) ? UiCommand::MenuN1 : UiCommand::MenuN2);
            break;
        default:
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size > 16384) return 0;
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    game.Reset();
    EngineState& e = game.State();
    std::span<const uint8_t> rest(data, size);
    if (size > kKaisoSize && (data[0] & 1) != 0) {
        fuzz::WriteFile(game.Folder() / "kaiso.dat", rest.subspan(1, kKaisoSize));
        ReadRecollectionSlots(e);
        rest = rest.subspan(1 + kKaisoSize);
    }
    std::string_view text(reinterpret_cast<const char*>(rest.data()), rest.size());
    ReadRecollectionCatalogue(e.Recollection.Catalogue, text);
    KeepSlotsToCatalogue(e);
    uint32_t seed = vespin::fuzz::InputSeed(data, size);
    for (int line = 0; line < e.Recollection.Catalogue.Size(); ++line) {
        if (((seed >> (line % 29)) & 3) != 0) e.Recollection.SceneSeenBits.Set(line, true);
    }
    e.Recollection.Screen.Page = static_cast<int>(seed % 13) - 2;
    RunKaisou(e, "");
    for (int i = 0; i < 40; ++i) {
        seed = seed * 1103515245u + 12345u;
        Input(game, seed);
        if (e.Shell.MainMode != kModeRecollection) game.Play(3, seed);
    }
    return 0;
}
