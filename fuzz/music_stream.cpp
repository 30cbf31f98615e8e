// Music tracks of any bytes as the engine streams them: the track header read from the file, the
// first four seconds decoded into the ring, then refills as the play position moves on, through
// loops and a fade.

#include <cstddef>
#include <cstdint>

#include "core/audio/audio_state.h"
#include "core/audio/music.h"
#include "core/shell/engine_state.h"
#include "fuzz/support/fuzz_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    if (size > 65536) return 0;
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    game.Reset();
    EngineState& e = game.State();
    std::filesystem::path track = game.Folder() / "track.bin";
    fuzz::WriteFile(track, {data, size});
    StartMusicStream(e, track, 0);
    for (int tick = 0; tick < 12 && e.Audio.Music.Source != MusicSource::Stopped; ++tick) {
        game.Host().SleepMs(700);
        if (tick == 8) FadeOutMusic(e, 1000);
        MusicTick(e);
    }
    StopMusicStream(e);
    return 0;
}
