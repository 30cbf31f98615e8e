#include "tools/archive_writer.h"

#include <algorithm>
#include <cstring>

namespace vespin {

namespace {

void PutLe32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

bool BuildArchive(const std::vector<ArchiveInput>& entries, DirectoryLayout layout, int name_width,
                  std::vector<uint8_t>& out, std::string& error) {
    const bool script = layout == DirectoryLayout::Script;
    size_t width = script ? 16 : static_cast<size_t>(name_width);
    if (!script && name_width <= 0) {
        width = 1;
        for (const ArchiveInput& e : entries)
            width = std::max(width, e.Name.size() + 1);
    }
    for (const ArchiveInput& e : entries) {
        if (e.Name.empty() || e.Name.size() + 1 > width) {
            error = "entry name '" + e.Name + "' does not fit a " + std::to_string(width) +
                    "-byte name field";
            return false;
        }
    }
    size_t header = script ? 4 : 8;
    size_t record = width + 8;
    size_t data_at = header + record * entries.size();
    size_t total = data_at;
    for (const ArchiveInput& e : entries)
        total += e.Bytes.size();
    if (total > 0x7FFFFFFF) {
        error = "archive would exceed 2 GiB";
        return false;
    }
    out.assign(total, 0);
    PutLe32(out, 0, static_cast<uint32_t>(entries.size()));
    if (!script) PutLe32(out, 4, static_cast<uint32_t>(width));
    size_t at = data_at;
    for (size_t i = 0; i < entries.size(); ++i) {
        const ArchiveInput& e = entries[i];
        size_t rec = header + record * i;
        std::memcpy(out.data() + rec, e.Name.data(), e.Name.size());
        PutLe32(out, rec + width, static_cast<uint32_t>(at));
        PutLe32(out, rec + width + 4, static_cast<uint32_t>(e.Bytes.size()));
        if (!e.Bytes.empty()) std::memcpy(out.data() + at, e.Bytes.data(), e.Bytes.size());
        if (script) NegateBytes(out.data() + at, e.Bytes.size());
        at += e.Bytes.size();
    }
    return true;
}

}  // namespace vespin
