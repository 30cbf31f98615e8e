#include "core/screens/roll.h"

#include <algorithm>
#include <cstdint>

#include "core/audio/music.h"
#include "core/screens/data_lines.h"
#include "core/screens/roll_box.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/engine.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr size_t kMaxKeyword = 10;
constexpr uint32_t kWaitSliceMs = 100;
// WAIT counts tenths of a second; this keeps 100 n inside the clock's signed range (23 days).
constexpr int kMaxWaitTenths = 20'000'000;

bool IsCommandLine(std::string_view line) {
    return !line.empty() && (line[0] == '*' || line[0] == '@');
}

int Number(std::string_view text) {
    return ParseDecimal(std::string(text).c_str());
}

// The numbers of "l,t,r,b"; missing ones read 0.
void ReadBox(std::string_view text, int (&v)[4]) {
    for (int& n : v) {
        n = Number(text);
        size_t comma = text.find(',');
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
}

// GRA name[,mode]: the name ends at the comma; the mode is 1 when none is given.
void RollPicture(EngineState& e, std::string_view argument) {
    size_t comma = argument.find(',');
    std::string_view name = argument.substr(0, comma);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\r' || name.back() == '\t'))
        name.remove_suffix(1);
    int mode = comma == std::string_view::npos ? 1 : Number(argument.substr(comma + 1));
    ShowRollPicture(e, name, mode);
}

// WAIT n: until the reference time + 100 n ms, pumping messages every 100 ms on the way.
void WaitFromReference(EngineState& e, int tenths) {
    RollState& r = e.Rolls;
    const int64_t span = int64_t{std::clamp(tenths, -kMaxWaitTenths, kMaxWaitTenths)} * 100;
    const uint32_t target = r.ReferenceMs + static_cast<uint32_t>(span);
    auto ahead = [&] { return static_cast<int32_t>(target - e.Host.NowMs()); };
    while (ahead() > static_cast<int32_t>(kWaitSliceMs) && !RollStopped(e)) {
        PumpMessages(e);
        e.Host.SleepMs(kWaitSliceMs);
    }
    if (ahead() > 0 && !RollStopped(e)) e.Host.SleepMs(static_cast<uint32_t>(ahead()));
    r.ReferenceMs = e.Host.NowMs();
}

// CENTER letters: left and no vertical centring, then X centres, Y centres vertically and R
// aligns right, later letters winning.
void SetAlignment(EngineState& e, std::string_view letters) {
    RollState& r = e.Rolls;
    r.Align = RollAlign::Left;
    r.CentreVertically = false;
    for (char c : letters) {
        c = static_cast<char>(sjis::UpperAscii(static_cast<uint8_t>(c)));
        if (c == 'X') r.Align = RollAlign::Centre;
        if (c == 'Y') r.CentreVertically = true;
        if (c == 'R') r.Align = RollAlign::Right;
    }
}

void RunRollCommand(EngineState& e, const RollCommandLine& c) {
    const std::string& k = c.Keyword;
    if (k == "MUSIC") {
        SetMusic(e, Number(c.Argument));
    } else if (k == "GRA") {
        RollPicture(e, c.Argument);
    } else if (k == "WIN") {
        int v[4];
        ReadBox(c.Argument, v);
        SetRollBox(e, v[0], v[1], v[2], v[3]);
    } else if (k == "PUT") {
        PutRollText(e, Number(c.Argument));
    } else if (k == "ERA") {
        EraseRollBox(e, Number(c.Argument));
    } else if (k == "RESET" || k == "HOOK") {
        e.Rolls.ReferenceMs = e.Host.NowMs();
    } else if (k == "WAIT") {
        WaitFromReference(e, Number(c.Argument));
    } else if (k == "CENTER") {
        SetAlignment(e, c.Argument);
    }
}

// While the quit question is open the reel holds still.
void HoldWhilePaused(EngineState& e) {
    while (e.Rolls.Paused && !e.Shell.WindowClosed) {
        PumpMessages(e);
        e.Host.SleepMs(kWaitSliceMs);
    }
}

}  // namespace

RollCommandLine SplitRollCommand(std::string_view line) {
    RollCommandLine out;
    if (line.empty()) return out;
    std::string_view rest = line.substr(1);
    size_t end = rest.find_first_of(" \t\r");
    if (end == std::string_view::npos) end = rest.size();
    out.Keyword = sjis::UpperAscii(rest.substr(0, std::min(end, kMaxKeyword)));
    if (end < rest.size()) out.Argument = rest.substr(end + 1);
    return out;
}

void PlayRoll(EngineState& e, const std::vector<std::string>& lines) {
    RollState& r = e.Rolls;
    r.Running = true;
    r.Paused = false;
    r.Abort = false;
    r.ReferenceMs = e.Host.NowMs();
    ResetRollBox(e);
    e.Shell.MainMode = kModeRoll;
    for (const std::string& line : lines) {
        if (IsCommandLine(line)) {
            RunRollCommand(e, SplitRollCommand(line));
            r.Lines.clear();  // every command ends the text block
        } else {
            r.Lines.push_back(line);
        }
        HoldWhilePaused(e);
        if (RollStopped(e)) break;
    }
    e.Shell.MainMode = kModeScript;
    r.Lines = {};
    r.BoxPicture = Surface{};
    r.BoxWork = Surface{};
    r.Running = false;
}

CommandResult RunRoll(EngineState& e, const char* arg) {
    StopSkipAndAuto(e, StopMode::Forced);
    std::string_view name(arg);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\r'))
        name.remove_suffix(1);
    if (!LoadScript(e, name, ScriptMode::Data)) return CommandResult::EndPass;
    PlayRoll(e, DataScriptLines(e));
    return CommandResult::EndPass;
}

}  // namespace vespin
