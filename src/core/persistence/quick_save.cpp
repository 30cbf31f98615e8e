#include "core/persistence/quick_save.h"

#include "core/persistence/save_game.h"
#include "core/persistence/yes_no_band.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis_strings.h"

namespace vespin {

bool QuickSave(EngineState& e) {
    return SaveGame(e, kQuickSaveSlot, SaveKind::Announced);
}

void AskQuickLoad(EngineState& e) {
    AskYesNo(e, sjis_text::kQuickLoadQuestion, kConfirmQuickLoad);
}

}  // namespace vespin
