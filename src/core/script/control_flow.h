#pragma once
// Commands that steer the script itself: jumps, calls and returns, conditions, waits, string
// slots and variable helpers. Each takes the argument as it stands in LineBuffer.

#include <string_view>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

CommandResult RunGo(EngineState& e, const char* arg);
CommandResult RunChain(EngineState& e, const char* arg);
CommandResult RunCall(EngineState& e, const char* arg);
CommandResult RunEnd(EngineState& e, const char* arg);
CommandResult RunReturn(EngineState& e, const char* arg);
CommandResult RunIf(EngineState& e, const char* arg);
CommandResult RunComputedJump(EngineState& e, const char* arg);
CommandResult RunSleep(EngineState& e, const char* arg);
CommandResult RunWaitVoiceEnd(EngineState& e, const char* arg);
CommandResult RunString(EngineState& e, const char* arg);
CommandResult RunTitle(EngineState& e, const char* arg);
CommandResult RunCalc(EngineState& e, const char* arg);
CommandResult RunGetMax(EngineState& e, const char* arg);
CommandResult RunGameInit(EngineState& e, const char* arg);
CommandResult RunBackTo(EngineState& e, const char* arg);
CommandResult RunBreak(EngineState& e, const char* arg);
CommandResult RunExitGame(EngineState& e, const char* arg);
CommandResult RunExit(EngineState& e, const char* arg);
CommandResult RunCgFull(EngineState& e, const char* arg);

// The target of `chain` and `call`: a script name and, after a ':', a label.
struct NameAndLabel {
    std::string_view Name;
    std::string_view Label;
    bool HasLabel = false;
};
// Splits "NAME", "NAME rest" or "NAME:LABEL" starting at `name` (a pointer into the NUL-terminated
// `line`); the name's first byte is taken as it is, the scan for a blank or ':' begins at its
// second byte and stops at byte 99 of the line.
NameAndLabel SplitNameAndLabel(const char* line, const char* name);

// Copies `text` into a 32-byte string slot: at most 31 bytes, never splitting a double-byte
// character.
void SetStringSlot(EngineState& e, int slot, std::string_view text);

}  // namespace vespin
