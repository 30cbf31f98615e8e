#pragma once
// Loading scripts by name from the script archives, and the searches over a loaded script.

#include <cstdint>
#include <span>
#include <string_view>

namespace vespin {

struct EngineState;

enum class ScriptMode : int {
    Scenario = 1,  // into ScriptBuffer, run by the interpreter
    Data = 2,      // into DataScriptBuffer, read by a screen
};

// Loads a script from vg_data2.vsp, else vg_data.vsp. False, changing nothing, when neither
// holds the name or its archive cannot be read.
bool LoadScript(EngineState& e, std::string_view name, ScriptMode mode);

// Puts decoded script bytes into ScriptBuffer (cut at its capacity) as the current script and
// indexes its labels. Positions are left to the caller.
void SetScriptText(EngineState& e, std::span<const uint8_t> bytes);

// The script line starting at `offset`, up to its NUL or the end of the script; empty outside it.
std::string_view ScriptLineAt(const EngineState& e, int offset);

// Offset of the line after the first ':' whose following text equals `name` (ignoring case), or
// -1 when there is none. Answered from the label index; a buffer filled without SetScriptText
// has none and is scanned.
int FindLabel(const EngineState& e, std::string_view name);

// Offset of the first line at or after `from` whose first byte is `byte`, or kNoLine.
int SkipToLineStartingWith(const EngineState& e, int from, char byte);

// Offset of the first line from `from` on that reads "}:" followed by `name` (ignoring case),
// or kNoLine.
int FindNamedBlockEnd(const EngineState& e, int from, std::string_view name);

// Moves the interpreter to the line after `name`'s label; false (nothing moved) when the label is
// missing.
bool JumpToLabel(EngineState& e, std::string_view name);

// Returns from a called script (`end`, or running off its end): pops the call stack and loads the
// caller at the line after its `call`. Does nothing at the outermost level.
void ReturnFromCall(EngineState& e);

// Clears the waits and the text cursor before a script starts.
void ResetWaits(EngineState& e);

}  // namespace vespin
