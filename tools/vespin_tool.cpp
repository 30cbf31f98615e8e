// vespin-tool: makes and inspects the game's content (archives, scripts, sounds, pictures).

#include <cstdio>
#include <string>
#include <vector>

#include "tools/tool_io.h"

namespace {

constexpr char kUsage[] =
    "usage: vespin-tool COMMAND ...\n"
    "  archive list FILE\n"
    "  archive extract FILE -o DIR [NAME...]\n"
    "  archive pack OUT --layout script|sized [--name-width W] FILES...\n"
    "  script encode IN.txt OUT      UTF-8 text, a script line a text line -> stored script\n"
    "  script decode IN OUT.txt\n"
    "  sound decode IN OUT.wav --coding R|D|M\n"
    "  sound encode IN.wav OUT --coding R|D|M [--loop SAMPLE] [--scale M]\n"
    "                               R: voices and effects, D: animation sounds, M: music\n"
    "  picture decode IN OUT.png|OUT.bgr      a JPEG or packed entry; .bgr: raw rows, no header\n"
    "  picture decode --archive FILE --entry NAME OUT.png|OUT.bgr\n"
    "  picture encode IN.png OUT [--no-rle] [--no-delta]\n"
    "                                         the packed format, smallest allowed stages\n"
    "  save dump FILE                         a slot file or save0.dat as one JSON object\n"
    "  save list GAMEDIR                      slot, caption and first preview line per save\n"
    "  anim list FILE | anim list --archive FILE --entry NAME    header and events\n"
    "  anim pack OUT --period T [--sound FILE] FRAME.jpg...      key frames (+ WAV or entry)\n"
    "  check [--json] GAMEDIR                 the route checker: broken jumps, missing pictures,\n"
    "                                         sounds and scripts; exit code 1 on errors\n"
    "  check --graph GAMEDIR > routes.dot     the jumps and calls as a Graphviz graph\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    std::string group = args[0];
    args.erase(args.begin());
    try {
        if (group == "archive") return vespin::tool::ArchiveCommand(args);
        if (group == "script") return vespin::tool::ScriptCommand(args);
        if (group == "sound") return vespin::tool::SoundCommand(args);
        if (group == "picture") return vespin::tool::PictureCommand(args);
        if (group == "save") return vespin::tool::SaveCommand(args);
        if (group == "anim") return vespin::tool::AnimCommand(args);
        if (group == "check") return vespin::tool::CheckCommand(args);
        throw vespin::tool::ToolError("unknown command '" + group + "'\n" + kUsage);
    } catch (const vespin::tool::ToolError& error) {
        std::fprintf(stderr, "vespin-tool: %s\n", error.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vespin-tool: %s\n", error.what());
        return 1;
    }
}
