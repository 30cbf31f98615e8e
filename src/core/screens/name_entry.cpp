#include "core/screens/name_entry.h"

#include <optional>
#include <string>
#include <vector>

#include "core/host/host.h"
#include "core/script/control_flow.h"
#include "core/shell/engine_state.h"
#include "core/shell/settings.h"
#include "core/shell/skip_auto.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

constexpr char kCaption[] = "\x96\xBC\x91\x4F\x82\xCC\x95\xCF\x8D\x58";  // 名前の変更
constexpr char kAskLine[] =  // 主人公の名前を入力してください。
    "\x8E\xE5\x90\x6C\x8C\xF6\x82\xCC\x96\xBC\x91\x4F\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4"
    "\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42";
constexpr char kRuleLine[] =  // 姓名とも全角３文字以内でお願いします。
    "\x90\xA9\x96\xBC\x82\xC6\x82\xE0\x91\x53\x8A\x70\x82\x52\x95\xB6\x8E\x9A\x88\xC8\x93\xE0"
    "\x82\xC5\x82\xA8\x8A\xE8\x82\xA2\x82\xB5\x82\xDC\x82\xB7\x81\x42";
constexpr char kFamilyName[] = "\x90\xA9";  // 姓
constexpr char kGivenName[] = "\x96\xBC";   // 名

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Takes the field's text into `slot` when it is a valid name; otherwise puts the slot's text
// back into the field.
bool TakeName(EngineState& e, NameRequest::Field& field, int slot) {
    std::optional<std::string> sjis = sjis::FromUtf8(field.Text);
    if (!sjis || !IsValidName(*sjis)) {
        field.Text = sjis::ToUtf8(e.StringSlots[slot].View());
        return false;
    }
    SetStringSlot(e, slot, *sjis);
    return true;
}

bool AcceptNames(EngineState& e, std::vector<NameRequest::Field>& fields) {
    if (fields.size() != 2) return false;
    // The first name is kept even when the second is refused.
    if (!TakeName(e, fields[0], 0) || !TakeName(e, fields[1], 1)) return false;
    e.Settings.PlayerName = std::string(e.StringSlots[0].View());
    e.Settings.PlayerName2 = std::string(e.StringSlots[1].View());
    WriteTextSetting(e.Host.Settings(), "PlayerName", e.Settings.PlayerName);
    WriteTextSetting(e.Host.Settings(), "PlayerName2", e.Settings.PlayerName2);
    return true;
}

NameRequest HeroNameRequest(EngineState& e) {
    NameRequest request;
    request.Title = sjis::ToUtf8(kCaption);
    request.Lines = {sjis::ToUtf8(kAskLine), sjis::ToUtf8(kRuleLine)};
    request.Fields = {{sjis::ToUtf8(kFamilyName), sjis::ToUtf8(e.StringSlots[0].View())},
                      {sjis::ToUtf8(kGivenName), sjis::ToUtf8(e.StringSlots[1].View())}};
    request.Accept = [&e](std::vector<NameRequest::Field>& fields) {
        return AcceptNames(e, fields);
    };
    return request;
}

}  // namespace

bool IsValidName(std::string_view sjis) {
    if (sjis.empty() || sjis.size() > 6) return false;
    for (size_t i = 0; i < sjis.size(); i += 2) {
        // A lone lead byte at the end, a half-width katakana or any ASCII character is refused.
        if (i + 1 >= sjis.size() || !IsLeadByte(static_cast<unsigned char>(sjis[i]))) return false;
        if (static_cast<unsigned char>(sjis[i + 1]) < 0x40) return false;
    }
    return true;
}

CommandResult RunSetName(EngineState& e, const char* /*arg*/) {
    e.Shell.EngineBusy = true;
    StopSkipAndAuto(e, StopMode::Unforced);
    NameRequest request = HeroNameRequest(e);
    e.Host.AskNames(request);
    bool is_default = e.StringSlots[0] == sjis_text::kDefaultPlayerName;
    e.Vars.S[sys::kPlayerNameChanged] = is_default ? 0 : 1;
    e.Shell.EngineBusy = false;
    return CommandResult::EndPass;
}

}  // namespace vespin
