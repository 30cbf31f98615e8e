#include "core/anim/anim_playback.h"

#include <algorithm>
#include <string>

#include "core/anim/anim_player.h"
#include "core/anim/anim_schedule.h"
#include "core/anim/anim_source.h"
#include "core/audio/music.h"
#include "core/audio/sound.h"
#include "core/graphics/transitions.h"
#include "core/script/expression.h"
#include "core/script/text_parse.h"
#include "core/shell/engine.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"

namespace vespin {

namespace {

enum class SoundKind : uint8_t { None, Effect, Music };

// The animation's sound: an effect of s bytes, or (s beyond kLargestEffectSound) music streamed
// from the archive. A sound that does not lie inside the entry is not played; the pictures are.
SoundKind StartAnimSound(EngineState& e, AnimSource& source, bool effect_only) {
    const AnimHeader& h = source.Header();
    if (h.SoundSize == 0) return SoundKind::None;
    if (h.SoundSize > kLargestEffectSound && !effect_only) {
        if (!AnimRangeInside(h.SoundOffset, 1, source.Entry().EntrySize)) return SoundKind::None;
        StartMusicStream(e, source.ArchivePath(), source.Base() + h.SoundOffset);
        return SoundKind::Music;
    }
    std::span<const uint8_t> bytes = source.Read(h.SoundOffset, h.SoundSize);
    if (bytes.empty()) return SoundKind::None;
    PlayAnimationSound(e, bytes);
    return SoundKind::Effect;
}

void StopAnimSound(EngineState& e, SoundKind kind) {
    if (kind == SoundKind::Effect) StopAnimationSound(e);
    if (kind == SoundKind::Music) StopMusicStream(e);
}

struct Loop {
    EngineState& e;
    AnimSource& source;
    AnimCanvas& canvas;
};

// A resync event repairs the picture after dropped events: it carries copies of the key frames
// that precede it, one after the other, and redraws those among the dropped ones, nearest first,
// up to the first patch frame.
void Resync(Loop& l, int64_t k, int64_t dropped) {
    int64_t at = l.source.Event(static_cast<int>(k)).Offset;
    for (int64_t j = k - 1; j >= std::max<int64_t>(0, k - dropped); --j) {
        const AnimEvent& ev = l.source.Event(static_cast<int>(j));
        if (ev.Type == kPatchFrame) return;
        if (ev.Type != kKeyFrame) continue;
        std::span<const uint8_t> bytes = l.source.Read(at, ev.Size);
        if (bytes.empty()) return;  // past the entry: nothing more to repair with
        at += ev.Size;
        l.canvas.Draw(bytes, 0, 0);
    }
}

void PlayEvent(Loop& l, int64_t k, int64_t dropped) {
    const AnimEvent& ev = l.source.Event(static_cast<int>(k));
    switch (ev.Type) {
        case kKeyFrame:
            l.canvas.Draw(l.source.EventData(static_cast<int>(k)), 0, 0);
            break;
        case kPatchFrame:
            // A patch only fits the picture it was made for: not after dropped events.
            if (dropped == 0) l.canvas.Draw(l.source.EventData(static_cast<int>(k)), ev.X, ev.Y);
            break;
        case kResyncEvent:
            if (dropped > 0) Resync(l, k, dropped);
            break;
        default:
            break;  // an event of no known type shows nothing, and takes its time
    }
}

// Plays events until the last has had its time or a click cuts the animation short.
void RunEvents(Loop& l, AnimForm form, bool cuttable) {
    EngineState& e = l.e;
    const int32_t t = l.source.Header().FrameTime;
    const int64_t period = form == AnimForm::Battle ? BattlePeriodUs(t) : EventPeriodUs(t);
    const uint32_t start = e.Host.NowMs();
    const int64_t n = l.source.Count();
    int64_t dropped = 0;
    for (int64_t k = 0; k < n;) {
        PlayEvent(l, k, dropped);
        PumpMessages(e);
        const int64_t late =
            int64_t{static_cast<uint32_t>(e.Host.NowMs() - start)} - EventDueMs(period, k);
        ScheduleStep step = NextScheduleStep(k, late, t);
        if (step.SleepMs > 0) e.Host.SleepMs(static_cast<uint32_t>(step.SleepMs));
        k = step.NextEvent;
        dropped = step.Dropped;
        if (e.Shell.WindowClosed) return;
        if (e.Shell.InterruptRequest != 0 && cuttable) {
            SetSystemValue(e, kAnimationCutShort, 1);
            return;
        }
    }
}

// `anim` leaves its last picture on screen (a patch frame where it belongs); the others need no
// picture for their end.
void FinishCanvas(AnimSource& source, AnimCanvas& canvas, AnimForm form) {
    const int n = source.Count();
    if (form != AnimForm::Full || n == 0) {
        canvas.Finish({}, 0, 0);
        return;
    }
    const AnimEvent& last = source.Event(n - 1);
    const bool patch = last.Type == kPatchFrame;
    canvas.Finish(source.EventData(n - 1), patch ? last.X : 0, patch ? last.Y : 0);
}

}  // namespace

AnimRequest ParseAnimRequest(EngineState& e, std::string_view args, bool with_e) {
    AnimRequest r;
    size_t comma = args.find(',');
    r.Name = std::string(args.substr(0, comma));
    if (comma == std::string_view::npos) return r;
    // The numbers are read from a NUL-terminated copy, as the script line holds them.
    std::string rest(args.substr(comma + 1));
    r.X = ParseDecimal(rest.c_str());
    size_t second = rest.find(',');
    if (second == std::string::npos) return r;
    r.Y = ParseDecimal(rest.c_str() + second + 1);
    size_t third = rest.find(',', second + 1);
    if (third == std::string::npos || !with_e) return r;
    r.Cuttable = EvaluateExpression(e, std::string_view(rest).substr(third + 1)) != 0;
    return r;
}

void RunAnimation(EngineState& e, AnimForm form, const AnimRequest& request) {
    const bool battle = form == AnimForm::Battle;
    // The battle's effects come from vg_anim.vsp only.
    const EntryRef found =
        battle ? FindInOrder(e.Archives, {ArchiveId::Anim}, request.Name)
               : FindInOrder(e.Archives, {ArchiveId::Anim, ArchiveId::Anim2}, request.Name);
    if (!found.Found()) return;
    ShellState& sh = e.Shell;
    const bool was_locked = sh.ToolbarLocked;
    e.Anim.Playing = true;
    SetToolbarLocked(e, true);
    AnimSource source;
    AnimCanvas canvas(e, form, request.X, request.Y);
    if (source.Open(e.Archives, {found.Archive}, request.Name) && canvas.Prepare(source.Header())) {
        SoundKind sound = StartAnimSound(e, source, battle);
        sh.EngineBusy = sh.TransitionRunning = true;
        sh.InterruptRequest = 0;
        Loop loop{e, source, canvas};
        RunEvents(loop, form, request.Cuttable && !battle);
        FinishCanvas(source, canvas, form);
        StopAnimSound(e, sound);
        sh.EngineBusy = sh.TransitionRunning = false;
    }
    source.Close();
    e.Anim.Playing = false;
    SetToolbarLocked(e, was_locked);
    // A close asked for meanwhile is asked about now. The battle's own loop asks it instead; a
    // click on its effect was only recorded and does not carry over to the battle.
    if (!battle) {
        SettleTransitionInterrupt(e);
    } else if (sh.InterruptRequest == 1) {
        sh.InterruptRequest = 0;
    }
}

}  // namespace vespin
