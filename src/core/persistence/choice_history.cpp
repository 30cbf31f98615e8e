#include "core/persistence/choice_history.h"

#include "core/shell/engine_state.h"

namespace vespin {

void SaveChoiceHistory(EngineState& e) {
    if (e.Vars.S[28] != 0) return;
    // The ring's save files are written once game saves exist.
}

}  // namespace vespin
