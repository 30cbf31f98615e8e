#pragma once
// `shake`: the main window trembles and comes back exactly where it was.

#include <string_view>

namespace vespin {

struct EngineState;

// mode[,amplitude[,period]]: 0 up and down, 1 left and right, 2 in random directions, anything
// else keeps still for the same time. The amplitude (20) falls by two every period (50 ms).
void Shake(EngineState& e, std::string_view argument);

}  // namespace vespin
