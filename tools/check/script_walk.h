#pragma once
// The line-by-line part of the route checker: every line of every scenario script, read as the
// interpreter reads it, with each command's argument taken where the command table says.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/check/route_check.h"

namespace vespin {
struct EngineState;
}

namespace vespin::check {

struct GameScripts {
    std::map<std::string, std::string> Texts;  // upper-cased name -> decoded script bytes
    std::set<std::string> DataScripts;         // read by screens, never run as a scenario
    // Pages that `present` shows ("SCRIPT:LABEL", the label folded): their lines are the
    // presentation mode's own commands, up to its `*end`.
    std::set<std::string> PresentationPages;
};

struct LabelDefinition {
    std::string Script;
    std::string Name;  // Shift-JIS, as written after the ':'
    int Line = 0;
};

struct WalkOutcome {
    std::vector<RouteEdge> Edges;
    std::vector<LabelDefinition> Labels;
};

// Checks every scenario script of `game` (`e` is a scratch engine over the game's archives; its
// script state is overwritten) and appends what it finds.
WalkOutcome WalkGame(EngineState& e, GameScripts& game, std::vector<Finding>& findings);

}  // namespace vespin::check
