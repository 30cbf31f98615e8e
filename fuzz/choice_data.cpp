// Click-map data scripts and choice blocks of any bytes. The input is the data script `map`, then
// (after a 0xFF byte, when there is one) the `{` entry lines of a choice block. Each of the map's
// first labels is offered as a click map, then the block as a `select` and a `sel2`; the player
// points at the regions and picks one.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/support/fuzz_game.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The labels a click map can name: the text after a ':' that begins a line, up to four.
std::vector<std::string> Labels(const Bytes& map) {
    std::vector<std::string> out;
    for (size_t i = 0; i < map.size() && out.size() < 4; ++i) {
        if (map[i] != ':' || (i > 0 && map[i - 1] != 0)) continue;
        size_t end = std::find(map.begin() + i, map.end(), 0) - map.begin();
        out.emplace_back(map.begin() + i + 1, map.begin() + std::min(end, i + 32));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size > 8192) return 0;
    const uint8_t* split = std::find(data, data + size, 0xFF);
    Bytes map(data, split);
    Bytes block = split == data + size ? Bytes{'{', 'a', 0, '{', 'b', 0, '}', 0}
                                       : Bytes(split + 1, data + size);
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    game.Reset();
    std::vector<std::string> commands = Labels(map);
    for (std::string& label : commands)
        label = "*clickmap " + label;
    commands.push_back("*select");
    commands.push_back("*sel2");
    for (const std::string& command : commands) {
        game.Reset();
        Bytes scenario(command.begin(), command.end());
        scenario.push_back(0);
        scenario.insert(scenario.end(), block.begin(), block.end());
        game.LoadScenario(scenario, {{"map", map}});
        game.Play(3, static_cast<uint32_t>(size + command.size()));
    }
    return 0;
}
