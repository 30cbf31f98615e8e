#pragma once
// The archive container: twenty flat files, each a directory followed by entry data. Directories
// are read once into memory; entries are read by opening the file anew for each load.
//
// Every directory is untrusted: a count or name width that the file cannot hold rejects the whole
// directory as empty, and an entry whose offset or size lies outside the file reads short.

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vespin {

enum class DirectoryLayout : uint8_t {
    Script,  // count, then 24-byte entries: 16-byte name, offset, size
    Sized,   // count, name width W, then (W + 8)-byte entries: name, offset, size
};

struct ArchiveDirectory {
    std::string FileName;            // bare file name, opened relative to the game folder
    std::vector<std::string> Names;  // upper-cased, in directory order, never sorted
    std::vector<int32_t> Offsets;
    std::vector<int32_t> Sizes;

    int Count() const { return static_cast<int>(Names.size()); }
    void Clear() {
        Names.clear();
        Offsets.clear();
        Sizes.clear();
    }
};

// The twenty archives, in the order the directories are read at start-up.
enum class ArchiveId : uint8_t {
    Data,
    Data2,
    Gra,
    Gra2,
    Gra3,
    Gjp,
    Wav1,
    Wav2,
    Wav3,
    Wav4,
    Wav5,
    Se0,
    Se1,
    Se2,
    Ogg1,
    Ogg2,
    Ogg3,
    Bgm,
    Anim,
    Anim2,
};
inline constexpr int kArchiveCount = 20;

const char* ArchiveFileName(ArchiveId id);
DirectoryLayout ArchiveLayout(ArchiveId id);

struct ArchiveSet {
    std::filesystem::path Folder;  // the game folder the archives sit in
    std::array<ArchiveDirectory, kArchiveCount> Directories;

    ArchiveDirectory& operator[](ArchiveId id) { return Directories[static_cast<int>(id)]; }
    const ArchiveDirectory& operator[](ArchiveId id) const {
        return Directories[static_cast<int>(id)];
    }
};

// Parses a directory from the first bytes of an archive. `file_size` is the size of the whole
// file, against which counts are checked. Returns false (and leaves `out` empty) when the
// directory cannot be what it claims.
bool ParseDirectory(const uint8_t* data, size_t size, uint64_t file_size, DirectoryLayout layout,
                    ArchiveDirectory& out);

// Reads one directory from a file. A missing file or a rejected directory leaves it empty.
void ReadDirectory(const std::filesystem::path& path, DirectoryLayout layout,
                   ArchiveDirectory& out);

// Reads all twenty directories from `folder` (start-up, in the fixed order).
void ReadDirectories(const std::filesystem::path& folder, ArchiveSet& set);
// Reads the two script directories again (the script archives can be replaced while running).
void ReadScriptDirectories(ArchiveSet& set);

// Index of the first entry whose name matches, ignoring ASCII case, or -1.
int FindEntry(const ArchiveDirectory& directory, std::string_view name);

struct EntryRef {
    ArchiveId Archive = ArchiveId::Data;
    int Index = -1;
    bool Found() const { return Index >= 0; }
};
// Searches the archives in the given order; the first that holds the name wins.
EntryRef FindInOrder(const ArchiveSet& set, std::initializer_list<ArchiveId> order,
                     std::string_view name);

// Reads an entry's bytes. Returns false when the file cannot be opened; an entry reaching past
// the end of the file (or with a negative offset or size) reads short, possibly empty.
bool ReadEntry(const ArchiveSet& set, EntryRef entry, std::vector<uint8_t>& out,
               size_t max_bytes = SIZE_MAX);

// An archive file open for reading at absolute offsets, for readers whose formats carry their own
// lengths (the directory's entry size is not used) or that read as they play. Closed when
// destroyed; opening again closes the previous file.
class ArchiveFile {
  public:
    ArchiveFile() = default;
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;
    ~ArchiveFile() { Close(); }

    bool Open(const ArchiveSet& set, ArchiveId archive);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    uint64_t Size() const { return m_size; }
    // Reads up to `count` bytes at `offset`; returns how many were read (short past the end of
    // the file, 0 when closed).
    size_t ReadAt(uint64_t offset, uint8_t* out, size_t count);

  private:
    std::FILE* m_file = nullptr;
    uint64_t m_size = 0;
};

// Turns stored script bytes into script bytes and back (the operation is its own inverse).
void NegateBytes(uint8_t* data, size_t size);

}  // namespace vespin
