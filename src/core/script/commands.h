#pragma once
// The command table and dispatcher for '*' and '@' lines.

#include <string_view>

namespace vespin {

struct EngineState;

enum class CommandResult : int {
    NextLine = 0,    // read the next line in this pass
    EndPass = 1,     // end this pass
    Redispatch = 2,  // dispatch LineBuffer again from its first byte (only `if`)
};

inline constexpr int kCommandCount = 62;

// Index of the first table entry that `text` (the bytes after the prefix) starts with, ignoring
// case over the entry's full length; -1 when none matches.
int FindCommand(std::string_view text);
// Where the argument of the command at `index` starts in `line` (the whole NUL-terminated line,
// prefix included); a line shorter than the command's offset has an empty argument.
const char* CommandArgument(const char* line, int index);
// The entry's matched text, for tools and tests.
std::string_view CommandName(int index);

// Whether the command at `index` has its handler; an unbuilt one does to the pass what its row
// says (CommandRowResult) and says once a run, on stderr, that it is missing.
bool CommandBuilt(int index);
CommandResult CommandRowResult(int index);

// Runs the command at `index` on the current LineBuffer.
CommandResult ExecuteCommand(EngineState& e, int index);

}  // namespace vespin
