#include "core/persistence/slot_requests.h"

#include "core/persistence/save_game.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"

namespace vespin {

void RequestSlotAction(EngineState& e, SlotAction action, int slot) {
    e.Saves.Pending = {action, slot};
}

void RunSlotRequest(EngineState& e) {
    SlotRequest request = e.Saves.Pending;
    if (request.Action == SlotAction::None) return;
    e.Saves.Pending = {};
    if (request.Action == SlotAction::Save) {
        SaveGame(e, request.Slot, SaveKind::Announced);
        return;
    }
    // The load screen closes behind a load.
    if (!LoadGame(e, request.Slot)) return;
    e.Shell.SaveScreenState = 0;
    SetToolbarLocked(e, false);
}

}  // namespace vespin
