#include "core/persistence/slot_image.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "core/shell/engine_state.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

namespace st = slot_state;

// Texts of the caption, in Shift-JIS.
constexpr char kDaySuffix[] = "\x93\xFA";           // 日
constexpr char kMagicLabel[] = "\x96\x82\x97\xCD";  // 魔力
constexpr char kBattleMark[] = "(Map)";

static_assert(sizeof(TextPage::Text) == sizeof(SlotFile::PageText));
static_assert(sizeof(TextPage::Colour) == sizeof(SlotFile::PageColour));
static_assert(sizeof(VariableBanks::F.Bytes) == sizeof(SlotFile::FlagsF));
static_assert(sizeof(VariableBanks::T.Bytes) == sizeof(SlotFile::FlagsT));
static_assert(sizeof(PersistenceState::ReadMarks.Bytes) == sizeof(SlotFile::ReadMarks));
static_assert(sizeof(SlotPassThrough::ReservedBlock) == sizeof(SlotFile::Reserved));
static_assert(sizeof(ScriptState::LineBuffer) == sizeof(SlotFile::LineBuffer));
static_assert(sizeof(BacklogState::Text) >= sizeof(SlotFile::Backlog));
static_assert(sizeof(PageRecord::Text) == sizeof(SlotFile::HistoryText[0]));
static_assert(StringSlot::Capacity() == kStringSlotBytes);

int ResumePositionOf(const EngineState& e) {
    if (e.Shell.MainMode == kModeBattle) return e.Script.LineStart;
    if (e.Shell.ChoiceKind != 0) {
        int backto = e.Vars.S[sys::kResumePoint];
        return backto != 0 ? backto : e.Script.LineStart;
    }
    return e.Script.ReadPosition;
}

void BuildScriptState(const EngineState& e, uint8_t* block) {
    const ScriptState& s = e.Script;
    const TextState& t = e.Text;
    auto put = [&](int index, int value) { PutInt32(block, index, value); };
    put(st::kCallDepth, s.CallDepth);
    for (int i = 0; i < kCallStackDepth; ++i)
        put(st::kReturnPositions + i, s.CallStack[i].ReturnPosition);
    put(st::kWindowShown, t.WindowShown);
    put(st::kWaitTicks, e.Shell.WaitTicks);
    put(st::kCharDelay, t.CharDelay);
    put(st::kWaitKind, e.Shell.WaitKind);
    put(st::kMainMode, e.Shell.MainMode == kModeBattle ? kModeScript : e.Shell.MainMode);
    put(st::kGraphicFlags, e.Saves.PassThrough.GraphicFlags[0]);
    put(st::kGraphicFlags + 1, e.Saves.PassThrough.GraphicFlags[1]);
    put(st::kTextColumn, t.TextColumn);
    put(st::kTextRow, t.TextRow);
    put(st::kWideSpacing, t.WideSpacing);
    put(st::kTextColour, t.TextColour);
    put(st::kBacklogLines, e.Backlog.LineCount);
    put(st::kBacklogFill, e.Backlog.FillPosition);
    put(st::kInterpreterEnabled, e.Shell.InterpreterEnabled);
    put(st::kFetchLine, s.FetchLine);
    put(st::kLineStart, s.LineStart);
    put(st::kResumePosition, ResumePositionOf(e));
    put(st::kScriptSize, s.ScriptSize);
    put(st::kLineColumn, s.LineColumn);
    put(st::kFullTextMode, e.FullTextMode());
    put(st::kPageHistoryCounter, e.Backlog.History.Counter);
    put(st::kPageEmpty, t.PageEmpty);
}

void BuildNames(const EngineState& e, SlotNames& n) {
    const ScriptState& s = e.Script;
    const SlotPassThrough& pass = e.Saves.PassThrough;
    for (int i = 0; i < kCallStackDepth; ++i)
        PutFieldText(n.CallStack[i], s.CallStack[i].ScriptName.View());
    PutFieldText(n.CurrentScript, s.CurrentScriptName.View());
    PutFieldText(n.LastLoadedScript, s.LastLoadedScriptName.View());
    // The scene keeps names of up to 63 bytes; the file has room for 29.
    PutFieldText(n.Background, e.Scene.BackgroundName.View());
    PutFieldText(n.LeftCentre, e.Scene.LeftCentreName.View());
    PutFieldText(n.PageName, pass.PageName.View());
    PutFieldText(n.Right, e.Scene.RightName.View());
    PutFieldText(n.Name450, pass.Name450.View());
    PutFieldText(n.LoopingSound, e.Audio.Sound.LoopingSoundName.View());
    PutFieldText(n.LastVoice, e.Audio.Sound.LastVoice.View());
    PutFieldText(n.Name540, pass.Name540.View());
    PutFieldText(n.Name560, pass.Name560.View());
}

void BuildPageHistory(const EngineState& e, SlotFile& f) {
    for (int i = 0; i < kPageHistoryPages; ++i) {
        const PageRecord& r = e.Backlog.History.Pages[i];
        std::memcpy(f.HistoryText[i], r.Text.data(), r.Text.size());
        PutInt32(f.HistoryLayout, i, r.Layout);
        PutFieldText(f.HistoryPictures[i], r.PictureNames.View());
        PutFieldText(f.HistoryVoices[i], r.VoiceList.View());
        PutInt32(f.HistoryFullText, i, r.FullText);
    }
}

// A field copied into a fixed string, bounded to the field even without a terminating zero.
template <size_t N, size_t M>
void TakeField(FixedString<M>& out, const char (&field)[N]) {
    out = FieldText(field);
}

void RestoreBanks(EngineState& e, const SlotFile& f) {
    VariableBanks& v = e.Vars;
    std::memcpy(v.F.Bytes.data(), f.FlagsF, sizeof f.FlagsF);
    std::memcpy(e.Saves.PassThrough.ReservedBlock.data(), f.Reserved, sizeof f.Reserved);
    for (int i = 0; i < v.V.Size(); ++i)
        v.V[i] = GetInt32(f.BankV, i);
    for (int i = 0; i < kSavedSysCount; ++i)
        v.S[i] = GetInt32(f.BankS, i);
    std::memcpy(e.Saves.ReadMarks.Bytes.data(), f.ReadMarks, sizeof f.ReadMarks);
    std::memcpy(v.T.Bytes.data(), f.FlagsT, sizeof f.FlagsT);
}

void RestoreScriptState(EngineState& e, const SlotFile& f) {
    auto get = [&](int index) { return GetInt32(f.ScriptState, index); };
    ScriptState& s = e.Script;
    TextState& t = e.Text;
    s.CallDepth = get(st::kCallDepth);
    for (int i = 0; i < kCallStackDepth; ++i)
        s.CallStack[i].ReturnPosition = get(st::kReturnPositions + i);
    t.WindowShown = get(st::kWindowShown) != 0;
    e.Shell.WaitTicks = get(st::kWaitTicks);
    t.CharDelay = get(st::kCharDelay);
    e.Shell.WaitKind = get(st::kWaitKind);
    e.Shell.MainMode = get(st::kMainMode);
    e.Saves.PassThrough.GraphicFlags = {get(st::kGraphicFlags), get(st::kGraphicFlags + 1)};
    t.TextColumn = get(st::kTextColumn);
    t.TextRow = get(st::kTextRow);
    t.WideSpacing = get(st::kWideSpacing) != 0;
    t.TextColour = get(st::kTextColour);
    e.Backlog.LineCount = get(st::kBacklogLines);
    e.Backlog.FillPosition = get(st::kBacklogFill);
    ResumePoint resume = ResumePointOf(f);
    e.Shell.InterpreterEnabled = resume.InterpreterEnabled;
    s.FetchLine = resume.FetchLine;
    s.LineStart = get(st::kLineStart);
    s.ReadPosition = resume.ReadPosition;
    s.LineColumn = get(st::kLineColumn);
    e.Vars.S[sys::kFullTextMode] = get(st::kFullTextMode);
    e.Backlog.History.Counter = get(st::kPageHistoryCounter);
    t.PageEmpty = get(st::kPageEmpty) != 0;
    e.Shell.ChoiceKind = kNoChoice;
}

void RestoreNames(EngineState& e, const SlotFile& f) {
    const SlotNames& n = f.Names;
    ScriptState& s = e.Script;
    SlotPassThrough& pass = e.Saves.PassThrough;
    for (int i = 0; i < kCallStackDepth; ++i)
        TakeField(s.CallStack[i].ScriptName, n.CallStack[i]);
    TakeField(s.CurrentScriptName, n.CurrentScript);
    TakeField(s.LastLoadedScriptName, n.LastLoadedScript);
    TakeField(e.Scene.BackgroundName, n.Background);
    TakeField(e.Scene.LeftCentreName, n.LeftCentre);
    TakeField(pass.PageName, n.PageName);
    TakeField(e.Scene.RightName, n.Right);
    TakeField(pass.Name450, n.Name450);
    TakeField(e.Audio.Sound.LoopingSoundName, n.LoopingSound);
    TakeField(e.Audio.Sound.LastVoice, n.LastVoice);
    TakeField(pass.Name540, n.Name540);
    TakeField(pass.Name560, n.Name560);
    if (!pass.Name540.Empty() && e.Vars.S[80] == 1) pass.Name540 = e.Settings.PlayerName;
}

void RestoreTexts(EngineState& e, const SlotFile& f) {
    std::memcpy(e.Text.Page.Text.data(), f.PageText, sizeof f.PageText);
    std::memcpy(e.Text.Page.Colour.data(), f.PageColour, sizeof f.PageColour);
    // The line being written after the thousandth is not in the file.
    std::fill(e.Backlog.Text.begin(), e.Backlog.Text.end(), 0);
    std::memcpy(e.Backlog.Text.data(), f.Backlog, sizeof f.Backlog);
    std::memcpy(e.Script.LineBuffer.data(), f.LineBuffer, sizeof f.LineBuffer);
    e.Script.LineBuffer.back() = 0;
    for (int i = 0; i < kStringSlotCount; ++i)
        e.StringSlots[i] = FieldText(f.StringSlots[i]);
}

void RestorePageHistory(EngineState& e, const SlotFile& f) {
    for (int i = 0; i < kPageHistoryPages; ++i) {
        PageRecord& r = e.Backlog.History.Pages[i];
        std::memcpy(r.Text.data(), f.HistoryText[i], r.Text.size());
        r.Layout = GetInt32(f.HistoryLayout, i);
        r.PictureNames = FieldText(f.HistoryPictures[i]);
        r.VoiceList = FieldText(f.HistoryVoices[i]);
        r.FullText = GetInt32(f.HistoryFullText, i);
    }
}

}  // namespace

void PutFieldText(char* field, size_t size, std::string_view text) {
    std::memset(field, 0, size);
    if (size == 0) return;
    size_t n = 0;
    // Whole characters only: a lead byte whose trail byte would not fit is left out.
    while (n < text.size()) {
        size_t width = sjis::IsLeadByte(static_cast<uint8_t>(text[n])) ? 2 : 1;
        if (n + width > size - 1 || n + width > text.size()) break;
        n += width;
    }
    std::memcpy(field, text.data(), n);
}

SaveMoment LocalMoment(int64_t seconds_since_epoch) {
    std::time_t t = static_cast<std::time_t>(seconds_since_epoch);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr) return {};
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string FormatCaption(const EngineState& e, const SaveMoment& when) {
    char text[kCaptionBytes];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d %2d%s [%s:%4d]", when.Year,
                  when.Month, when.Day, when.Hour, when.Minute, when.Second, e.Vars.V[0],
                  kDaySuffix, kMagicLabel, e.Vars.V[100]);
    std::string caption = text;
    if (e.Shell.MainMode == kModeBattle) caption += kBattleMark;
    return caption;
}

std::array<std::string, 4> SlotPreview(const SlotFile& f) {
    std::array<std::string, 4> rows;
    for (int row = 0; row < 4; ++row) {
        const auto* bytes = reinterpret_cast<const char*>(f.PageText + row * kPageColumns);
        // A row that starts with the indent of a continued sentence is read past it.
        int from = bytes[0] == 0 ? 2 : 0;
        rows[row] = std::string(bytes + from, strnlen(bytes + from, kPageColumns - from));
    }
    return rows;
}

void BuildSlotFile(const EngineState& e, const SaveMoment& when, SlotFile& f) {
    std::memset(&f, 0, sizeof f);
    PutFieldText(f.Caption, FormatCaption(e, when));
    std::memcpy(f.PageText, e.Text.Page.Text.data(), sizeof f.PageText);
    std::memcpy(f.PageColour, e.Text.Page.Colour.data(), sizeof f.PageColour);
    std::memcpy(f.FlagsF, e.Vars.F.Bytes.data(), sizeof f.FlagsF);
    std::memcpy(f.Reserved, e.Saves.PassThrough.ReservedBlock.data(), sizeof f.Reserved);
    for (int i = 0; i < e.Vars.V.Size(); ++i)
        PutInt32(f.BankV, i, e.Vars.V[i]);
    for (int i = 0; i < kSavedSysCount; ++i)
        PutInt32(f.BankS, i, e.Vars.S[i]);
    std::memcpy(f.ReadMarks, e.Saves.ReadMarks.Bytes.data(), sizeof f.ReadMarks);
    std::memcpy(f.FlagsT, e.Vars.T.Bytes.data(), sizeof f.FlagsT);
    BuildScriptState(e, f.ScriptState);
    std::memcpy(f.Backlog, e.Backlog.Text.data(), sizeof f.Backlog);
    std::memcpy(f.LineBuffer, e.Script.LineBuffer.data(), sizeof f.LineBuffer);
    BuildNames(e, f.Names);
    for (int i = 0; i < kStringSlotCount; ++i)
        std::memcpy(f.StringSlots[i], e.StringSlots[i].Bytes().data(), kStringSlotBytes);
    BuildPageHistory(e, f);
}

bool CheckSlotFile(const SlotFile& f, int script_size) {
    auto get = [&](int index) { return GetInt32(f.ScriptState, index); };
    if (script_size < 0 || FieldText(f.Names.CurrentScript).empty()) return false;
    int depth = get(st::kCallDepth);
    if (depth < 0 || depth > kCallStackDepth) return false;
    for (int i = 0; i < kCallStackDepth; ++i) {
        if (get(st::kReturnPositions + i) < 0) return false;
    }
    for (int index : {st::kWaitTicks, st::kCharDelay, st::kWaitKind, st::kTextColumn, st::kTextRow,
                      st::kTextColour, st::kPageHistoryCounter}) {
        if (get(index) < 0) return false;
    }
    int mode = get(st::kMainMode);
    if (mode < kModeScript || mode > kModePageHistory) return false;
    int lines = get(st::kBacklogLines), fill = get(st::kBacklogFill);
    if (lines < 0 || lines > kBacklogMaxLines) return false;
    if (fill < lines * kBacklogLineBytes ||
        fill > lines * kBacklogLineBytes + kBacklogLineBytes - 1)
        return false;
    int line_start = get(st::kLineStart), resume = get(st::kResumePosition);
    if (line_start < 0 || line_start > script_size) return false;
    if (resume < 0 || resume > script_size) return false;
    // The line being typed must end inside its buffer, and typing must go on inside the line.
    size_t line_length = strnlen(f.LineBuffer, sizeof f.LineBuffer);
    if (line_length == sizeof f.LineBuffer) return false;
    int column = get(st::kLineColumn);
    return column >= 0 && static_cast<size_t>(column) <= line_length;
}

bool SavedInBattle(const SlotFile& f) {
    std::string_view caption = FieldText(f.Caption);
    return caption.size() >= 5 && caption.substr(caption.size() - 5) == kBattleMark;
}

ResumePoint ResumePointOf(const SlotFile& f) {
    return {GetInt32(f.ScriptState, st::kResumePosition),
            GetInt32(f.ScriptState, st::kFetchLine) != 0,
            GetInt32(f.ScriptState, st::kInterpreterEnabled) != 0};
}

void RestoreFromSlotFile(EngineState& e, const SlotFile& f) {
    RestoreTexts(e, f);
    RestoreBanks(e, f);
    for (int i = 60; i <= 66; ++i)
        e.Vars.S[i] = 0;
    e.Shell.SkipState = 0;
    RestoreScriptState(e, f);
    RestoreNames(e, f);
    // The player's name is the engine's, whatever name the save was made with.
    e.StringSlots[0] = e.Settings.PlayerName;
    e.Vars.S[sys::kPlayerNameChanged] =
        e.StringSlots[0].View() != std::string_view(sjis_text::kDefaultPlayerName) ? 1 : 0;
    RestorePageHistory(e, f);
    e.Toolbar.SliderPosition = std::clamp(11 - e.Vars.S[sys::kLastAutoDelay], 1, 10);
    e.Vars.S[sys::kAutoDelay] = 0;
}

}  // namespace vespin
