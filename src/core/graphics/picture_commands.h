#pragma once
// The script's picture commands and the [gra] and [clrb] tags.

#include <string_view>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

enum class PictureSelector : int { Gra = 0, Grb = 1 };

// The picture operation of `gra` (shows the result) and `grb` (only changes the layers).
void PictureOperation(EngineState& e, std::string_view argument, PictureSelector selector);
// Removes character pictures and shows the scene; `argument` as the command or tag has it.
void ClearCharacters(EngineState& e, std::string_view argument);

CommandResult RunGra(EngineState& e, const char* arg);
CommandResult RunGrb(EngineState& e, const char* arg);
CommandResult RunClrb(EngineState& e, const char* arg);
CommandResult RunUpdate(EngineState& e, const char* arg);
CommandResult RunFix(EngineState& e, const char* arg);
CommandResult RunPartsLoad(EngineState& e, const char* arg);
CommandResult RunPtSet(EngineState& e, const char* arg);
CommandResult RunDirect(EngineState& e, const char* arg);
CommandResult RunMode(EngineState& e, const char* arg);

}  // namespace vespin
