#pragma once
// The screens of the simulation parts: the selection tree (a cascading menu of picture buttons
// whose entries unlock by T flags) and the status panels (the game's parameters as bars and
// numbers over the scene).

#include <array>
#include <string>
#include <vector>

#include "core/graphics/surface.h"
#include "core/shell/fixed_string.h"

namespace vespin {

inline constexpr int kTreeCount = 5;
inline constexpr int kTreeEntryLimit = 500;
inline constexpr int kTreeDepths = 10;  // depths 0..9, one column each
inline constexpr int kColumnRows = 9;   // buttons a column shows
inline constexpr int kRowOffsetCount = 11;
inline constexpr int kNoEntry = -1;
inline constexpr int kTreeLabelBytes = 64;
inline constexpr int kTreeTargetBytes = 128;

struct TreeEntry {
    FixedString<kTreeLabelBytes> Label;
    int Flag = 0;                          // a T flag: the entry is shown while it is set
    FixedString<kTreeTargetBytes> Target;  // empty for a branch, else "SCRIPT" or "SCRIPT:LABEL"
    int Depth = 0;                         // 0..9
};

struct SelectionTreeState {
    std::array<std::vector<TreeEntry>, kTreeCount> Trees;

    // Cut from "sys2" at start-up, 136 x 30 each.
    Surface NormalImage, NormalMask, HighlightImage, HighlightMask, DimmedMask;
    Surface WorkPicture;

    std::array<int, kRowOffsetCount> RowOffsets{};  // per column, in rows from the top row
    // Per column, the entries it shows from the top (kNoEntry for an empty row).
    std::array<std::array<int, kColumnRows>, kTreeDepths> ColumnMaps{};
    int CurrentTree = 0;
    int FocusColumn = 0;
    std::string SelectedTarget;  // of the entry under the pointer; empty for none or a branch
    int LastHovered = 0;         // entry + 1, 0 none
    bool ChildColumnOpen = false;
};

inline constexpr int kPanelABars = 3;
inline constexpr int kPanelBBars = 6;

struct StatusPanelState {
    // Loaded at start-up: the panel images over their masks, the attribute icons and the
    // highlight animation of panel C.
    Surface PictureA, PictureB, PictureC;  // "sys3", "sys4", "sys5"
    Surface Icons;                         // "sys6"
    Surface Highlight;                     // "stw_hilite"

    // The panels as last composed over the scene, the size of their pictures' top halves.
    Surface ComposedA, ComposedB, ComposedC;
    std::array<int, kPanelABars> WidthsA{};
    std::array<int, kPanelBBars> WidthsB{};
};

struct SimulationState {
    SelectionTreeState Tree;
    StatusPanelState Panels;
};

}  // namespace vespin
