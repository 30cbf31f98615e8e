// vespin-tool picture decode|encode

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/resources/packed_picture.h"
#include "core/text/sjis.h"
#include "tools/picture_codec.h"
#include "tools/png_io.h"
#include "tools/tool_io.h"

namespace vespin::tool {

namespace {

constexpr char kPictureUsage[] =
    "usage: vespin-tool picture decode IN OUT.png|OUT.bgr\n"
    "       vespin-tool picture decode --archive FILE --entry NAME OUT.png|OUT.bgr\n"
    "       vespin-tool picture encode IN.png OUT [--no-rle] [--no-delta]";

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// `count` bytes at `offset` of an open file, fewer when the file ends first.
std::vector<uint8_t> ReadAt(std::ifstream& in, uint64_t file_size, uint64_t offset,
                            uint64_t count) {
    std::vector<uint8_t> bytes;
    if (offset >= file_size) return bytes;
    bytes.resize(std::min(count, file_size - offset));
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

// A picture entry as the engine reads it: a JPEG by its directory size, a packed picture by the
// lengths of its own header.
std::vector<uint8_t> ReadPictureEntry(const std::string& archive, const std::string& name) {
    ArchiveDirectory dir = ReadArchiveDirectory(archive);
    int index = FindEntry(dir, sjis::FromUtf8(name).value_or(name));
    if (index < 0) throw ToolError("no entry named " + name + " in " + archive);
    std::ifstream in(archive, std::ios::binary);
    std::error_code ec;
    uint64_t file_size = std::filesystem::file_size(archive, ec);
    if (!in || ec) throw ToolError("cannot read " + archive);
    int32_t offset = dir.Offsets[index], size = dir.Sizes[index];
    if (offset < 0) throw ToolError(name + ": the entry lies outside the archive");
    std::vector<uint8_t> bytes = ReadAt(in, file_size, static_cast<uint64_t>(offset),
                                        static_cast<uint64_t>(std::max(size, 0)));
    if (DetectEntryFormat(ReadAt(in, file_size, offset, 2)) == EntryFormat::Jpeg) return bytes;
    PackedHeader header;
    if (!ParsePackedHeader(ReadAt(in, file_size, offset, kPackedHeaderSize), header))
        throw ToolError(name + ": the entry is cut short");
    return ReadAt(in, file_size, offset, kPackedHeaderSize + uint64_t{header.CompressedLength});
}

int Decode(const std::vector<std::string>& args) {
    const EntrySource src = ParseEntrySource(args);
    const std::string &archive = src.Archive, &entry = src.Entry;
    const std::vector<std::string>& files = src.Files;
    const bool from_archive = src.FromArchive();
    if (from_archive ? (archive.empty() || entry.empty() || files.size() != 1) : files.size() != 2)
        throw ToolError(kPictureUsage);
    const std::string& out = files.back();
    const std::string ext = LowerExtension(out);
    if (ext != ".png" && ext != ".bgr")
        throw ToolError(out + ": the output must end in .png or .bgr");
    const std::string source = from_archive ? entry : files[0];
    std::vector<uint8_t> bytes =
        from_archive ? ReadPictureEntry(archive, entry) : ReadBytes(files[0]);
    Surface picture;
    if (PictureError e = DecodePictureEntry(bytes, picture); e != PictureError::None)
        throw ToolError(source + ": " + PictureErrorText(e));
    if (ext == ".bgr") {
        WriteBytes(out, RawBgr(picture));
        return 0;
    }
    std::string error;
    if (!WritePng(picture, out, error)) throw ToolError(error);
    return 0;
}

int Encode(const std::vector<std::string>& args) {
    StageChoice allowed;
    std::vector<std::string> files;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--no-rle") {
            allowed.RunLength = false;
        } else if (args[i] == "--no-delta") {
            allowed.Delta = false;
        } else {
            files.push_back(Positional(args[i]));
        }
    }
    if (files.size() != 2) throw ToolError(kPictureUsage);
    Surface picture;
    std::string error, note;
    if (!ReadPng(ReadBytes(files[0]), picture, error, &note))
        throw ToolError(files[0] + ": " + error);
    if (!note.empty())
        std::fprintf(stderr, "vespin-tool: %s: %s\n", files[0].c_str(), note.c_str());
    std::vector<uint8_t> packed;
    if (!EncodeSmallestPacked(picture, allowed, packed, error))
        throw ToolError(files[0] + ": " + error);
    WriteBytes(files[1], packed);
    return 0;
}

}  // namespace

int PictureCommand(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "decode") return Decode(args);
    if (!args.empty() && args[0] == "encode") return Encode(args);
    throw ToolError(kPictureUsage);
}

}  // namespace vespin::tool
