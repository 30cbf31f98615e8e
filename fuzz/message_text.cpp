// Message text of any bytes typed into the window: inline marks, tags, ruby, names and Shift-JIS,
// in window or full-text mode, with wide spacing and the typing effect as the first byte says.
// Lines that would be commands are typed as text.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/script/variables.h"
#include "core/shell/engine_state.h"
#include "core/text/message_window.h"
#include "fuzz/support/fuzz_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size < 1 || size > 8192) return 0;
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    game.Reset();
    EngineState& e = game.State();
    uint8_t mode = data[0];
    e.Vars.S[sys::kFullTextMode] = mode & 1;
    SetWideSpacing(e, (mode & 2) != 0);
    e.Settings.NormalTextSpeed = (mode & 4) != 0;
    std::vector<uint8_t> text(data + 1, data + size);
    for (size_t i = 0; i < text.size(); ++i) {
        bool line_start = i == 0 || text[i - 1] == 0;
        if (line_start && (text[i] == '*' || text[i] == '@' || text[i] == '!')) text[i] = ' ';
    }
    game.LoadScenario(text);
    game.Play(24, mode);
    return 0;
}
