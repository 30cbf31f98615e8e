// Arbitrary slot files through the load path of a running game: the file is read, checked and,
// when it passes, restored; the game then runs a few passes from the restored state.
//   build-fuzz/bin/fuzz_save_slot NEW_CORPUS fuzz/corpus/save_slot -max_len=143400

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/host/null_host.h"
#include "core/persistence/banner.h"
#include "core/persistence/save_game.h"
#include "core/persistence/slot_file.h"
#include "core/script/expression.h"
#include "core/shell/engine.h"
#include "fuzz/support/fuzz_game.h"
#include "tools/archive_writer.h"
#include "tools/script_codec.h"

namespace {

namespace fs = std::filesystem;

// A game folder with a long `main` (so positions of real saves fall inside it) and a called
// script, made once per process.
fs::path MakeGame() {
    std::string pattern = (fs::temp_directory_path() / "vespin-fuzz-save-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    std::string main = "*gra S123\n!V001=1\n";
    for (int i = 0; i < 1500; ++i)
        main += "Line " + std::to_string(i) + ".\n\\\n";
    main += "*select\n{One\n*call sub\n{Two\n}\n";
    std::vector<vespin::ArchiveInput> inputs;
    std::vector<std::vector<uint8_t>> bytes(2);
    std::string error;
    if (!vespin::EncodeScript(main, bytes[0], error)) std::abort();
    if (!vespin::EncodeScript("In sub.\n\\\n", bytes[1], error)) std::abort();
    inputs.push_back({"main", bytes[0]});
    inputs.push_back({"sub", bytes[1]});
    std::vector<uint8_t> archive;
    if (!vespin::BuildArchive(inputs, vespin::DirectoryLayout::Script, 0, archive, error))
        std::abort();
    std::ofstream(fs::path(pattern) / "vg_data.vsp", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()),
               static_cast<std::streamsize>(archive.size()));
    fs::create_directories(fs::path(pattern) / "save");
    return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    static fs::path folder = MakeGame();
    static NullHost* host = [] {
        auto* h = new NullHost;
        h->Store().Write("GMode", "1");  // transitions as cuts: the fuzzer's time goes to loading
        h->Store().Write("Delay", "1");
        return h;
    }();
    static Engine* engine = [] {
        // The fonts the game and the banner use are looked up once, here, where the library's
        // one-time configuration is not taken for a leak.
        fuzz::StartupAllocations startup;
        auto* en = new Engine(*host, folder);
        en->Step();  // the first pass loads main
        ShowBanner(en->State(), "A", 0);
        return en;
    }();
    // Short inputs stay as they are (files of the wrong size); longer ones are cut or padded to
    // a slot file's size, so that inserted and erased bytes still reach the checks behind the
    // size test.
    std::vector<uint8_t> file(data, data + size);
    if (file.size() >= 64) file.resize(kSlotFileSize, 0);
    std::ofstream(folder / "save" / "save01.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    EngineState& e = engine->State();
    try {
        LoadGame(e, 1);
        for (int pass = 0; pass < 8 && !e.Shell.WindowClosed; ++pass) {
            engine->Step();
            e.Shell.WaitKind = 0;
            e.Shell.ChoiceKind = 0;
        }
    } catch (const ScriptConversionError&) {
    }
    return 0;
}
