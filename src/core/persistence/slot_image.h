#pragma once
// Converting between the running game and the slot file's blocks. Where the engine's own records
// differ from the file (longer scene names, a backlog with room for one more line), the
// conversion bounds and pads; the file's layout never changes.

#include <array>
#include <cstdint>
#include <string>

#include "core/persistence/slot_file.h"

namespace vespin {

struct EngineState;

// The local date and time a save is taken at.
struct SaveMoment {
    int Year = 1970, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};
SaveMoment LocalMoment(int64_t seconds_since_epoch);

// "YYYY/MM/DD hh:mm:ss dd日 [魔力:mmmm]", and "(Map)" while the card battle runs (Shift-JIS).
std::string FormatCaption(const EngineState& e, const SaveMoment& when);

// The first four rows of the saved page as the save screens preview them: each row's text from
// its first byte, or from its third when it starts with the indent (Shift-JIS).
std::array<std::string, 4> SlotPreview(const SlotFile& f);

// Fills every block of `f` from the running game.
void BuildSlotFile(const EngineState& e, const SaveMoment& when, SlotFile& f);

// Whether `f` can be restored without leaving the engine in a state it cannot run from.
// `script_size` is the size of the file's current script as the archives hold it now, -1 when
// they do not hold it.
bool CheckSlotFile(const SlotFile& f, int script_size);

// A save made during the card battle: the caption says so (the mode itself is stored as 0).
bool SavedInBattle(const SlotFile& f);

// Where the interpreter goes on once the script is loaded again.
struct ResumePoint {
    int ReadPosition = 0;
    bool FetchLine = true;
    bool InterpreterEnabled = true;
};
ResumePoint ResumePointOf(const SlotFile& f);

// Copies the file's blocks into the game (the caption is not read), then the script state and
// the names as a load restores them. Only call with a file CheckSlotFile accepted.
void RestoreFromSlotFile(EngineState& e, const SlotFile& f);

}  // namespace vespin
