#include "core/screens/effect.h"

#include <algorithm>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/transition_kit.h"
#include "core/screens/data_lines.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

void FillWithReference(Surface& s, int colour) {
    s.Fill(static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
           static_cast<uint8_t>(colour));
}

void InvertInto(const Surface& from, Surface& to) {
    const uint8_t* s = from.Data();
    uint8_t* d = to.Data();
    for (size_t i = 0, n = std::min(from.SizeBytes(), to.SizeBytes()); i < n; ++i)
        d[i] = static_cast<uint8_t>(~s[i]);
}

class EffectPlayer {
  public:
    explicit EffectPlayer(EngineState& e) : m_e(e) { e.Host.WindowPosition(m_x, m_y); }
    ~EffectPlayer() {
        ShowOnDrawingArea(m_e, transition::NewFrame(m_e));
        m_e.Host.MoveWindow(m_x, m_y);
    }

    void Play(const EffectStep& s) {
        switch (s.Kind) {
            case EffectKind::MoveWindow:
                m_e.Host.MoveWindow(m_x + s.Arg1, m_y + s.Arg2);
                break;
            case EffectKind::ShowNormal:
                ShowOnDrawingArea(m_e, transition::NewFrame(m_e));
                break;
            case EffectKind::Fill:
                Fill(s.Arg1);
                break;
            case EffectKind::Blend:
                Blend(s.Arg1, s.Arg2);
                break;
            case EffectKind::Negative:
                Negative();
                break;
        }
    }

  private:
    void Fill(int colour) {
        if (m_fill.Empty()) m_fill.Resize(kScreenWidth, kScreenHeight);
        FillWithReference(m_fill, colour);
        ShowOnDrawingArea(m_e, m_fill);
    }
    // The colour goes into the previous frame and the work frame, and the blend into the work
    // frame, which spoils the negative kept there.
    void Blend(int colour, int opacity) {
        Surface& o = transition::OldFrame(m_e);
        Surface& w = transition::WorkFrame(m_e);
        FillWithReference(o, colour);
        FillWithReference(w, colour);
        CrossFadeSurface(o, transition::NewFrame(m_e), opacity, w);
        ShowOnDrawingArea(m_e, w);
        m_negative_ready = false;
    }
    void Negative() {
        Surface& w = transition::WorkFrame(m_e);
        if (!m_negative_ready) InvertInto(transition::NewFrame(m_e), w);
        m_negative_ready = true;
        ShowOnDrawingArea(m_e, w);
    }

    EngineState& m_e;
    int m_x = 0, m_y = 0;  // the window's starting place
    Surface m_fill;
    bool m_negative_ready = false;
};

}  // namespace

void PlayEffect(EngineState& e, const std::vector<EffectStep>& steps) {
    if (steps.empty()) return;
    ShellState& sh = e.Shell;
    const bool was_busy = sh.EngineBusy;
    sh.EngineBusy = true;
    {
        EffectPlayer player(e);
        StartClock(e);
        for (const EffectStep& step : steps) {
            if (sh.WindowClosed) break;
            player.Play(step);
            WaitPeriod(e, static_cast<uint32_t>(step.DurationMs));
        }
    }
    sh.EngineBusy = was_busy;
}

CommandResult RunEffect(EngineState& e, const char* arg) {
    std::string_view name(arg);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\r'))
        name.remove_suffix(1);
    if (LoadScript(e, "effect", ScriptMode::Data))
        PlayEffect(e, ReadEffectEntry(DataScriptLines(e), name));
    return CommandResult::EndPass;
}

}  // namespace vespin
