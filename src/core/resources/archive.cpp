#include "core/resources/archive.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr int kScriptNameWidth = 16;

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

int32_t ReadLe32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

// The name up to its first NUL, bounded by the field when the field holds none.
std::string FieldName(const uint8_t* field, size_t width) {
    const void* nul = std::memchr(field, 0, width);
    size_t n = nul ? static_cast<const uint8_t*>(nul) - field : width;
    return sjis::UpperAscii(std::string_view(reinterpret_cast<const char*>(field), n));
}

uint64_t FileSize(FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) return 0;
    long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    return size > 0 ? static_cast<uint64_t>(size) : 0;
}

}  // namespace

const char* ArchiveFileName(ArchiveId id) {
    static constexpr const char* kNames[kArchiveCount] = {
        "vg_data.vsp", "vg_data2.vsp", "vg_gra.vsp",  "vg_gra2.vsp", "vg_gra3.vsp",
        "vg_gjp.vsp",  "vg_wav1.vsp",  "vg_wav2.vsp", "vg_wav3.vsp", "vg_wav4.vsp",
        "vg_wav5.vsp", "vg_se0.vsp",   "vg_se1.vsp",  "vg_se2.vsp",  "vg_ogg1.vsp",
        "vg_ogg2.vsp", "vg_ogg3.vsp",  "vg_bgm.vsp",  "vg_anim.vsp", "vg_anim2.vsp",
    };
    return kNames[static_cast<int>(id)];
}

DirectoryLayout ArchiveLayout(ArchiveId id) {
    return (id == ArchiveId::Data || id == ArchiveId::Data2) ? DirectoryLayout::Script
                                                             : DirectoryLayout::Sized;
}

namespace {

// What the first bytes of a directory say about its shape.
struct DirectoryShape {
    size_t HeaderBytes = 0;
    int64_t Count = 0;
    int64_t NameWidth = 0;
    int64_t RecordBytes = 0;
    uint64_t TotalBytes = 0;  // header and records
};

size_t HeaderBytes(DirectoryLayout layout) {
    return layout == DirectoryLayout::Script ? 4 : 8;
}

// Reads the count and name width from `header` (HeaderBytes long). False for a shape no file can
// hold: a negative count or width, or a directory larger than the file.
bool ReadShape(const uint8_t* header, uint64_t file_size, DirectoryLayout layout,
               DirectoryShape& shape) {
    bool script = layout == DirectoryLayout::Script;
    shape.HeaderBytes = HeaderBytes(layout);
    shape.Count = ReadLe32(header);
    shape.NameWidth = script ? kScriptNameWidth : ReadLe32(header + 4);
    if (shape.Count < 0 || shape.NameWidth < 0) return false;
    shape.RecordBytes = shape.NameWidth + 8;
    shape.TotalBytes = shape.HeaderBytes + static_cast<uint64_t>(shape.Count) *
                                               static_cast<uint64_t>(shape.RecordBytes);
    return shape.TotalBytes <= file_size;
}

}  // namespace

bool ParseDirectory(const uint8_t* data, size_t size, uint64_t file_size, DirectoryLayout layout,
                    ArchiveDirectory& out) {
    out.Clear();
    DirectoryShape shape;
    if (size < HeaderBytes(layout) || !ReadShape(data, file_size, layout, shape)) return false;
    if (shape.TotalBytes > size) return false;
    out.Names.reserve(shape.Count);
    out.Offsets.reserve(shape.Count);
    out.Sizes.reserve(shape.Count);
    const uint8_t* p = data + shape.HeaderBytes;
    for (int64_t i = 0; i < shape.Count; ++i, p += shape.RecordBytes) {
        out.Names.push_back(FieldName(p, static_cast<size_t>(shape.NameWidth)));
        out.Offsets.push_back(ReadLe32(p + shape.NameWidth));
        out.Sizes.push_back(ReadLe32(p + shape.NameWidth + 4));
    }
    return true;
}

void ReadDirectory(const std::filesystem::path& path, DirectoryLayout layout,
                   ArchiveDirectory& out) {
    out.Clear();
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) return;
    uint64_t file_size = FileSize(f.get());
    uint8_t header[8];
    size_t header_size = HeaderBytes(layout);
    if (std::fread(header, 1, header_size, f.get()) != header_size) return;
    // The shape is checked against the file before allocating: the count is untrusted.
    DirectoryShape shape;
    if (!ReadShape(header, file_size, layout, shape)) return;
    std::vector<uint8_t> block(shape.TotalBytes);
    std::memcpy(block.data(), header, header_size);
    size_t body = block.size() - header_size;
    if (std::fread(block.data() + header_size, 1, body, f.get()) != body) return;
    ParseDirectory(block.data(), block.size(), file_size, layout, out);
}

void ReadDirectories(const std::filesystem::path& folder, ArchiveSet& set) {
    set.Folder = folder;
    for (int i = 0; i < kArchiveCount; ++i) {
        auto id = static_cast<ArchiveId>(i);
        ArchiveDirectory& dir = set[id];
        ReadDirectory(folder / ArchiveFileName(id), ArchiveLayout(id), dir);
        dir.FileName = ArchiveFileName(id);
    }
}

void ReadScriptDirectories(ArchiveSet& set) {
    for (ArchiveId id : {ArchiveId::Data, ArchiveId::Data2}) {
        ReadDirectory(set.Folder / ArchiveFileName(id), DirectoryLayout::Script, set[id]);
        set[id].FileName = ArchiveFileName(id);
    }
}

int FindEntry(const ArchiveDirectory& directory, std::string_view name) {
    for (int i = 0; i < directory.Count(); ++i) {
        if (sjis::EqualsIgnoringCase(directory.Names[i], name)) return i;
    }
    return -1;
}

EntryRef FindInOrder(const ArchiveSet& set, std::initializer_list<ArchiveId> order,
                     std::string_view name) {
    for (ArchiveId id : order) {
        int index = FindEntry(set[id], name);
        if (index >= 0) return {id, index};
    }
    return {};
}

bool ReadEntry(const ArchiveSet& set, EntryRef entry, std::vector<uint8_t>& out, size_t max_bytes) {
    out.clear();
    const ArchiveDirectory& dir = set[entry.Archive];
    if (entry.Index < 0 || entry.Index >= dir.Count()) return false;
    File f(std::fopen((set.Folder / ArchiveFileName(entry.Archive)).c_str(), "rb"));
    if (!f) return false;
    uint64_t file_size = FileSize(f.get());
    int64_t offset = dir.Offsets[entry.Index];
    int64_t size = dir.Sizes[entry.Index];
    if (offset < 0 || size <= 0 || static_cast<uint64_t>(offset) >= file_size) return true;
    uint64_t available = file_size - static_cast<uint64_t>(offset);
    uint64_t want = std::min<uint64_t>({static_cast<uint64_t>(size), available, max_bytes});
    if (std::fseek(f.get(), static_cast<long>(offset), SEEK_SET) != 0) return true;
    out.resize(want);
    out.resize(std::fread(out.data(), 1, want, f.get()));
    return true;
}

bool ArchiveFile::Open(const ArchiveSet& set, ArchiveId archive) {
    Close();
    m_file = std::fopen((set.Folder / ArchiveFileName(archive)).c_str(), "rb");
    if (m_file) m_size = FileSize(m_file);
    return m_file != nullptr;
}

void ArchiveFile::Close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    m_size = 0;
}

size_t ArchiveFile::ReadAt(uint64_t offset, uint8_t* out, size_t count) {
    if (!m_file || offset >= m_size) return 0;
    count = static_cast<size_t>(std::min<uint64_t>(count, m_size - offset));
    if (std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0) return 0;
    return std::fread(out, 1, count, m_file);
}

void NegateBytes(uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<uint8_t>(-data[i]);
}

}  // namespace vespin
