#include "core/text/backlog_screen.h"

namespace vespin {

// Placeholder until the log screen lands.
void OpenLog(EngineState&) {}

}  // namespace vespin
