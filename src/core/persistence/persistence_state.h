#pragma once
// What the save subsystem keeps in the engine: where the files go, the read marks that outlive
// every game, and the few fields a save file carries for the game without the engine using them.

#include <array>
#include <cstdint>
#include <filesystem>

#include "core/script/variables.h"
#include "core/shell/fixed_string.h"

namespace vespin {

// 80,001 marks (0..80000) in a block of 10,240 bytes, as the files hold them.
inline constexpr int kReadMarkBytes = 10240;
inline constexpr int kLastReadMark = 80000;

// Fields of the slot file that nothing in the engine reads: kept from a load to the next save so
// that a file passes through the engine unchanged.
struct SlotPassThrough {
    std::array<uint8_t, 1024> ReservedBlock{};
    std::array<int32_t, 2> GraphicFlags{};  // script state 15 and 16
    FixedString<30> PageName;               // cleared at every new page
    FixedString<30> Name450;
    FixedString<20> Name540;  // follows the player name while S080 is 1
    FixedString<30> Name560;
};

// A save or load asked for from outside the game (the headless host's event script), run by the
// next idle pass so that it never lands in the middle of an effect.
enum class SlotAction : uint8_t { None, Save, Load };
struct SlotRequest {
    SlotAction Action = SlotAction::None;
    int Slot = 0;
};

struct PersistenceState {
    // The folder that holds save/, save0.dat and kaiso.dat: the game folder, or a per-user
    // folder when the game folder cannot be written. Settled at start-up.
    std::filesystem::path Folder;
    FlagBank<kReadMarkBytes * 8> ReadMarks;
    bool PassageRead = false;  // the current passage's mark was already set
    SlotPassThrough PassThrough;
    SlotRequest Pending;
};

}  // namespace vespin
