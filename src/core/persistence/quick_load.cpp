#include "core/persistence/quick_load.h"

#include "core/persistence/yes_no_band.h"
#include "core/text/sjis_strings.h"

namespace vespin {

void AskQuickLoad(EngineState& e) {
    AskYesNo(e, sjis_text::kQuickLoadQuestion, kConfirmQuickLoad);
}

}  // namespace vespin
