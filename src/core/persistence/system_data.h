#pragma once
// The system data: what outlives every game. save0.dat holds bank E, the seen pictures and
// scenes and the read marks, and only ever grows (every sync merges file and memory by OR);
// the ten global integers live in the settings store; kaiso.dat keeps the recollection play
// lists and their names.

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// Merges save0.dat into memory and writes the merged blocks back, writes GV00..GV09 and
// kaiso.dat. A save0.dat of the wrong size is kept aside as save0.dat.bad and a fresh one is
// started from memory; one that cannot be read is left alone.
void SyncSystemData(EngineState& e);

// Start-up, before the first sync: takes the play lists and names of kaiso.dat back when the
// file has exactly its size (the names cut at their NUL). Anything else leaves the slots empty.
// The entries are kept to the catalogue once it is read (KeepSlotsToCatalogue).
void ReadRecollectionSlots(EngineState& e);

// `gameclr`: counts a cleared game in the other product's counter, sets E999 and syncs.
CommandResult RunGameClear(EngineState& e, const char* arg);

}  // namespace vespin
