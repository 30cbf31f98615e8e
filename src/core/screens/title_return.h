#pragma once
// The return to the title that the confirmed "タイトルへ戻りますか？" starts: the music stops, the
// shown choice and the message window go, and the title script `main2` starts from its top.

namespace vespin {

struct EngineState;

void ReturnToTitle(EngineState& e);

}  // namespace vespin
