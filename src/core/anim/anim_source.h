#pragma once
// An animation entry open for playback: the archive file stays open from the header read to the
// end, and every picture is read in one bulk read into one buffer reused for all of them.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/anim/anim_entry.h"
#include "core/resources/archive.h"

namespace vespin {

class AnimSource {
  public:
    // Looks `name` up in the archives in `order` (the first that holds it wins), opens the file and
    // reads the header and the arrays. False when the name is missing, the file cannot be opened
    // or the header and arrays are not sound; the source is closed then.
    bool Open(const ArchiveSet& archives, std::initializer_list<ArchiveId> order,
              std::string_view name);
    void Close();

    const AnimEntry& Entry() const { return m_entry; }
    const AnimHeader& Header() const { return m_entry.Header; }
    int Count() const { return static_cast<int>(m_entry.Events.size()); }
    const AnimEvent& Event(int k) const { return m_entry.Events[static_cast<size_t>(k)]; }
    // The archive file's path and the entry's position in it (for music streamed from it).
    std::filesystem::path ArchivePath() const { return m_path; }
    int64_t Base() const { return m_base; }

    // `size` bytes at `offset` from the entry's start, read into the shared buffer; empty when
    // they do not lie wholly inside the entry or the read comes short. Valid until the next read.
    std::span<const uint8_t> Read(int64_t offset, int64_t size);
    // Event k's picture, as Read.
    std::span<const uint8_t> EventData(int k) {
        const AnimEvent& ev = Event(k);
        return Read(ev.Offset, ev.Size);
    }

  private:
    ArchiveFile m_file;
    std::filesystem::path m_path;
    AnimEntry m_entry;
    int64_t m_base = 0;
    std::vector<uint8_t> m_buffer;
};

}  // namespace vespin
