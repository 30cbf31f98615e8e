#pragma once
// The message window's text operations as the line interpreter calls them. They keep the text
// cursor and the page, and report every character and mark to the Host's transcript.

#include <string_view>

namespace vespin {

struct EngineState;

// One character of one or two bytes; it goes into the backlog as well, after any line break.
void PutChar(EngineState& e, std::string_view chars);
// End of a script text line: column 0, next row, name mode off, backlog line ended.
void EndTextLine(EngineState& e);
void SetWideSpacing(EngineState& e, bool on);
void SetColourIndex(EngineState& e, int index);
void BeginSpeakerName(EngineState& e, std::string_view name);
void DrawRuby(EngineState& e, int n, std::string_view text);
// A wait of kind 1, 4, 5 (a click, then a new page) or 2 (a click, same page). Ends the backlog
// line for page waits and sets the auto-advance countdown.
void BeginWait(EngineState& e, int kind);
// The inline "=" tag: only the wait kind; the line goes on typing in this pass.
void SetClickWaitKind(EngineState& e);
// Blends the four click-wait marker frames over the screen behind the marker.
void PrepareWaitMarker(EngineState& e);
// Shows the marker frame of the current timer tick (each frame stays four ticks).
void ShowWaitMarker(EngineState& e);
// Fades the window out over the scene (unless skipping) and marks it closed.
void CloseMessageWindow(EngineState& e);
// The big centred title card: a title and a subtitle fading in, then a pause.
void ShowSubtitle(EngineState& e, std::string_view title, std::string_view subtitle);
// Releases the current wait: page waits start a new page.
void AdvanceFromWait(EngineState& e);
void ClearPage(EngineState& e);
void NewPage(EngineState& e);
void OpenMessageWindow(EngineState& e);
// The window image: the scene behind the window blended with the window's picture.
void ComposeWindowImage(EngineState& e);
// Draws the window image, the quick buttons and the page's text onto the DisplaySurface.
void PaintWindowOntoDisplay(EngineState& e);
// Draws the page's characters onto the DisplaySurface again (after the scene changed).
void RedrawPageText(EngineState& e);
// Resets the plain-text font sizes for the current mode (after a new page or a transition).
void ResetPlainTextFonts(EngineState& e);
// Draws the open message window with its text over the DisplaySurface (not in full-text mode).
void PaintWindowOntoDisplay(EngineState& e);

// True for the characters that may not begin a line.
bool IsLineStartForbidden(unsigned code);

}  // namespace vespin
