#include "core/script/script_loader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/resources/archive.h"
#include "core/screens/recollection_catalogue.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin {

std::string_view ScriptLineAt(const EngineState& e, int offset) {
    const auto* base = reinterpret_cast<const char*>(e.Script.ScriptBuffer.data());
    int size = e.Script.ScriptSize;
    if (offset < 0 || offset >= size) return {};
    const void* nul = std::memchr(base + offset, 0, size - offset);
    size_t n = nul ? static_cast<const char*>(nul) - (base + offset) : size - offset;
    return std::string_view(base + offset, n);
}

bool LoadScript(EngineState& e, std::string_view name, ScriptMode mode) {
    std::string upper = sjis::UpperAscii(name);
    EntryRef entry = FindInOrder(e.Archives, {ArchiveId::Data2, ArchiveId::Data}, upper);
    if (!entry.Found()) return false;
    NoteScriptLoaded(e, upper);
    // Scripts beyond the buffer are cut at its end: the rest of such a script does not exist.
    std::vector<uint8_t> bytes;
    if (!ReadEntry(e.Archives, entry, bytes, kScriptCapacity)) return false;
    NegateBytes(bytes.data(), bytes.size());

    ScriptState& s = e.Script;
    s.SubstitutionText.Clear();
    s.SubstitutionPosition = 0;
    if (mode == ScriptMode::Scenario) {
        s.LastLoadedScriptName = name;
        SetScriptText(e, bytes);
        s.ReadPosition = 0;
        s.FetchLine = true;
        e.Shell.InterpreterEnabled = true;
        e.Vars.S[sys::kResumePoint] = 0;
    } else {
        if (!bytes.empty()) std::memcpy(s.DataScriptBuffer.data(), bytes.data(), bytes.size());
        s.DataScriptSize = static_cast<int>(bytes.size());
        s.DataReadPosition = 0;
    }
    return true;
}

namespace {

std::string_view ScriptText(const ScriptState& s) {
    return std::string_view(reinterpret_cast<const char*>(s.ScriptBuffer.data()),
                            static_cast<size_t>(s.ScriptSize));
}

}  // namespace

void SetScriptText(EngineState& e, std::span<const uint8_t> bytes) {
    ScriptState& s = e.Script;
    size_t size = std::min(bytes.size(), s.ScriptBuffer.size());
    if (size > 0) std::memcpy(s.ScriptBuffer.data(), bytes.data(), size);
    s.ScriptSize = static_cast<int>(size);
    s.Labels.Build(ScriptText(s));
}

int FindLabel(const EngineState& e, std::string_view name) {
    const ScriptState& s = e.Script;
    if (s.Labels.Built()) return s.Labels.Find(ScriptText(s), name);
    return ScanForLabel(ScriptText(s), name);
}

int SkipToLineStartingWith(const EngineState& e, int from, char byte) {
    const uint8_t* buffer = e.Script.ScriptBuffer.data();
    int size = e.Script.ScriptSize;
    if (from < 0) from = 0;
    for (int i = from; i < size; ++i) {
        if (buffer[i] == static_cast<uint8_t>(byte) && (i == 0 || buffer[i - 1] == 0)) return i;
    }
    return kNoLine;
}

int FindNamedBlockEnd(const EngineState& e, int from, std::string_view name) {
    for (int p = SkipToLineStartingWith(e, from, '}'); p != kNoLine;
         p = SkipToLineStartingWith(e, p + 1, '}')) {
        std::string_view line = ScriptLineAt(e, p);
        if (line.size() >= 2 && line[1] == ':' && sjis::EqualsIgnoringCase(line.substr(2), name))
            return p;
    }
    return kNoLine;
}

bool JumpToLabel(EngineState& e, std::string_view name) {
    int target = FindLabel(e, name);
    if (target < 0) return false;
    e.Script.ReadPosition = target;
    e.Script.FetchLine = true;
    return true;
}

void ReturnFromCall(EngineState& e) {
    ScriptState& s = e.Script;
    if (s.CallDepth <= 0) return;
    s.CallDepth -= 1;
    CallFrame frame = s.CallStack[s.CallDepth];
    if (!LoadScript(e, frame.ScriptName.View(), ScriptMode::Scenario)) return;
    s.CurrentScriptName = frame.ScriptName.View();
    s.ReadPosition = frame.ReturnPosition;
    s.FetchLine = true;
}

void ResetWaits(EngineState& e) {
    e.Text.CharDelay = 1;
    e.Text.PageCompleteRequested = false;
    e.Shell.WaitKind = 0;
    e.Shell.WaitTicks = 0;
    e.Shell.ChoiceKind = 0;
    e.Shell.SaveScreenState = 0;
    e.Text.TextRow = 0;
    e.Text.TextColumn = 0;
}

}  // namespace vespin
