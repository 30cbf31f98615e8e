#pragma once
// The line interpreter's state: the loaded script, the read position, the current line and the
// call stack. Save files keep the positions, the line, the call stack and the names; the script
// text itself is loaded again by name.

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "core/script/label_index.h"
#include "core/shell/fixed_string.h"

namespace vespin {

inline constexpr int kScriptCapacity = 262144;
inline constexpr int kLineCapacity = 2048;  // 2,047 bytes and the NUL
inline constexpr int kCallStackDepth = 9;
inline constexpr int kScriptNameField = 30;
// Returned by SkipToLineStartingWith when no such line exists.
inline constexpr int kNoLine = 0xFFFFFF;

using ScriptNameField = FixedString<kScriptNameField>;

struct CallFrame {
    ScriptNameField ScriptName;
    int32_t ReturnPosition = 0;
};

struct ScriptState {
    std::vector<uint8_t> ScriptBuffer = std::vector<uint8_t>(kScriptCapacity);
    int ScriptSize = 0;
    LabelIndex Labels;  // of ScriptBuffer, rebuilt whenever a script is put there
    int ReadPosition = 0;
    int LineStart = 0;
    std::array<char, kLineCapacity> LineBuffer{};
    int LineColumn = 0;
    bool FetchLine = true;

    std::array<CallFrame, kCallStackDepth> CallStack{};
    int CallDepth = 0;
    ScriptNameField CurrentScriptName;
    ScriptNameField LastLoadedScriptName;

    FixedString<64> SubstitutionText;
    int SubstitutionPosition = 0;
    bool ColourResetPending = false;

    bool NameLine = false;

    // Commands the engine has no handler for yet, by table index, once they have been reported.
    using UnbuiltCommandFlags = std::bitset<64>;
    UnbuiltCommandFlags UnbuiltCommandsReported;

    std::vector<uint8_t> DataScriptBuffer = std::vector<uint8_t>(kScriptCapacity);
    int DataScriptSize = 0;
    int DataReadPosition = 0;
};

}  // namespace vespin
