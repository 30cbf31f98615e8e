// Archive files of any bytes through the file layer: the directory read from the file, every
// entry read, then loaded the way the engine loads it. The first byte says which archive the
// rest is: 0 the scripts (each loaded as the scenario and as a data script), 1 the packed
// pictures, 2 the JPEG pictures (each loaded as a picture).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/resources/picture.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "fuzz/support/fuzz_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size < 1 || size > 65536) return 0;
    static fuzz::FuzzHost host;
    static fuzz::ScratchFolder folder("vespin-fuzz-archive");
    static EngineState* state = new EngineState(host, folder.Path());
    EngineState& e = *state;
    ArchiveId id = data[0] % 3 == 0   ? ArchiveId::Data2
                   : data[0] % 3 == 1 ? ArchiveId::Gra3
                                      : ArchiveId::Gjp;
    fuzz::WriteFile(folder.Path() / ArchiveFileName(id), {data + 1, size - 1});
    e.Archives = ArchiveSet{};
    ReadDirectories(folder.Path(), e.Archives);
    const ArchiveDirectory& dir = e.Archives[id];
    for (int i = 0; i < dir.Count() && i < 64; ++i) {
        std::vector<uint8_t> bytes;
        if (!ReadEntry(e.Archives, {id, i}, bytes)) __builtin_trap();
        if (bytes.size() > static_cast<size_t>(size)) __builtin_trap();
        if (id == ArchiveId::Data2) {
            LoadScript(e, dir.Names[i], ScriptMode::Scenario);
            LoadScript(e, dir.Names[i], ScriptMode::Data);
        } else {
            Surface picture;
            LoadPicture(e.Archives, dir.Names[i], picture);
        }
    }
    std::remove((folder.Path() / ArchiveFileName(id)).c_str());
    return 0;
}
