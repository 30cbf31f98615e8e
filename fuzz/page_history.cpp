// The backlog and the page history as a save file may bring them: log lines, page records with
// their picture names, layouts, voice lists and counter, all of any bytes. The log screen opens,
// scrolls, drags its thumb and clicks its rows; the page replay steps back (now and then as far
// as it goes) and forward out again.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/shell/engine_state.h"
#include "core/text/backlog_screen.h"
#include "core/text/page_history.h"
#include "fuzz/support/fuzz_game.h"

namespace {

using namespace vespin;

// The input's bytes over and over, from a running position: every field gets some of them.
class ByteSource {
  public:
    ByteSource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Next() { return m_data[m_position++ % m_size]; }
    int32_t Int() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = v << 8 | Next();
        return static_cast<int32_t>(v);
    }
    std::string Text(size_t max) {
        std::string s;
        size_t n = Next() % (max + 1);
        for (size_t i = 0; i < n; ++i)
            s.push_back(static_cast<char>(Next()));
        return s;
    }

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

void FillBacklog(BacklogState& log, ByteSource& in) {
    for (char& c : log.Text)
        c = static_cast<char>(in.Next());
    // The save loader accepts any text, but only counts and fill positions that agree.
    log.LineCount = static_cast<uint16_t>(in.Int()) % (kBacklogMaxLines + 1);
    log.FillPosition = log.LineCount * kBacklogLineBytes + in.Next() % kBacklogLineBytes;
    for (PageRecord& r : log.History.Pages) {
        // A few characters at places of the input's choosing: each new character is rendered
        // (the glyph renderer has targets of its own), the placing is what is tried here.
        r.Text.fill(0);
        for (int i = in.Next() % 12; i > 0; --i)
            r.Text[(in.Next() << 8 | in.Next()) % kPageTextBytes] = in.Next();
        r.Layout = in.Next() % 8 == 0 ? in.Int() : in.Next() % 5;
        r.PictureNames = in.Text(kPagePictureNamesBytes);
        r.VoiceList = in.Text(kPageVoiceListBytes);
        r.FullText = in.Next() % 4 == 0 ? in.Int() : in.Next() % 2;
    }
    log.History.Counter = in.Next() % 4 == 0 ? in.Int() : in.Next() % 64;
}

void UseLogScreen(EngineState& e, ByteSource& in) {
    e.Shell.WaitKind = 1;
    OpenLog(e);
    for (int i = 0; i < 6; ++i) {
        int x = in.Next() * 4, y = in.Next() * 3;
        switch (in.Next() % 4) {
            case 0:
                LogWheel(e, in.Next() % 2 ? 1 : -1);
                break;
            case 1:
                LogMouseDown(e, x, y);
                break;
            case 2:
                LogMouseMove(e, x, y);
                break;
            default:
                LogMouseUp(e);
                break;
        }
    }
    CloseLog(e);
}

// Each page shown composes a whole scene: mostly a few steps, now and then all the way back.
void UsePageReplay(EngineState& e, ByteSource& in) {
    OpenPageReplay(e);
    int back = in.Next() % 24;
    if (back > 3 && in.Next() % 4 != 0) back = 3;
    for (int i = 0; i < back; ++i)
        PageReplayStep(e, ReplayDirection::Back);
    if (in.Next() % 2 == 0) {
        for (int i = 0; i <= back; ++i)
            PageReplayStep(e, ReplayDirection::Forward);
    }
    LeavePageReplay(e);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 8192) return 0;
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    game.Reset();
    EngineState& e = game.State();
    ByteSource in(data, size);
    FillBacklog(e.Backlog, in);
    UseLogScreen(e, in);
    UsePageReplay(e, in);
    return 0;
}
