// The headless host's event scripts of any bytes: an error naming a line, or events in time order.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "headless/event_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    EventScriptResult result =
        ParseEventScript(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!result.Error.empty()) {
        if (result.Error.rfind("line ", 0) != 0) __builtin_trap();
        return 0;
    }
    for (size_t i = 1; i < result.Events.size(); ++i) {
        if (result.Events[i].TimeMs < result.Events[i - 1].TimeMs) __builtin_trap();
    }
    return 0;
}
