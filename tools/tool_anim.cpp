// vespin-tool anim list|pack

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/anim/anim_entry.h"
#include "core/anim/anim_schedule.h"
#include "core/audio/wav_file.h"
#include "core/resources/jpeg_picture.h"
#include "core/text/sjis.h"
#include "tools/anim_writer.h"
#include "tools/tool_io.h"
#include "tools/wady_encoder.h"

namespace vespin::tool {

namespace {

constexpr char kAnimUsage[] =
    "usage: vespin-tool anim list FILE\n"
    "       vespin-tool anim list --archive FILE --entry NAME\n"
    "       vespin-tool anim pack OUT --period T [--sound FILE] FRAME.jpg...";

const char* ErrorText(AnimEntryError error) {
    switch (error) {
        case AnimEntryError::None:
            return "no error";
        case AnimEntryError::Truncated:
            return "the header or the event arrays reach past the entry";
        case AnimEntryError::BadCount:
            return "the event count cannot fit the entry";
        case AnimEntryError::BadFrameTime:
            return "the frame time is not between 1 and 60000 ms";
    }
    return "unknown error";
}

const char* TypeName(uint16_t type) {
    switch (type) {
        case kKeyFrame:
            return "key";
        case kPatchFrame:
            return "patch";
        case kResyncEvent:
            return "resync";
        default:
            return "unknown";
    }
}

// The entry's bytes as the engine sees them: the directory's size, cut at the file's end.
std::vector<uint8_t> ReadArchiveEntry(const std::string& archive, const std::string& name) {
    ArchiveDirectory dir = ReadArchiveDirectory(archive);
    int index = FindEntry(dir, sjis::FromUtf8(name).value_or(name));
    if (index < 0) throw ToolError("no entry named " + name + " in " + archive);
    std::error_code ec;
    const auto file_size = static_cast<int64_t>(std::filesystem::file_size(archive, ec));
    const int64_t offset = dir.Offsets[index], size = dir.Sizes[index];
    if (ec || offset < 0 || offset >= file_size || size <= 0)
        throw ToolError(name + ": the entry lies outside the archive");
    std::vector<uint8_t> bytes(static_cast<size_t>(std::min(size, file_size - offset)));
    std::ifstream in(archive, std::ios::binary);
    in.seekg(offset);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in) throw ToolError("cannot read " + archive);
    return bytes;
}

void PrintEntry(const AnimEntry& entry) {
    const AnimHeader& h = entry.Header;
    std::printf("events %d, frame time %d ms (period %lld us), size %dx%d, entry %lld bytes\n",
                h.Count, h.FrameTime, static_cast<long long>(EventPeriodUs(h.FrameTime)), h.Width,
                h.Height, static_cast<long long>(entry.EntrySize));
    if (h.SoundSize != 0) {
        bool inside = AnimRangeInside(h.SoundOffset, h.SoundSize, entry.EntrySize);
        std::printf("sound %d bytes at %d (%s)%s\n", h.SoundSize, h.SoundOffset,
                    h.SoundSize > kLargestEffectSound ? "music stream" : "effect",
                    inside ? "" : ", outside the entry");
    }
    std::printf("%6s %-7s %6s %6s %10s %10s %9s\n", "event", "type", "x", "y", "offset", "size",
                "due ms");
    const int64_t period = EventPeriodUs(h.FrameTime);
    for (size_t k = 0; k < entry.Events.size(); ++k) {
        const AnimEvent& ev = entry.Events[k];
        bool inside = AnimRangeInside(ev.Offset, ev.Size, entry.EntrySize);
        std::printf("%6zu %-7s %6d %6d %10d %10d %9lld%s\n", k, TypeName(ev.Type), ev.X, ev.Y,
                    ev.Offset, ev.Size, static_cast<long long>(EventDueMs(period, int64_t(k))),
                    inside ? "" : "  outside the entry");
    }
}

int List(const std::vector<std::string>& args) {
    const EntrySource src = ParseEntrySource(args);
    const std::string &archive = src.Archive, &entry = src.Entry;
    const std::vector<std::string>& files = src.Files;
    const bool from_archive = src.FromArchive();
    if (from_archive ? (archive.empty() || entry.empty() || !files.empty()) : files.size() != 1)
        throw ToolError(kAnimUsage);
    std::vector<uint8_t> bytes =
        from_archive ? ReadArchiveEntry(archive, entry) : ReadBytes(files[0]);
    AnimEntry parsed;
    AnimEntryError error = ParseAnimEntry(bytes, static_cast<int64_t>(bytes.size()), parsed);
    if (error != AnimEntryError::None)
        throw ToolError((from_archive ? entry : files[0]) + ": " + ErrorText(error));
    PrintEntry(parsed);
    return 0;
}

// A sound given as a WAV file is encoded as animations carry it (coding D); anything else is taken
// as an entry already encoded.
std::vector<uint8_t> SoundEntry(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    if (bytes.size() < 4 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF") return bytes;
    PcmFormat format;
    std::vector<int16_t> samples;
    std::string error;
    if (!DecodeWav(bytes, format, samples, error)) throw ToolError(path + ": " + error);
    return EncodeWady(WadyCoding::D, format, samples);
}

int Pack(const std::vector<std::string>& args) {
    AnimInput input;
    std::string period, sound;
    std::vector<std::string> files;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--period") {
            period = OptionValue(args, i);
        } else if (args[i] == "--sound") {
            sound = OptionValue(args, i);
        } else {
            files.push_back(Positional(args[i]));
        }
    }
    if (period.empty() || files.size() < 2) throw ToolError(kAnimUsage);
    size_t used = 0;
    try {
        input.FrameTime = std::stoi(period, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != period.size() || input.FrameTime < 1 || input.FrameTime > kLongestFrameTimeMs)
        throw ToolError("--period must be a number of milliseconds from 1 to 60000");
    for (size_t i = 1; i < files.size(); ++i) {
        AnimEventInput ev;
        ev.Jpeg = ReadBytes(files[i]);
        Surface picture;
        if (DecodeJpegPicture(ev.Jpeg, picture) != PictureError::None)
            throw ToolError(files[i] + ": not a JPEG picture");
        if (i == 1) {
            input.Width = picture.Width();
            input.Height = picture.Height();
        }
        input.Events.push_back(std::move(ev));
    }
    if (!sound.empty()) input.Sound = SoundEntry(sound);
    std::vector<uint8_t> out;
    std::string error;
    if (!BuildAnimEntry(input, out, error)) throw ToolError(error);
    WriteBytes(files[0], out);
    return 0;
}

}  // namespace

int AnimCommand(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "list") return List(args);
    if (!args.empty() && args[0] == "pack") return Pack(args);
    throw ToolError(kAnimUsage);
}

}  // namespace vespin::tool
