// Directory bytes of both layouts through the reader, then every entry looked up again.

#include <cstddef>
#include <cstdint>

#include "core/resources/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    for (DirectoryLayout layout : {DirectoryLayout::Script, DirectoryLayout::Sized}) {
        ArchiveDirectory dir;
        if (!ParseDirectory(data, size, size, layout, dir)) continue;
        for (const std::string& name : dir.Names) {
            if (FindEntry(dir, name) < 0) __builtin_trap();
        }
    }
    return 0;
}
