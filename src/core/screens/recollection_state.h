#pragma once
// What the recollection screen keeps: the scene catalogue read at start-up, the scenes reached
// (system data), the ten play-list slots the player composes (kaiso.dat), and the screen itself
// while it is open or one of its play lists runs.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/graphics/surface.h"
#include "core/script/scene_replay.h"
#include "core/script/variables.h"
#include "core/shell/fixed_string.h"

namespace vespin {

inline constexpr int kRecollectionSlots = 10;
inline constexpr int kRecollectionSlotEntries = 50;
inline constexpr int kRecollectionPanelEntries = 27;  // the panel shows and fills these
inline constexpr int kRecollectionCells = 150;
inline constexpr int kRecollectionPages = 10;
// One line per bit of SceneSeenBits: a line past them could never be shown.
inline constexpr int kCatalogueLineLimit = 2000;

// `sys_flashbak`, line by line: the texts shown (labels, headers, titles) and, for scene lines,
// the script each one plays (empty for the others).
struct RecollectionCatalogue {
    std::vector<std::string> Display;
    std::vector<std::string> Scripts;

    int Size() const { return static_cast<int>(Display.size()); }
    bool IsScene(int line) const { return line > 0 && line < Size() && !Scripts[line].empty(); }
};

struct RecollectionScreen {
    bool PicturesLoaded = false;
    Surface Screen;   // ss_kaiso
    Surface Buttons;  // ss_btn
    Surface Tabs;     // ss_tab
    Surface Panel;    // the 240 x 446 panel, drawn at (546, 64)
    int Page = 0;     // kept while the program runs
    int CurrentSlot = 0;
    int SelectedCell = 0;
    int SelectedEntry = 0;  // 1-based, 0 none
    int Hovered = 0;
    std::array<int, kRecollectionCells> Cells{};
    std::array<int32_t, kRecollectionSlotEntries> PlayList{};
    int PlayPosition = 0;
    ScriptReturnPoint ReturnPoint;
};

struct RecollectionState {
    FlagBank<2000> SceneSeenBits;
    std::array<int32_t, kRecollectionSlots * kRecollectionSlotEntries> SlotEntries{};
    std::array<FixedString<64>, kRecollectionSlots> SlotNames;
    RecollectionCatalogue Catalogue;
    RecollectionScreen Screen;
};

}  // namespace vespin
