// vespin-tool archive list|extract|pack

#include <cstdio>
#include <filesystem>

#include "core/resources/archive.h"
#include "core/text/sjis.h"
#include "tools/archive_writer.h"
#include "tools/tool_io.h"

namespace vespin::tool {

namespace {

// Guesses the layout from the file name: the two script archives use the script layout.
DirectoryLayout LayoutOf(const std::string& path) {
    std::string name = sjis::UpperAscii(std::filesystem::path(path).filename().string());
    return (name == "VG_DATA.VSP" || name == "VG_DATA2.VSP") ? DirectoryLayout::Script
                                                             : DirectoryLayout::Sized;
}

ArchiveSet OpenOne(const std::string& path, ArchiveId& id) {
    ArchiveSet set;
    set.Folder = std::filesystem::path(path).parent_path();
    if (set.Folder.empty()) set.Folder = ".";
    // Reads through the engine's own reader; the set's slot only names the file.
    id = LayoutOf(path) == DirectoryLayout::Script ? ArchiveId::Data : ArchiveId::Gra;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) throw ToolError("no archive at " + path);
    ReadDirectory(path, LayoutOf(path), set[id]);
    set[id].FileName = std::filesystem::path(path).filename().string();
    return set;
}

int List(const std::string& path) {
    ArchiveId id;
    ArchiveSet set = OpenOne(path, id);
    const ArchiveDirectory& dir = set[id];
    for (int i = 0; i < dir.Count(); ++i) {
        std::printf("%-24s %10d %10d\n", sjis::ToUtf8(dir.Names[i]).c_str(), dir.Offsets[i],
                    dir.Sizes[i]);
    }
    return 0;
}

// The engine opens archives by their standard names; the tool reads the file it was given,
// whatever its name, with the same bounds.
std::vector<uint8_t> ReadEntryOf(const std::string& path, const std::vector<uint8_t>& all,
                                 const ArchiveDirectory& dir, int index) {
    std::vector<uint8_t> bytes;
    int64_t offset = dir.Offsets[index], size = dir.Sizes[index];
    if (offset < 0 || size < 0 || static_cast<uint64_t>(offset) > all.size()) return bytes;
    size_t end = std::min<uint64_t>(all.size(), static_cast<uint64_t>(offset + size));
    bytes.assign(all.begin() + offset, all.begin() + end);
    if (LayoutOf(path) == DirectoryLayout::Script) NegateBytes(bytes.data(), bytes.size());
    return bytes;
}

int Extract(const std::vector<std::string>& args) {
    if (args.size() < 4 || args[2] != "-o" || LooksLikeOption(args[1]) || LooksLikeOption(args[3]))
        throw ToolError("usage: vespin-tool archive extract FILE -o DIR [NAME...]");
    ArchiveId id;
    ArchiveSet set = OpenOne(args[1], id);
    std::filesystem::path out_dir = args[3];
    std::filesystem::create_directories(out_dir);
    std::vector<std::string> wanted(args.begin() + 4, args.end());
    const ArchiveDirectory& dir = set[id];
    std::vector<uint8_t> all = ReadBytes(args[1]);
    for (const std::string& name : wanted) {
        std::string sjis_name = sjis::FromUtf8(name).value_or(name);
        if (FindEntry(dir, sjis_name) < 0) throw ToolError("no entry named " + name);
    }
    for (int i = 0; i < dir.Count(); ++i) {
        std::string utf8 = sjis::ToUtf8(dir.Names[i]);
        if (!wanted.empty()) {
            bool hit = false;
            for (const std::string& w : wanted)
                hit = hit || sjis::EqualsIgnoringCase(sjis::FromUtf8(w).value_or(w), dir.Names[i]);
            if (!hit) continue;
        }
        if (utf8.find('/') != std::string::npos || utf8 == "." || utf8 == ".." || utf8.empty())
            throw ToolError("entry name '" + utf8 + "' is not a safe file name");
        WriteBytes((out_dir / utf8).string(), ReadEntryOf(args[1], all, dir, i));
    }
    return 0;
}

int Pack(const std::vector<std::string>& args) {
    std::string out;
    DirectoryLayout layout = DirectoryLayout::Sized;
    bool layout_given = false;
    int width = 0;
    std::vector<ArchiveInput> inputs;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--layout") {
            const std::string& v = OptionValue(args, i);
            if (v != "script" && v != "sized") throw ToolError("--layout is script or sized");
            layout = v == "script" ? DirectoryLayout::Script : DirectoryLayout::Sized;
            layout_given = true;
        } else if (a == "--name-width") {
            width = std::atoi(OptionValue(args, i).c_str());
            if (width <= 0 || width > 4096) throw ToolError("--name-width takes 1..4096");
        } else if (out.empty()) {
            out = Positional(a);
        } else {
            std::filesystem::path p(Positional(a));
            std::string stem = p.stem().string();
            std::optional<std::string> name = sjis::FromUtf8(stem);
            if (!name) throw ToolError(a + ": the entry name has no Shift-JIS form");
            inputs.push_back(ArchiveInput{*name, ReadBytes(a)});
        }
    }
    if (out.empty() || !layout_given)
        throw ToolError(
            "usage: vespin-tool archive pack OUT --layout script|sized "
            "[--name-width W] FILES...");
    std::vector<uint8_t> bytes;
    std::string error;
    if (!BuildArchive(inputs, layout, width, bytes, error)) throw ToolError(error);
    WriteBytes(out, bytes);
    return 0;
}

}  // namespace

ArchiveDirectory ReadArchiveDirectory(const std::string& path) {
    ArchiveId id;
    ArchiveSet set = OpenOne(path, id);
    return set[id];
}

int ArchiveCommand(const std::vector<std::string>& args) {
    if (args.size() == 2 && args[0] == "list") return List(args[1]);
    if (!args.empty() && args[0] == "extract") return Extract(args);
    if (!args.empty() && args[0] == "pack") return Pack(args);
    throw ToolError(
        "usage: vespin-tool archive list FILE | extract FILE -o DIR [NAME...] | "
        "pack OUT --layout script|sized [--name-width W] FILES...");
}

}  // namespace vespin::tool
