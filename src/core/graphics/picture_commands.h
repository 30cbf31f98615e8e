#pragma once
// The script's picture commands and the [gra] and [clrb] tags.

#include <string>
#include <string_view>
#include <vector>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;
class Surface;

enum class PictureSelector : int { Gra = 0, Grb = 1 };

// The picture operation of `gra` (shows the result) and `grb` (only changes the layers).
void PictureOperation(EngineState& e, std::string_view argument, PictureSelector selector);
// Removes character pictures and shows the scene; `argument` as the command or tag has it.
void ClearCharacters(EngineState& e, std::string_view argument);

// A picture that a `gra`/`grb` argument (or the [gra] tag) loads: its name, and whether the
// engine loads its mask with it.
struct PictureReference {
    std::string Name;
    bool WithMask = false;
};
// What PictureOperation loads for `argument`; empty for colours and for no operation.
std::vector<PictureReference> PicturesNamedBy(std::string_view argument);

// The mask of picture N is the picture whose name is N with its first character turned into M.
std::string MaskName(std::string name);
// Fills a screen-sized layer with the colour an "S" name gives: characters 2 to 4 are hexadecimal
// digits for blue, green and red times 16 ("g" is full intensity, anything else 0).
void FillWithNamedColour(Surface& layer, std::string_view name);

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
