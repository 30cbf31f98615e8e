// vespin-tool sound decode|encode: WADY entries <-> 16-bit PCM WAV files.

#include <cstdlib>
#include <span>

#include "core/audio/wady.h"
#include "core/audio/wav_file.h"
#include "tools/tool_io.h"
#include "tools/wady_encoder.h"

namespace vespin::tool {

namespace {

constexpr char kUsage[] =
    "usage: vespin-tool sound decode IN OUT.wav --coding R|D|M\n"
    "       vespin-tool sound encode IN.wav OUT --coding R|D|M [--loop SAMPLE] [--scale M]";

WadyCoding ParseCoding(const std::string& text) {
    if (text == "R" || text == "r") return WadyCoding::R;
    if (text == "D" || text == "d") return WadyCoding::D;
    if (text == "M" || text == "m") return WadyCoding::M;
    throw ToolError("unknown coding '" + text + "' (R, D or M)");
}

uint32_t ParseCount(const std::string& text, const char* what) {
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != 0 || value > 0xFFFFFFFFul)
        throw ToolError(std::string("bad ") + what + " '" + text + "'");
    return static_cast<uint32_t>(value);
}

struct SoundArgs {
    std::string In, Out;
    WadyCoding Coding = WadyCoding::R;
    bool HaveCoding = false;
    WadyEncodeOptions Options;
    bool HaveLoop = false;
};

SoundArgs ParseArgs(const std::vector<std::string>& args) {
    SoundArgs a;
    std::vector<std::string> files;
    for (size_t i = 1; i < args.size(); ++i) {
        auto value = [&]() -> const std::string& { return OptionValue(args, i); };
        if (args[i] == "--coding") {
            a.Coding = ParseCoding(value());
            a.HaveCoding = true;
        } else if (args[i] == "--loop") {
            a.Options.LoopFrame = ParseCount(value(), "--loop");
            a.HaveLoop = true;
        } else if (args[i] == "--scale") {
            uint32_t scale = ParseCount(value(), "--scale");
            if (scale < 1 || scale > 255) throw ToolError("--scale takes 1..255");
            a.Options.Scale = static_cast<uint8_t>(scale);
        } else {
            files.push_back(Positional(args[i]));
        }
    }
    if (files.size() != 2 || !a.HaveCoding) throw ToolError(kUsage);
    a.In = files[0];
    a.Out = files[1];
    return a;
}

int Decode(const SoundArgs& a) {
    std::vector<uint8_t> entry = ReadBytes(a.In);
    wady::Header h;
    if (!wady::ParseHeader(entry, h)) throw ToolError(a.In + " is not a WADY entry");
    std::vector<int16_t> pcm;
    PcmFormat format;
    switch (a.Coding) {
        case WadyCoding::R:
            pcm = wady::DecodeR(entry);
            break;
        case WadyCoding::D:
            pcm = wady::DecodeD(entry);
            break;
        case WadyCoding::M:
            pcm = wady::DecodeMusicEntry(entry);
            break;
    }
    if (a.Coding == WadyCoding::M) {
        format = PcmFormat{h.Channels, static_cast<int>(h.SampleRate)};
    } else if (!wady::PlayFormat(h, format)) {
        throw ToolError(a.In + ": the wave format record is not 16-bit PCM, mono or stereo");
    }
    if (format.Channels != 1 && format.Channels != 2)
        throw ToolError(a.In + ": channel count must be 1 or 2");
    pcm.resize(pcm.size() / format.Channels * format.Channels);
    WriteBytes(a.Out, EncodeWav(format, pcm));
    return 0;
}

int Encode(const SoundArgs& a) {
    if (a.HaveLoop && a.Coding != WadyCoding::M) throw ToolError("--loop is for coding M");
    std::vector<uint8_t> bytes = ReadBytes(a.In);
    PcmFormat format;
    std::vector<int16_t> pcm;
    std::string error;
    if (!DecodeWav(bytes, format, pcm, error)) throw ToolError(a.In + ": " + error);
    if (a.HaveLoop && a.Options.LoopFrame >= pcm.size() / format.Channels)
        throw ToolError("--loop lies past the end of the sound");
    WriteBytes(a.Out, EncodeWady(a.Coding, format, pcm, a.Options));
    return 0;
}

}  // namespace

int SoundCommand(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "decode") return Decode(ParseArgs(args));
    if (!args.empty() && args[0] == "encode") return Encode(ParseArgs(args));
    throw ToolError(kUsage);
}

}  // namespace vespin::tool
