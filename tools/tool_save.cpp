// vespin-tool save dump|list: what a slot file or the system data holds, without the engine.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "core/persistence/save_files.h"
#include "core/persistence/slot_file.h"
#include "core/persistence/slot_image.h"
#include "core/text/sjis.h"
#include "headless/state_dump.h"
#include "tools/tool_io.h"

namespace vespin::tool {

namespace {

namespace fs = std::filesystem;

// A Shift-JIS text as a JSON string (UTF-8, escaped).
std::string JsonText(std::string_view sjis) {
    return JsonString(sjis::ToUtf8(sjis));
}

std::vector<int32_t> Integers(const uint8_t* block, int count) {
    std::vector<int32_t> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = GetInt32(block, i);
    return values;
}

std::string IntegerArray(const uint8_t* block, int count) {
    std::vector<int32_t> values = Integers(block, count);
    return IntegersAsJsonArray(values.data(), count);
}

std::string NamesObject(const SlotNames& n) {
    std::string out = "{\"call_stack\":[";
    for (int i = 0; i < 9; ++i)
        out += (i ? "," : "") + JsonText(FieldText(n.CallStack[i]));
    out += "],\"current_script\":" + JsonText(FieldText(n.CurrentScript));
    out += ",\"last_loaded_script\":" + JsonText(FieldText(n.LastLoadedScript));
    out += ",\"background\":" + JsonText(FieldText(n.Background));
    out += ",\"left\":" + JsonText(FieldText(n.LeftCentre));
    out += ",\"right\":" + JsonText(FieldText(n.Right));
    out += ",\"looping_sound\":" + JsonText(FieldText(n.LoopingSound));
    out += ",\"last_voice\":" + JsonText(FieldText(n.LastVoice));
    return out + "}";
}

std::string DumpSlot(const SlotFile& f) {
    std::string out = "{\"caption\":" + JsonText(FieldText(f.Caption));
    out += ",\"F\":" + FlagsAsJsonArray(f.FlagsF, 1024);
    out += ",\"V\":" + IntegerArray(f.BankV, 1000);
    out += ",\"S\":" + IntegerArray(f.BankS, kSavedSysCount);
    out += ",\"T\":" + FlagsAsJsonArray(f.FlagsT, 10000);
    out += ",\"script_state\":" + IntegerArray(f.ScriptState, kScriptStateValues);
    out += ",\"names\":" + NamesObject(f.Names);
    out += ",\"strings\":[";
    for (int i = 0; i < 20; ++i)
        out += (i ? "," : "") + JsonText(FieldText(f.StringSlots[i]));
    out +=
        "],\"backlog_lines\":" + std::to_string(GetInt32(f.ScriptState, slot_state::kBacklogLines));
    return out + "}\n";
}

std::string DumpSystemData(const SystemDataFile& f) {
    std::string out = "{\"E\":" + FlagsAsJsonArray(f.FlagsE, 1024);
    out += ",\"cg_seen\":" + FlagsAsJsonArray(f.CgSeen, 2000);
    out += ",\"scene_seen\":" + FlagsAsJsonArray(f.SceneSeen, 2000);
    out += ",\"read_marks_set\":[";
    bool first = true;
    for (int n = 0; n < static_cast<int>(sizeof f.ReadMarks) * 8; ++n) {
        if (!(f.ReadMarks[n / 8] >> (n % 8) & 1)) continue;
        out += (first ? "" : ",") + std::to_string(n);
        first = false;
    }
    return out + "]}\n";
}

int Dump(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    if (bytes.size() == sizeof(SlotFile)) {
        auto f = std::make_unique<SlotFile>();
        std::memcpy(f.get(), bytes.data(), bytes.size());
        std::fputs(DumpSlot(*f).c_str(), stdout);
        return 0;
    }
    if (bytes.size() == sizeof(SystemDataFile)) {
        SystemDataFile f;
        std::memcpy(&f, bytes.data(), bytes.size());
        std::fputs(DumpSystemData(f).c_str(), stdout);
        return 0;
    }
    throw ToolError(path + " is " + std::to_string(bytes.size()) +
                    " bytes: neither a slot file (143378 bytes) nor save0.dat (10880 bytes)");
}

// The save folder of a game folder: its own save/ when there is one, else the per-user one.
fs::path SaveFolderOf(const fs::path& game) {
    std::error_code ec;
    if (fs::is_directory(game / "save", ec)) return game / "save";
    return PerUserSaveFolder(fs::absolute(game, ec)) / "save";
}

int List(const std::string& game) {
    fs::path folder = SaveFolderOf(game);
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw ToolError("no save folder for " + game);
    std::vector<std::pair<int, fs::path>> slots;
    const std::regex name("save([0-9]{2,3})\\.dat");
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::smatch m;
        std::string file = entry.path().filename().string();
        if (std::regex_match(file, m, name)) slots.emplace_back(std::stoi(m[1]), entry.path());
    }
    std::sort(slots.begin(), slots.end());
    for (const auto& [slot, path] : slots) {
        std::vector<uint8_t> bytes = ReadBytes(path.string());
        if (bytes.size() != sizeof(SlotFile)) {
            std::printf("%02d\t(not a save: %zu bytes)\n", slot, bytes.size());
            continue;
        }
        auto f = std::make_unique<SlotFile>();
        std::memcpy(f.get(), bytes.data(), bytes.size());
        std::string preview;
        for (const std::string& row : SlotPreview(*f)) {
            if (!row.empty()) {
                preview = row;
                break;
            }
        }
        std::printf("%02d\t%s\t%s\n", slot, sjis::ToUtf8(FieldText(f->Caption)).c_str(),
                    sjis::ToUtf8(preview).c_str());
    }
    return 0;
}

}  // namespace

int SaveCommand(const std::vector<std::string>& args) {
    if (args.size() == 2 && args[0] == "dump") return Dump(args[1]);
    if (args.size() == 2 && args[0] == "list") return List(args[1]);
    throw ToolError("usage: vespin-tool save dump FILE | save list GAMEDIR");
}

}  // namespace vespin::tool
