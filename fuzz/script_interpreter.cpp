// Random script bytes through the interpreter for a bounded number of passes. Waits are released
// between passes as a player would, so the script keeps running.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/host/null_host.h"
#include "core/script/expression.h"
#include "core/script/interpreter.h"
#include "core/shell/engine_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size > static_cast<size_t>(kScriptCapacity)) return 0;
    static NullHost host;
    static EngineState* state = new EngineState(host, "/nonexistent");
    EngineState& e = *state;
    e.Vars = VariableBanks{};
    e.Text = TextState{};
    e.Shell = ShellState{};
    e.Script.CallDepth = 0;
    e.Script.SubstitutionText.Clear();
    std::memcpy(e.Script.ScriptBuffer.data(), data, size);
    e.Script.ScriptSize = static_cast<int>(size);
    e.Script.ReadPosition = 0;
    e.Script.FetchLine = true;
    for (int pass = 0; pass < 64 && !e.Shell.WindowClosed; ++pass) {
        try {
            RunScript(e);
        } catch (const ScriptConversionError&) {
        }
        e.Shell.WaitKind = 0;
        e.Shell.WaitTicks = 0;
        e.Shell.SleepPasses = 0;
    }
    return 0;
}
