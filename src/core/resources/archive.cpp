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

bool ParseDirectory(const uint8_t* data, size_t size, uint64_t file_size, DirectoryLayout layout,
                    ArchiveDirectory& out) {
    out.Clear();
    size_t header = layout == DirectoryLayout::Script ? 4 : 8;
    if (size < header) return false;
    int64_t count = ReadLe32(data);
    int64_t width = layout == DirectoryLayout::Script ? kScriptNameWidth : ReadLe32(data + 4);
    if (count < 0 || width < 0) return false;
    int64_t record = layout == DirectoryLayout::Script ? 24 : width + 8;
    // The directory must fit in the file and in what the caller handed us.
    uint64_t need = header + static_cast<uint64_t>(count) * static_cast<uint64_t>(record);
    if (need > file_size || need > size) return false;

    out.Names.reserve(count);
    out.Offsets.reserve(count);
    out.Sizes.reserve(count);
    const uint8_t* p = data + header;
    for (int64_t i = 0; i < count; ++i, p += record) {
        out.Names.push_back(FieldName(p, static_cast<size_t>(width)));
        out.Offsets.push_back(ReadLe32(p + width));
        out.Sizes.push_back(ReadLe32(p + width + 4));
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
    size_t header_size = layout == DirectoryLayout::Script ? 4 : 8;
    if (std::fread(header, 1, header_size, f.get()) != header_size) return;
    int64_t count = ReadLe32(header);
    int64_t width = layout == DirectoryLayout::Script ? kScriptNameWidth : ReadLe32(header + 4);
    if (count < 0 || width < 0) return;
    int64_t record = layout == DirectoryLayout::Script ? 24 : width + 8;
    uint64_t need = header_size + static_cast<uint64_t>(count) * static_cast<uint64_t>(record);
    if (need > file_size) return;  // checked before allocating: the count is untrusted

    std::vector<uint8_t> block(need);
    std::memcpy(block.data(), header, header_size);
    size_t body = need - header_size;
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
