#include "core/text/self_voicing.h"

#include "core/host/host.h"
#include "core/shell/engine_state.h"
#include "core/shell/settings.h"
#include "core/shell/toolbar.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr char kSettingName[] = "SelfVoicing";
// Lines are set apart by a full-width space: a pause for the synthesiser, nothing to read.
constexpr std::string_view kLineGap = "\x81\x40";
// A page holds at most 20 rows of 100 bytes; text beyond that is not a page any more.
constexpr size_t kPendingLimit = 4096;

bool Speaking(const EngineState& e) {
    return e.Speech.On && e.Shell.SkipState == 0;
}

void Say(EngineState& e, std::string_view sjis) {
    while (sjis.size() >= kLineGap.size() && sjis.substr(sjis.size() - kLineGap.size()) == kLineGap)
        sjis.remove_suffix(kLineGap.size());
    if (!sjis.empty()) e.Host.Speak(sjis::ToUtf8(sjis));
}

// The page on screen, row by row, for a player who switches reading on in the middle of it.
std::string PageText(const EngineState& e) {
    std::string text;
    for (const auto& row : e.Text.Page.Text) {
        size_t before = text.size();
        for (size_t i = 0; i < row.size(); ++i) {
            if (row[i] == 0) continue;
            bool lead = row[i] >= 0x80 && i + 1 < row.size();
            text.push_back(static_cast<char>(row[i]));
            if (lead) text.push_back(static_cast<char>(row[++i]));
        }
        if (text.size() != before) text.append(kLineGap);
    }
    return text;
}

}  // namespace

void InitSelfVoicing(EngineState& e) {
    SelfVoicingState& s = e.Speech;
    s.Available = e.Host.SpeechAvailable();
    s.On = s.Available && ReadIntSetting(e.Host.Settings(), kSettingName, 0) != 0;
    s.Pending.clear();
    s.PendingVoiced = false;
    RefreshToolbar(e);
}

void ToggleSelfVoicing(EngineState& e) {
    SelfVoicingState& s = e.Speech;
    if (!s.Available) return;
    s.On = !s.On;
    WriteIntSetting(e.Host.Settings(), kSettingName, s.On ? 1 : 0);
    if (s.On && !e.Text.PageEmpty) {
        Say(e, PageText(e));
    } else if (!s.On) {
        e.Host.Speak({});  // silence what is still being read
    }
    RefreshToolbar(e);
}

void NoteTypedText(EngineState& e, std::string_view sjis) {
    std::string& pending = e.Speech.Pending;
    if (pending.size() + sjis.size() <= kPendingLimit) pending.append(sjis);
}

void NoteLineEnd(EngineState& e) {
    std::string& pending = e.Speech.Pending;
    if (!pending.empty() && !pending.ends_with(kLineGap)) pending.append(kLineGap);
}

void NoteVoiceStarted(EngineState& e) {
    e.Speech.PendingVoiced = true;
}

void SpeakFinishedText(EngineState& e) {
    SelfVoicingState& s = e.Speech;
    if (Speaking(e) && !s.PendingVoiced) Say(e, s.Pending);
    s.Pending.clear();
    s.PendingVoiced = false;
}

void SpeakChoice(EngineState& e, std::string_view sjis) {
    if (Speaking(e)) Say(e, sjis);
}

}  // namespace vespin
