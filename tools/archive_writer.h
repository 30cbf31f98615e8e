#pragma once
// Building archives: the inverse of the engine's directory reader, for the content tool, the demo
// recipe and the tests.

#include <cstdint>
#include <string>
#include <vector>

#include "core/resources/archive.h"

namespace vespin {

struct ArchiveInput {
    std::string Name;            // Shift-JIS entry name
    std::vector<uint8_t> Bytes;  // entry data as the engine reads it (scripts not yet negated)
};

// Serialises an archive. Script entries are stored negated. `name_width` applies to the sized
// layout (0 picks the smallest width that holds every name and its NUL). Returns false with
// `error` set when a name does not fit its field.
bool BuildArchive(const std::vector<ArchiveInput>& entries, DirectoryLayout layout, int name_width,
                  std::vector<uint8_t>& out, std::string& error);

}  // namespace vespin
