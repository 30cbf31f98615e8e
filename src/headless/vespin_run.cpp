// vespin-run: plays a game folder on a virtual clock with no display, for authors and CI.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/audio/wav_file.h"
#include "core/shell/engine.h"
#include "headless/headless_host.h"
#include "headless/state_dump.h"
#include "tools/png_io.h"

namespace {

constexpr char kUsage[] =
    "usage: vespin-run --game DIR [options]\n"
    "  --game DIR           the game folder (holds vg_data.vsp and the other archives)\n"
    "  --until MS           stop after MS virtual milliseconds (default 60000)\n"
    "  --input FILE         timed events, one a line: '1200 click 400 300 left', '9000 save 3'\n"
    "  --load N             load slot N right after start-up, as the load screen does\n"
    "  --transcript FILE    write every typed character (UTF-8) with wait and page marks\n"
    "  --shot MS:FILE.png   write the drawing area at virtual time MS (repeatable)\n"
    "  --vars FILE          write the variable banks at exit as JSON\n"
    "  --wav FILE           write the mixed sound (44.1 kHz stereo, every slot at its volume)\n"
    "  --seed N             the clock's seconds that seed the random generator (default 0)\n"
    "  --setting NAME=VALUE preset a settings value (repeatable)\n";

struct Options {
    std::filesystem::path Game = ".";
    uint32_t UntilMs = 60000;
    std::string Input, Transcript, Vars, Wav;
    std::vector<std::pair<uint32_t, std::string>> Shots;
    int64_t Seed = 0;
    int LoadSlot = -1;
    std::vector<std::pair<std::string, std::string>> Settings;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "vespin-run: %s\n", message.c_str());
    std::exit(2);
}

uint32_t ParseMs(const std::string& text, const char* what) {
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != 0 || value > 0xFFFFFFFFul) Fail(std::string("bad ") + what);
    return static_cast<uint32_t>(value);
}

Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            // A value that looks like an option is a forgotten value, not a file to create.
            if (i + 1 >= argc || (argv[i + 1][0] == '-' && argv[i + 1][1] != 0))
                Fail(arg + " needs a value\n" + kUsage);
            return argv[++i];
        };
        if (arg == "--game")
            o.Game = value();
        else if (arg == "--until")
            o.UntilMs = ParseMs(value(), "--until");
        else if (arg == "--input")
            o.Input = value();
        else if (arg == "--transcript")
            o.Transcript = value();
        else if (arg == "--vars")
            o.Vars = value();
        else if (arg == "--wav")
            o.Wav = value();
        else if (arg == "--load")
            o.LoadSlot = static_cast<int>(ParseMs(value(), "--load slot"));
        else if (arg == "--seed")
            o.Seed = ParseMs(value(), "--seed");
        else if (arg == "--shot") {
            std::string shot = value();
            size_t colon = shot.find(':');
            if (colon == std::string::npos) Fail("--shot takes MS:FILE.png");
            o.Shots.emplace_back(ParseMs(shot.substr(0, colon), "--shot time"),
                                 shot.substr(colon + 1));
        } else if (arg == "--setting") {
            std::string setting = value();
            size_t eq = setting.find('=');
            if (eq == std::string::npos) Fail("--setting takes NAME=VALUE");
            o.Settings.emplace_back(setting.substr(0, eq), setting.substr(eq + 1));
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else {
            Fail("unknown option " + arg + "\n" + kUsage);
        }
    }
    return o;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) Fail("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
    Options o = ParseOptions(argc, argv);
    std::error_code ec;
    if (!std::filesystem::is_directory(o.Game, ec)) Fail("no game folder at " + o.Game.string());
    if (!std::filesystem::exists(o.Game / "vg_data.vsp", ec))
        Fail("not a game folder (no vg_data.vsp): " + o.Game.string());

    vespin::HeadlessHost host;
    host.SetWallClockSeconds(o.Seed);
    for (auto& [name, val] : o.Settings)
        host.Store().Write(name, val);
    std::vector<vespin::ScriptedEvent> events;
    if (o.LoadSlot >= 0) {
        // Delivered by the first pump; the load runs on the pass after the one that starts
        // the scenario, before any of its lines.
        vespin::ScriptedEvent load;
        load.Input.kind = vespin::InputKind::LoadSlot;
        load.Input.value = o.LoadSlot;
        events.push_back(load);
    }
    if (!o.Input.empty()) {
        vespin::EventScriptResult parsed = vespin::ParseEventScript(ReadFile(o.Input));
        if (!parsed.Error.empty()) Fail(o.Input + ": " + parsed.Error);
        events.insert(events.end(), parsed.Events.begin(), parsed.Events.end());
    }
    host.SetEvents(std::move(events));
    bool shot_failed = false;
    for (auto& [ms, path] : o.Shots) {
        host.AddShot(ms, [&, path = path](const vespin::Surface& area) {
            std::string error;
            if (!vespin::WritePng(area, path, error)) {
                std::fprintf(stderr, "vespin-run: %s\n", error.c_str());
                shot_failed = true;
            }
        });
    }

    if (!o.Wav.empty()) host.Sound().StartCapture();
    vespin::Engine engine(host, std::filesystem::absolute(o.Game));
    while (!engine.State().Shell.WindowClosed && host.NowMs() < o.UntilMs)
        engine.Step();
    host.TakeDueShots();

    for (const std::string& box : host.MessageBoxes())
        std::fprintf(stderr, "vespin-run: message box: %s\n", box.c_str());
    if (!o.Transcript.empty()) WriteFile(o.Transcript, host.TranscriptText());
    if (!o.Vars.empty()) WriteFile(o.Vars, vespin::VariablesAsJson(engine.State().Vars));
    if (!o.Wav.empty()) {
        const std::vector<int16_t>& mix = host.Sound().Captured();
        std::vector<uint8_t> wav =
            vespin::EncodeWav(vespin::PcmFormat{2, vespin::VirtualSoundDevice::kMixRate}, mix);
        WriteFile(o.Wav, std::string(wav.begin(), wav.end()));
    }
    return shot_failed ? 1 : 0;
}
