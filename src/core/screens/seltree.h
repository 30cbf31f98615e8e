#pragma once
// The selection tree (`seltree` n): a column of picture buttons; pointing at a button with
// sub-entries opens their column to its right, clicking an entry with a target calls that script.
// Entries are shown only while their T flag is set. While a tree is shown ChoiceKind is 6 and the
// choice handling routes the pointer and the clicks here.

#include <string_view>

#include "core/screens/simulation_state.h"
#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// Start-up: the trees from the data script `seltree` (none when it is missing) and the buttons
// cut from "sys2" (transparent where the picture is missing).
void InitSelectionTree(EngineState& e);
// Reads the definitions of the data script `seltree` into the five trees. Any bytes are safe:
// lines past a tree's 500th entry are dropped, depths stop at 9.
void ReadSelectionTrees(SelectionTreeState& s, std::string_view text);

// `seltree` n: shows tree n. A number outside 0..4, or a tree whose first column shows nothing,
// offers nothing to click: the script goes on past the command.
CommandResult RunSeltree(EngineState& e, const char* arg);

// The pointer moved while the tree is shown.
void SelectionTreeHover(EngineState& e, int x, int y);
// A left click while the tree is shown: the entry under the pointer, if it has a target, is
// called as `call` would; a click on nothing, or on a branch, keeps the tree.
void SelectionTreeClick(EngineState& e);

}  // namespace vespin
