// The selection tree: opening a tree, following the pointer through its columns, and calling the
// script of the entry clicked.

#include "core/screens/seltree.h"

#include <string>

#include "core/audio/sound.h"
#include "core/resources/picture.h"
#include "core/screens/seltree_draw.h"
#include "core/script/choice_state.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr char kTakeSound[] = "SSE01";
constexpr size_t kLabelLimit = 100;

SelectionTreeState& Tree(EngineState& e) {
    return e.Simulation.Tree;
}

// One 136 x 30 band of "sys2", black (so transparent, as a mask) where the picture lacks it.
void CutButton(const Surface& sheet, int band, Surface& out) {
    out.Resize(kButtonWidth, kButtonHeight);
    out.Fill(0, 0, 0);
    CopyRect(sheet, Rect{0, band * kButtonHeight, kButtonWidth, kButtonHeight}, out, 0, 0);
}

void CutButtons(EngineState& e) {
    SelectionTreeState& t = Tree(e);
    Surface sheet;
    LoadPicture(e.Archives, "sys2", sheet);
    CutButton(sheet, 0, t.NormalImage);
    CutButton(sheet, 1, t.NormalMask);
    CutButton(sheet, 2, t.HighlightImage);
    CutButton(sheet, 3, t.HighlightMask);
    t.DimmedMask = t.NormalMask;
    for (int y = 0; y < kButtonHeight; ++y) {
        uint8_t* row = t.DimmedMask.Row(y);
        for (int i = 0; i < kButtonWidth * 3; ++i)
            row[i] = static_cast<uint8_t>(row[i] / 2);
    }
    t.WorkPicture.Resize(kButtonWidth, kButtonHeight);
}

const std::vector<TreeEntry>& Entries(EngineState& e) {
    return Tree(e).Trees[Tree(e).CurrentTree];
}

// The shown entries of depth `depth` after `parent`, up to the first entry of a smaller depth.
int CountShownChildren(EngineState& e, int parent, int depth) {
    const std::vector<TreeEntry>& entries = Entries(e);
    int shown = 0;
    for (size_t i = parent + 1; i < entries.size() && entries[i].Depth >= depth; ++i) {
        if (entries[i].Depth == depth && e.Vars.T.Test(entries[i].Flag)) ++shown;
    }
    return shown;
}

Rect ColumnArea(int depth) {
    return Rect{ColumnLeft(depth), kTreeTop, kButtonWidth, kColumnHeight};
}

// A branch under the pointer: its children open in the next column, their last one level with
// the branch unless there are more of them than rows above it (then they start at the top).
void OpenChildColumn(EngineState& e, int entry, int row) {
    SelectionTreeState& t = Tree(e);
    int f = t.FocusColumn;
    int child = f + 1;
    t.ChildColumnOpen = child < kTreeDepths;  // a branch at the deepest depth has no column
    if (t.ChildColumnOpen) {
        int above = t.RowOffsets[f] + row;
        int shown = CountShownChildren(e, entry, child);
        t.RowOffsets[child] = above < shown ? 0 : above - shown + 1;
        DrawColumn(e, entry + 1, child, ColumnMark{});
    }
    RedrawColumn(e, f, ColumnMark{row, true});
}

// Case 1: the pointer in the focus column. False when it is over no shown entry.
bool HoverFocusColumn(EngineState& e, int y) {
    SelectionTreeState& t = Tree(e);
    int f = t.FocusColumn;
    int top = kTreeTop + kButtonHeight * t.RowOffsets[f];
    if (y <= top || y >= top + kColumnHeight) return false;
    int row = (y - top) / kButtonHeight;
    int entry = t.ColumnMaps[f][row];
    if (entry == kNoEntry) return false;
    if (entry + 1 != t.LastHovered) {
        RestoreTreeArea(e, ColumnArea(f + 1));
        t.SelectedTarget = Entries(e)[entry].Target.View();
        if (t.SelectedTarget.empty()) {
            OpenChildColumn(e, entry, row);
        } else {
            RedrawColumn(e, f, ColumnMark{row, false});
            t.ChildColumnOpen = false;
        }
    }
    t.LastHovered = entry + 1;
    return true;
}

// Case 2: the pointer in the open child column. The focus follows it there where the focus
// column has an entry at the same height (rows counted from the focus column's offset).
void HoverChildColumn(EngineState& e, int y) {
    SelectionTreeState& t = Tree(e);
    int f = t.FocusColumn;
    int child_top = kTreeTop + kButtonHeight * t.RowOffsets[f + 1];
    if (y <= child_top || y >= child_top + kColumnHeight) {
        t.SelectedTarget.clear();
        return;
    }
    int row = (y - kTreeTop - kButtonHeight * t.RowOffsets[f]) / kButtonHeight;
    if (row >= 0 && row < kColumnRows && t.ColumnMaps[f][row] != kNoEntry) t.FocusColumn = f + 1;
}

// Case 3: back into the parent column. The column left stays; what lay right of it goes.
void BackToParentColumn(EngineState& e) {
    SelectionTreeState& t = Tree(e);
    RestoreTreeArea(e, ColumnArea(t.FocusColumn + 1));
    t.FocusColumn -= 1;
    t.SelectedTarget.clear();
}

// Splits "SCRIPT", "SCRIPT LABEL..." or "SCRIPT:LABEL" and calls the script as `call` does.
// The called script's `end` brings the interpreter back to the line after `seltree`.
void CallTarget(EngineState& e, std::string_view target) {
    size_t colon = target.find(':');
    std::string_view name = target.substr(0, std::min(colon, target.find(' ')));
    std::string_view label;
    if (colon != std::string_view::npos && colon == name.size()) {
        label = target.substr(colon + 1, kLabelLimit);
        label = label.substr(0, label.find(' '));
    }
    ScriptState& s = e.Script;
    // As for `call`: a full call stack or a name no frame can hold is refused.
    if (s.CallDepth >= kCallStackDepth || name.empty() || name.size() >= kScriptNameField) return;
    CallFrame frame{s.CurrentScriptName, s.ReadPosition};
    std::string owned(name);
    if (!LoadScript(e, owned, ScriptMode::Scenario)) return;
    s.CallStack[s.CallDepth] = frame;
    s.CurrentScriptName = owned;
    ResetWaits(e);
    s.CallDepth += 1;
    if (!label.empty()) JumpToLabel(e, label);
}

}  // namespace

void InitSelectionTree(EngineState& e) {
    SelectionTreeState& t = Tree(e);
    for (auto& tree : t.Trees)
        tree.clear();
    if (LoadScript(e, "seltree", ScriptMode::Data)) {
        const auto* text = reinterpret_cast<const char*>(e.Script.DataScriptBuffer.data());
        ReadSelectionTrees(t, std::string_view(text, static_cast<size_t>(e.Script.DataScriptSize)));
    }
    CutButtons(e);
}

CommandResult RunSeltree(EngineState& e, const char* arg) {
    SelectionTreeState& t = Tree(e);
    int n = ParseDecimal(arg);
    if (n < 0 || n >= kTreeCount) return CommandResult::EndPass;
    t.SelectedTarget.clear();
    t.LastHovered = 0;
    t.RowOffsets.fill(0);
    for (auto& map : t.ColumnMaps)
        map.fill(kNoEntry);
    t.CurrentTree = n;
    t.FocusColumn = 0;
    t.ChildColumnOpen = false;
    DrawColumn(e, 0, 0, ColumnMark{});
    // Nothing to click would hold the script for ever.
    if (t.ColumnMaps[0][0] == kNoEntry) return CommandResult::EndPass;
    e.Shell.ChoiceKind = kChoiceSelectionTree;
    return CommandResult::EndPass;
}

void SelectionTreeHover(EngineState& e, int x, int y) {
    SelectionTreeState& t = Tree(e);
    int f = t.FocusColumn;
    int x0 = ColumnLeft(f);
    if (x > x0 && x < x0 + kButtonWidth) {
        if (HoverFocusColumn(e, y)) return;
    } else if (t.ChildColumnOpen && x > x0 + kButtonWidth && x < x0 + 2 * kButtonWidth) {
        HoverChildColumn(e, y);
        return;
    } else if (f > 0 && x > x0 - kButtonWidth && x < x0) {
        BackToParentColumn(e);
        return;
    }
    t.SelectedTarget.clear();
    RedrawColumn(e, f, ColumnMark{});
    t.LastHovered = 0;
}

void SelectionTreeClick(EngineState& e) {
    SelectionTreeState& t = Tree(e);
    if (t.SelectedTarget.empty()) return;
    PlayVoice(e, kTakeSound);
    RestoreTreeArea(e, Rect{kTreeLeft, kTreeTop, 4 * kButtonWidth, kColumnHeight});
    // Columns deeper than the fourth lie right of that area; they go as well.
    for (int d = 4; d < kTreeDepths; ++d) {
        if (t.ColumnMaps[d][0] != kNoEntry) RestoreTreeArea(e, ColumnArea(d));
    }
    std::string target = t.SelectedTarget;
    t.SelectedTarget.clear();
    CallTarget(e, target);
    e.Shell.ChoiceKind = kNoChoice;
}

}  // namespace vespin
