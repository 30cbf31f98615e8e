#pragma once
// The scene catalogue `sys_flashbak` (page labels, group headers "*TEXT" and scene lines
// "TITLE,SCRIPT" up to ":END"), the marks of the scenes reached, and the slots' play lists kept
// to what the catalogue holds.

#include <string>
#include <string_view>

#include "core/screens/recollection_state.h"

namespace vespin {

struct EngineState;

// Builds the catalogue from the data script's bytes (NUL-terminated lines). At most
// kCatalogueLineLimit lines are kept, each text cut to a bounded length.
void ReadRecollectionCatalogue(RecollectionCatalogue& catalogue, std::string_view text);

// Start-up: reads `sys_flashbak` when the game has it (none is built otherwise), then drops the
// slots' entries that are not scene lines of it.
void InitRecollection(EngineState& e);

// A script was loaded: its catalogue line, and the group header above it, are marked reached.
void NoteScriptLoaded(EngineState& e, std::string_view name);

// The catalogue line whose text is `text` (as read, upper-cased), or -1.
int FindCatalogueLine(const RecollectionCatalogue& catalogue, std::string_view text);

// Every slot entry that is not a scene line of the catalogue becomes 0, and each slot's list is
// closed up so that the entries after a dropped one still play.
void KeepSlotsToCatalogue(EngineState& e);

}  // namespace vespin
