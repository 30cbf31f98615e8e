#pragma once
// Saved games: one file per slot in the save folder, laid out byte for byte as the original
// engine's so that players can bring their saves; the system data that outlives every save.

#include <array>
#include <filesystem>
#include <string>

namespace vespin {

struct EngineState;

// Slots 1..32 belong to the save and load screens, 61..80 to the choice-history ring (61 the
// newest) and 99 to the quick save.
inline constexpr int kScreenSlotCount = 32;
inline constexpr int kQuickSaveSlot = 99;

// Announced saves switch auto-advance off, sync the system data and show "セーブしました"
// (or, when the file could not be written, "セーブできませんでした"); quiet ones (the
// choice-history ring, a confirmed overwrite) only write the file.
enum class SaveKind { Announced, Quiet };

// Writes the slot file; the previous file of the slot survives any failure. Returns whether the
// new file is in place.
bool SaveGame(EngineState& e, int slot, SaveKind kind);

// Loads the slot file and rebuilds the running game from it. A missing file does nothing; a
// file that is not a complete, consistent save is refused without touching the game (the player
// is told with a banner). Returns whether the game was loaded.
bool LoadGame(EngineState& e, int slot);

// What the save and load screens show of a slot without loading it.
struct SlotSummary {
    bool Exists = false;
    bool Complete = false;               // the file has a save's exact size: caption and preview
    std::string Caption;                 // Shift-JIS, bounded to its field
    std::array<std::string, 4> Preview;  // the first four rows of the saved page, Shift-JIS
};
SlotSummary ReadSlotSummary(const EngineState& e, int slot);

// Where slot n's file is ("save/saveNN.dat" in the save folder).
std::filesystem::path SlotPath(const EngineState& e, int slot);

// The quick buttons' save: slot 99, announced.
bool QuickSave(EngineState& e);

}  // namespace vespin
