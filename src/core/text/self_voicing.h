#pragma once
// Self-voicing: for players who cannot read the screen well, the engine can read the text aloud
// through the Host's speech synthesiser. Each page (or click-wait section) is read as it finishes
// typing, and a choice is read when the pointer lands on it. Text that plays a voice of its own
// is left to that voice. Skipping reads nothing; auto-advance goes on as usual. The setting
// "SelfVoicing" (0 or 1) keeps the player's choice; the popup menu item "読み上げ" and the V key
// switch it, and both do nothing when the Host has no synthesiser.

#include <string>
#include <string_view>

namespace vespin {

struct EngineState;

struct SelfVoicingState {
    bool Available = false;      // the Host can speak
    bool On = false;             // the player asked for it (and it is available)
    std::string Pending;         // Shift-JIS: the text typed since the last wait
    bool PendingVoiced = false;  // a voice played for this text
};

// Reads the setting and asks the Host whether it can speak.
void InitSelfVoicing(EngineState& e);
// The V key and the menu item. Switched on, it reads the page on screen at once.
void ToggleSelfVoicing(EngineState& e);

// Typed text, in Shift-JIS (a speaker's name is typed as a line of its own).
void NoteTypedText(EngineState& e, std::string_view sjis);
// A script text line ended: lines are set apart when read.
void NoteLineEnd(EngineState& e);
// The `voice` command or a voice tag played a voice for the text being typed.
void NoteVoiceStarted(EngineState& e);
// A click wait began: what was typed since the last one is read (unless a voice covers it).
void SpeakFinishedText(EngineState& e);
// The pointer landed on a choice whose label is `sjis`.
void SpeakChoice(EngineState& e, std::string_view sjis);

}  // namespace vespin
