#include "core/persistence/read_marks.h"

#include "core/screens/quick_buttons.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"

namespace vespin {

CommandResult RunMark(EngineState& e, const char* arg) {
    int n = ParseDecimal(arg);
    if (n < 0 || n > kLastReadMark) return CommandResult::NextLine;
    if (e.Saves.ReadMarks.Test(n)) {
        e.Saves.PassageRead = true;
        return CommandResult::NextLine;
    }
    e.Saves.ReadMarks.Set(n, true);
    e.Saves.PassageRead = false;
    if (e.Settings.Seen) {
        e.Shell.SkipState = 0;
        e.Vars.S[60] = 0;
        // The page on screen was drawn while skipping still ran: the skip button's look must go
        // from the screen too, not only from the window images the next page starts from.
        DrawQuickButtons(e, QuickButtonTarget::Display);
    }
    return CommandResult::NextLine;
}

}  // namespace vespin
