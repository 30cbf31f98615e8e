#include "core/persistence/system_data.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#include "core/persistence/save_files.h"
#include "core/persistence/slot_file.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

namespace fs = std::filesystem;

constexpr char kSystemDataFile[] = "save0.dat";
constexpr char kRecollectionFile[] = "kaiso.dat";
constexpr int kGameClearedFlag = 999;

// OR-merges `memory` (the engine's bits) and the file's block of `size` bytes, both ways: the
// block receives the merged bits and so does memory. Bytes of the block beyond memory's bank are
// kept as the file had them.
template <size_t N>
void MergeBlock(std::array<uint8_t, N>& memory, uint8_t* block, size_t size) {
    for (size_t i = 0; i < N && i < size; ++i) {
        block[i] |= memory[i];
        memory[i] = block[i];
    }
}

// A save0.dat that is not ours to merge is kept under the first free name beside it.
void KeepAside(const fs::path& path) {
    std::error_code ec;
    fs::path aside = path.string() + ".bad";
    for (int n = 2; fs::exists(aside, ec) && n < 100; ++n)
        aside = path.string() + ".bad" + std::to_string(n);
    fs::rename(path, aside, ec);
    std::fprintf(stderr, "vespin: %s has the wrong size; kept as %s, a new one is started\n",
                 path.c_str(), aside.c_str());
}

// Writes the file unless it already holds exactly these bytes.
template <typename Record>
void WriteIfChanged(const fs::path& path, const Record& record) {
    Record on_disk;
    if (ReadExactFile(path, &on_disk, sizeof on_disk) == ReadOutcome::Read &&
        std::memcmp(&on_disk, &record, sizeof record) == 0)
        return;
    WriteFileReplacing(path, {reinterpret_cast<const uint8_t*>(&record), sizeof record});
}

void SyncSave0(EngineState& e, const fs::path& path) {
    SystemDataFile file{};
    switch (ReadExactFile(path, &file, sizeof file)) {
        case ReadOutcome::Read:
            break;
        case ReadOutcome::Missing:
            e.Saves.ReadMarks.Clear();
            break;
        case ReadOutcome::WrongSize:
            KeepAside(path);
            break;
        case ReadOutcome::Unreadable:
            return;  // neither merged nor overwritten: it may become readable again
    }
    MergeBlock(e.Vars.E.Bytes, file.FlagsE, sizeof file.FlagsE);
    MergeBlock(e.Viewer.CgSeenBits.Bytes, file.CgSeen, sizeof file.CgSeen);
    MergeBlock(e.Recollection.SceneSeenBits.Bytes, file.SceneSeen, sizeof file.SceneSeen);
    MergeBlock(e.Saves.ReadMarks.Bytes, file.ReadMarks, sizeof file.ReadMarks);
    WriteIfChanged(path, file);
}

void WriteGlobalIntegers(EngineState& e) {
    char name[16];
    for (int i = 0; i < e.Vars.G.Size(); ++i) {
        std::snprintf(name, sizeof name, "GV%02d", i);
        WriteIntSetting(e.Host.Settings(), name, e.Vars.G[i]);
        e.Settings.GV[i] = e.Vars.G[i];
    }
}

void WriteRecollection(const EngineState& e, const fs::path& path) {
    RecollectionFile file{};
    for (size_t i = 0; i < e.Recollection.SlotEntries.size(); ++i)
        PutInt32(file.Entries, static_cast<int>(i), e.Recollection.SlotEntries[i]);
    for (int i = 0; i < kRecollectionSlots; ++i)
        PutFieldText(file.Names[i], e.Recollection.SlotNames[i].View());
    WriteIfChanged(path, file);
}

}  // namespace

void ReadRecollectionSlots(EngineState& e) {
    RecollectionFile file{};
    if (ReadExactFile(SaveFolder(e) / kRecollectionFile, &file, sizeof file) != ReadOutcome::Read)
        return;
    RecollectionState& r = e.Recollection;
    for (size_t i = 0; i < r.SlotEntries.size(); ++i)
        r.SlotEntries[i] = GetInt32(file.Entries, static_cast<int>(i));
    for (int i = 0; i < kRecollectionSlots; ++i) {
        std::string_view name(file.Names[i], strnlen(file.Names[i], sizeof file.Names[i]));
        r.SlotNames[i] = sjis::CutAtCharBoundary(name, r.SlotNames[i].Capacity() - 1);
    }
}

void SyncSystemData(EngineState& e) {
    fs::path folder = SaveFolder(e);
    SyncSave0(e, folder / kSystemDataFile);
    WriteGlobalIntegers(e);
    WriteRecollection(e, folder / kRecollectionFile);
}

CommandResult RunGameClear(EngineState& e, const char*) {
    SettingsStore& other = e.Host.SiblingProductSettings();
    int count = ReadIntSetting(other, "Clear", 0) + 1;
    WriteIntSetting(other, "Clear", count);
    e.Vars.S[sys::kClearCount] = count;
    e.Vars.E.Set(kGameClearedFlag, true);
    SyncSystemData(e);
    return CommandResult::NextLine;
}

}  // namespace vespin
