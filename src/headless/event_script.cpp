#include "headless/event_script.h"

#include <charconv>
#include <sstream>

#include "core/shell/settings_dialog.h"

namespace vespin {

namespace {

struct NamedValue {
    const char* Name;
    int Value;
};

constexpr NamedValue kKeys[] = {
    {"backspace", vk::kBackspace},
    {"enter", vk::kEnter},
    {"shift", vk::kShift},
    {"ctrl", vk::kControl},
    {"control", vk::kControl},
    {"esc", vk::kEscape},
    {"escape", vk::kEscape},
    {"space", vk::kSpace},
    {"left", vk::kLeft},
    {"up", vk::kUp},
    {"right", vk::kRight},
    {"down", vk::kDown},
    {"f2", vk::kF2},
};

constexpr NamedValue kCommands[] = {
    {"SpeedButton1", int(UiCommand::SpeedButton1)},
    {"SpeedButton2", int(UiCommand::SpeedButton2)},
    {"SpeedButton3", int(UiCommand::SpeedButton3)},
    {"SpeedButton4", int(UiCommand::SpeedButton4)},
    {"SpeedButton5", int(UiCommand::SpeedButton5)},
    {"SpeedButton6", int(UiCommand::SpeedButton6)},
    {"SpeedButton7", int(UiCommand::SpeedButton7)},
    {"TrackBar1", int(UiCommand::TrackBar1)},
    {"N6", int(UiCommand::MenuN6)},
    {"N7", int(UiCommand::MenuN7)},
    {"N1", int(UiCommand::MenuN1)},
    {"N2", int(UiCommand::MenuN2)},
    {"SelfVoicing", int(UiCommand::MenuReading)},
    {"Screenshot", int(UiCommand::Screenshot)},
    {"Popup2Register", int(UiCommand::Popup2Register)},
    {"Popup2Confirm", int(UiCommand::Popup2Confirm)},
};

template <size_t N>
bool Lookup(const NamedValue (&table)[N], const std::string& name, int& out) {
    for (const NamedValue& entry : table) {
        if (name == entry.Name) {
            out = entry.Value;
            return true;
        }
    }
    return false;
}

bool ToInt(const std::string& word, int& out) {
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), out);
    return ec == std::errc() && end == word.data() + word.size();
}

bool ParseButton(const std::string& word, MouseButton& out) {
    if (word.empty() || word == "left")
        out = MouseButton::Left;
    else if (word == "right")
        out = MouseButton::Right;
    else if (word == "middle")
        out = MouseButton::Middle;
    else
        return false;
    return true;
}

// Key names, a decimal virtual-key code, or a single printable character (for `char`).
bool ParseKey(const std::string& word, bool allow_char, int& out) {
    if (Lookup(kKeys, word, out) || ToInt(word, out)) return true;
    if (allow_char && word.size() == 1) {
        out = static_cast<unsigned char>(word[0]);
        return true;
    }
    return false;
}

// Parses one event line's words after the time. Returns an error text, empty on success;
// `events` receives one or more events.
std::string ParseWords(uint32_t time, const std::vector<std::string>& w,
                       std::vector<ScriptedEvent>& events) {
    // Queues one input event; returns the empty error text, so a branch can end with it.
    auto input = [&](InputEvent in) -> std::string {
        ScriptedEvent ev;
        ev.TimeMs = time;
        ev.Input = in;
        events.push_back(ev);
        return {};
    };
    const std::string& verb = w[0];
    size_t n = w.size();
    InputEvent in;
    if (verb == "click" || verb == "down" || verb == "up" || verb == "move") {
        if (n < 3 || n > 4 || !ToInt(w[1], in.x) || !ToInt(w[2], in.y))
            return verb + " takes X Y [left|right|middle]";
        if (!ParseButton(n == 4 ? w[3] : "", in.button)) return "unknown mouse button " + w[3];
        InputEvent move = in;
        move.kind = InputKind::MouseMove;
        if (verb == "move") return input(move);
        if (verb == "click") {
            input(move);
            in.kind = InputKind::MouseDown;
            input(in);
            in.kind = InputKind::MouseUp;
            input(in);
            return "";
        }
        in.kind = verb == "down" ? InputKind::MouseDown : InputKind::MouseUp;
        return input(in);
    }
    if (verb == "wheel") {
        if (n != 2 || !ToInt(w[1], in.delta)) return "wheel takes a delta";
        in.kind = InputKind::Wheel;
        return input(in);
    }
    if (verb == "key") {
        if (n != 3 || !ParseKey(w[1], false, in.key) || (w[2] != "down" && w[2] != "up"))
            return "key takes NAME down|up";
        in.kind = w[2] == "down" ? InputKind::KeyDown : InputKind::KeyUp;
        return input(in);
    }
    if (verb == "char") {
        if (n != 2 || !ParseKey(w[1], true, in.key)) return "char takes a key name or character";
        in.kind = InputKind::Char;
        return input(in);
    }
    if (verb == "command") {
        int command = 0;
        if (n < 2 || n > 3 || !Lookup(kCommands, w[1], command)) return "unknown command";
        in.kind = InputKind::Command;
        in.command = static_cast<UiCommand>(command);
        if (n == 3 && !ToInt(w[2], in.value)) return "command value must be a number";
        return input(in);
    }
    if (verb == "save" || verb == "load") {
        if (n != 2 || !ToInt(w[1], in.value) || in.value < 0) return verb + " takes a slot number";
        in.kind = verb == "save" ? InputKind::SaveSlot : InputKind::LoadSlot;
        return input(in);
    }
    if (verb == "close") {
        if (n != 1) return "close takes nothing";
        in.kind = InputKind::CloseRequest;
        return input(in);
    }
    if (verb == "answer") {
        if (n != 2 || (w[1] != "ok" && w[1] != "cancel")) return "answer takes ok|cancel";
        ScriptedEvent ev;
        ev.TimeMs = time;
        ev.Kind = ScriptedEvent::Kind::Answer;
        ev.Answer = w[1] == "ok" ? MessageResult::Ok : MessageResult::Cancel;
        events.push_back(ev);
        return "";
    }
    if (verb == "setting" || verb == "names") {
        ScriptedEvent ev;
        ev.TimeMs = time;
        ev.Words.assign(w.begin() + 1, w.end());
        if (verb == "setting") {
            if (n != 3) return "setting takes NAME VALUE";
            if (!IsDialogSetting(w[1])) return "setting " + w[1] + " is no settings dialog value";
            ev.Kind = ScriptedEvent::Kind::Setting;
        } else {
            if (n < 2 || n > 3) return "names takes one or two texts";
            ev.Kind = ScriptedEvent::Kind::Names;
        }
        events.push_back(ev);
        return "";
    }
    return "unknown event '" + verb + "'";
}

}  // namespace

EventScriptResult ParseEventScript(std::string_view text) {
    EventScriptResult result;
    std::istringstream in{std::string(text)};
    std::string line;
    uint32_t last_time = 0;
    for (int number = 1; std::getline(in, line); ++number) {
        if (size_t hash = line.find('#'); hash != std::string::npos) line.resize(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        if (w.empty()) continue;
        int time = 0;
        std::string error;
        if (!ToInt(w[0], time) || time < 0) {
            error = "a line starts with its time in milliseconds";
        } else if (static_cast<uint32_t>(time) < last_time) {
            error = "times must not decrease";
        } else if (w.size() < 2) {
            error = "an event is missing after the time";
        } else {
            last_time = static_cast<uint32_t>(time);
            w.erase(w.begin());
            error = ParseWords(last_time, w, result.Events);
        }
        if (!error.empty()) {
            result.Events.clear();
            result.Error = "line " + std::to_string(number) + ": " + error;
            return result;
        }
    }
    return result;
}

}  // namespace vespin
