#pragma once
// The state of the two small screens saving and loading use: the save/load screen with its 32
// slots, and the yes/no band that asks before a quick load, a return to the title or an
// overwrite.

#include <array>
#include <cstdint>
#include <string>

#include "core/graphics/surface.h"

namespace vespin {

inline constexpr int kSaveScreenSlots = 32;
inline constexpr int kPreviewLines = 4;

enum class SaveScreenMode : uint8_t { Save, Load };

enum class SlotState : uint8_t {
    NotSelectable = 0,  // an empty slot on the load screen
    Selectable = 1,     // empty on the save screen, or loadable
    Used = 2,           // holds a save, on the save screen: overwriting asks first
};

struct SaveScreenSlot {
    SlotState State = SlotState::Selectable;
    bool HasPreview = false;  // a complete save: its first page rows are shown on hover
    std::array<std::string, kPreviewLines> Preview;  // Shift-JIS
};

struct SaveScreen {
    SaveScreenMode Mode = SaveScreenMode::Save;
    std::array<SaveScreenSlot, kSaveScreenSlots> Slots;
    int Hovered = 0;      // 1..32, 0 for none
    Surface KeptDisplay;  // the game's frame, put back when the screen closes
};

// The kinds of question the band asks (ConfirmKind).
enum ConfirmKindValue : int {
    kConfirmNone = 0,
    kConfirmQuickLoad = 1,
    kConfirmReturnToTitle = 3,
    kConfirmOverwrite = 4,
};

struct ConfirmBand {
    Surface Background;  // the rows under the band as they were before it opened
    Surface Plate;       // the darkened rows with the question, without the two answers
    bool YesHighlighted = false;
    bool ToolbarWasLocked = false;  // the band may open over a screen that keeps the toolbar locked
};

struct SaveUiState {
    SaveScreen Screen;
    ConfirmBand Band;
};

}  // namespace vespin
