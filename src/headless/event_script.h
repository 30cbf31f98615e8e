#pragma once
// The headless host's input: timed events, one a line, such as
//   1200 click 400 300 left      3000 key shift down     4000 wheel 1
//   5000 char enter              6000 close              7000 answer cancel
//   8000 command SpeedButton7    8100 command TrackBar1 4
//   9000 save 3                  9500 load 3   (at the next idle pass, as the screens do)
//   9600 setting WINTYPE 0       (a settings dialog control changed, then the dialog closed)
//   9700 names 太郎 花子          (UTF-8; "ＯＫ" on the next name dialog with these texts)
// Times are virtual milliseconds and must not decrease. '#' starts a comment.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/host/events.h"
#include "core/host/host.h"

namespace vespin {

struct ScriptedEvent {
    uint32_t TimeMs = 0;
    enum class Kind : uint8_t { Input, Answer, Setting, Names } Kind = Kind::Input;
    InputEvent Input;
    MessageResult Answer = MessageResult::Ok;
    std::vector<std::string> Words;  // Setting: name and value; Names: one text per field
};

struct EventScriptResult {
    std::vector<ScriptedEvent> Events;
    std::string Error;  // empty when the whole text parsed; else "line N: ..."
};

EventScriptResult ParseEventScript(std::string_view text);

}  // namespace vespin
