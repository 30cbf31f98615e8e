#pragma once
// `roll` name: a text reel played from its own small language in the data script `name`. Lines
// beginning with '*' or '@' are commands (pictures, music, the text box, timed waits); any other
// line joins the text block that the next PUT shows. The reel runs to its end inside the command,
// pumping messages while it waits; clicks do not shorten it, closing the window asks and, when
// the player confirms, ends it.

#include <string>
#include <string_view>
#include <vector>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

CommandResult RunRoll(EngineState& e, const char* arg);

// Plays the lines of a roll script (MainMode 3 meanwhile). Does nothing else: loading the script
// is the command's business.
void PlayRoll(EngineState& e, const std::vector<std::string>& lines);

// A roll command line split into its keyword (upper-cased, at most 10 characters) and the text
// from one byte after the keyword on.
struct RollCommandLine {
    std::string Keyword;
    std::string_view Argument;
};
RollCommandLine SplitRollCommand(std::string_view line);

}  // namespace vespin
