// Roll scripts, effect scripts and ending credits of any bytes. The input is the roll script,
// then (after a 0xFF byte, when there is one) the data script `effect`, then (after another) the
// data script `endroll`. The roll plays through `*roll`, each of the effect script's first labels
// through `*effect`, and the credits are read, drawn once and cut into columns at three scroll
// positions (playing them whole would take thousands of frames).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/screens/ending_credits.h"
#include "core/screens/roll.h"
#include "core/script/text_parse.h"
#include "fuzz/support/fuzz_game.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::vector<std::string> Lines(const Bytes& data) {
    std::vector<std::string> out;
    std::string line;
    for (uint8_t b : data) {
        if (b == 0) {
            out.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(b));
        }
    }
    if (!line.empty()) out.push_back(line);
    return out;
}

// Rolls wait and fade on the virtual clock, but each 100 ms of waiting and each fade frame still
// costs a turn; inputs that would wait for minutes or fade a hundred times teach nothing new.
bool Affordable(const std::vector<std::string>& roll) {
    int64_t tenths = 0;
    int fades = 0;
    for (const std::string& line : roll) {
        if (line.empty() || (line[0] != '*' && line[0] != '@')) continue;
        vespin::RollCommandLine c = vespin::SplitRollCommand(line);
        if (c.Keyword == "WAIT")
            tenths += std::max(0, vespin::ParseDecimal(std::string(c.Argument).c_str()));
        if (c.Keyword == "GRA" || c.Keyword == "PUT" || c.Keyword == "ERA") fades += 1;
    }
    return tenths <= 600 && fades <= 24;
}

std::vector<std::string> Labels(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == ':' && out.size() < 2) out.push_back(line.substr(1, 32));
    }
    return out;
}

void Credits(vespin::fuzz::FuzzGame& game, const Bytes& endroll) {
    using namespace vespin;
    CreditsScript script = ReadCreditsScript(Lines(endroll));
    CreditsPicture picture = BuildCreditsPicture(game.State().TextRenderer.Fonts, script.Credits);
    Surface frame(kScreenWidth, kScreenHeight);
    const int end = CreditsScrollEnd(script.Credits.size());
    for (int y : {0, end / 2 & ~1, end - 2})
        DrawCreditsColumn(picture, y, frame);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size > 4096) return 0;
    const uint8_t* end = data + size;
    const uint8_t* split1 = std::find(data, end, 0xFF);
    const uint8_t* split2 = split1 == end ? end : std::find(split1 + 1, end, 0xFF);
    Bytes roll(data, split1);
    Bytes effect = split1 == end ? Bytes{} : Bytes(split1 + 1, split2);
    Bytes endroll = split2 == end ? Bytes{} : Bytes(split2 + 1, end);
    if (!Affordable(Lines(roll))) return 0;

    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    std::vector<std::string> commands = {"*roll fz"};
    for (const std::string& label : Labels(Lines(effect)))
        commands.push_back("*effect " + label);
    for (const std::string& command : commands) {
        game.Reset();
        Bytes scenario(command.begin(), command.end());
        scenario.push_back(0);
        game.LoadScenario(scenario, {{"fz", roll}, {"effect", effect}});
        game.Play(3, static_cast<uint32_t>(size));
    }
    Credits(game, endroll);
    return 0;
}
