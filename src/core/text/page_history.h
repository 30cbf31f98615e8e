#pragma once
// The page history: each page that ends with a "\" line is kept with the scene behind it and its
// voices, the last 20 of them, and the player can step back through them (the page replay).

namespace vespin {

struct EngineState;

enum class ReplayDirection { Back, Forward };

// Keeps the page just finished: its characters, layout, full-text flag, the scene's picture names
// and the voices played since the last record (that list starts empty again).
void RecordPage(EngineState& e);
// Shows the page before the current one. Ignored until two pages have been recorded.
void OpenPageReplay(EngineState& e);
// Back: one page further back, at most 20 pages and never before the first recorded page.
// Forward: one page nearer; from the page before the current one it leaves the replay.
void PageReplayStep(EngineState& e, ReplayDirection direction);
// Back to the present at once: the scene and the frame as they were when the replay began.
void LeavePageReplay(EngineState& e);

}  // namespace vespin
