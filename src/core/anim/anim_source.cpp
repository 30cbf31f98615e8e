#include "core/anim/anim_source.h"

#include <algorithm>

namespace vespin {

bool AnimSource::Open(const ArchiveSet& archives, std::initializer_list<ArchiveId> order,
                      std::string_view name) {
    Close();
    EntryRef ref = FindInOrder(archives, order, name);
    if (!ref.Found() || !m_file.Open(archives, ref.Archive)) return false;
    const ArchiveDirectory& dir = archives[ref.Archive];
    m_base = dir.Offsets[static_cast<size_t>(ref.Index)];
    const int64_t listed = dir.Sizes[static_cast<size_t>(ref.Index)];
    const int64_t file = static_cast<int64_t>(m_file.Size());
    if (m_base < 0 || m_base >= file || listed <= 0) {
        Close();
        return false;
    }
    // An entry that the directory says runs past the file's end has only the bytes the file has.
    const int64_t entry_size = std::min(listed, file - m_base);
    m_path = archives.Folder / dir.FileName;

    uint8_t header_bytes[kAnimHeaderBytes];
    AnimHeader header;
    if (m_file.ReadAt(static_cast<uint64_t>(m_base), header_bytes, kAnimHeaderBytes) !=
            kAnimHeaderBytes ||
        CheckAnimHeader(header = ParseAnimHeader(std::span(header_bytes)), entry_size) !=
            AnimEntryError::None) {
        Close();
        return false;
    }
    const size_t prefix = kAnimHeaderBytes + static_cast<size_t>(AnimArraysBytes(header.Count));
    m_buffer.resize(prefix);
    if (m_file.ReadAt(static_cast<uint64_t>(m_base), m_buffer.data(), prefix) != prefix ||
        ParseAnimEntry(m_buffer, entry_size, m_entry) != AnimEntryError::None) {
        Close();
        return false;
    }
    // The buffer takes the largest picture once, so playing reads without allocating.
    int64_t largest = 0;
    for (const AnimEvent& ev : m_entry.Events) {
        if (AnimRangeInside(ev.Offset, ev.Size, entry_size))
            largest = std::max<int64_t>(largest, ev.Size);
    }
    m_buffer.reserve(static_cast<size_t>(largest));
    return true;
}

void AnimSource::Close() {
    m_file.Close();
    m_entry = AnimEntry{};
    m_base = 0;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
}

std::span<const uint8_t> AnimSource::Read(int64_t offset, int64_t size) {
    if (!m_file.IsOpen() || !AnimRangeInside(offset, size, m_entry.EntrySize)) return {};
    m_buffer.resize(static_cast<size_t>(size));
    size_t got =
        m_file.ReadAt(static_cast<uint64_t>(m_base + offset), m_buffer.data(), m_buffer.size());
    if (got != m_buffer.size()) return {};
    return m_buffer;
}

}  // namespace vespin
