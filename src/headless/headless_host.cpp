#include "headless/headless_host.h"

#include <cstdio>
#include <cstring>

#include "core/text/sjis.h"

namespace vespin {

HeadlessHost::HeadlessHost()
    : m_area(800, 600),
      m_sound([this] { return m_now; }),
      m_movies([this] { return m_now; }, [this] { m_repaint_pending = true; }) {}

SoundDevice* HeadlessHost::OpenSoundDevice(bool keep_playing_in_background) {
    if (!m_sound_output || !m_sound_opens) return nullptr;
    m_sound_open = true;
    m_keep_in_background = keep_playing_in_background;
    return &m_sound;
}

void HeadlessHost::SetEvents(std::vector<ScriptedEvent> events) {
    m_events = std::move(events);
    m_next_event = 0;
}

void HeadlessHost::AddShot(uint32_t ms, std::function<void(const Surface&)> take) {
    m_shots.push_back(Shot{ms, std::move(take)});
}

void HeadlessHost::TakeDueShots() {
    for (Shot& shot : m_shots) {
        if (!shot.Taken && shot.TimeMs <= m_now) {
            shot.Take(m_area);
            shot.Taken = true;
        }
    }
}

void HeadlessHost::SleepMs(uint32_t ms) {
    // Nothing is drawn while the engine sleeps, so a shot due within the sleep sees the frame
    // as it stands now.
    for (Shot& shot : m_shots) {
        if (!shot.Taken && shot.TimeMs < m_now + ms) {
            shot.Take(m_area);
            shot.Taken = true;
        }
    }
    NullHost::SleepMs(ms);
}

void HeadlessHost::PumpMessages(EngineEvents& engine) {
    // Input comes before the timer, as a window system orders its messages.
    while (m_next_event < m_events.size() && m_events[m_next_event].TimeMs <= m_now) {
        const ScriptedEvent& ev = m_events[m_next_event++];
        if (ev.Kind == ScriptedEvent::Kind::Answer) {
            m_answers.push_back(ev.Answer);
        } else if (ev.Kind == ScriptedEvent::Kind::Names) {
            m_name_answers.push_back(ev.Words);
        } else if (ev.Kind == ScriptedEvent::Kind::Setting) {
            engine.OnSettingChange(ev.Words[0], ev.Words[1]);
        } else {
            engine.OnInput(ev.Input);
        }
    }
    // A window system paints once the input is handled, before the timer: its paint message
    // comes after the input messages and ahead of the timer's.
    if (m_repaint_pending) {
        m_repaint_pending = false;
        m_repaints += 1;
        engine.OnRepaint();
    }
    DeliverDueTick(engine);
}

void HeadlessHost::ShowPopupMenu(int x, int y) {
    NullHost::ShowPopupMenu(x, y);
    m_repaint_pending = true;
}

// Nothing is chosen here: the event script sends Popup2Register or Popup2Confirm as commands.
void HeadlessHost::ShowPopupMenu2(int, int) {
    m_repaint_pending = true;
}

void HeadlessHost::ApplyScreenLayout(ScreenLayout layout) {
    NullHost::ApplyScreenLayout(layout);
    m_repaint_pending = true;
}

bool HeadlessHost::EnterExclusiveDisplay(int bits_per_pixel) {
    bool entered = NullHost::EnterExclusiveDisplay(bits_per_pixel);
    if (entered) m_repaint_pending = true;
    return entered;
}

void HeadlessHost::LeaveExclusiveDisplay() {
    NullHost::LeaveExclusiveDisplay();
    m_repaint_pending = true;
}

void HeadlessHost::Present(const Surface& source, const Rect& area) {
    int x0 = std::max(area.x, 0), y0 = std::max(area.y, 0);
    int x1 = std::min({area.x + area.w, source.Width(), m_area.Width()});
    int y1 = std::min({area.y + area.h, source.Height(), m_area.Height()});
    if (x1 <= x0) return;
    if (source.PixelsPending() && m_area.PixelsPending()) return;  // black onto black
    for (int y = y0; y < y1; ++y) {
        std::memcpy(m_area.Row(y) + x0 * 3, source.Row(y) + x0 * 3, (x1 - x0) * 3);
    }
}

MessageResult HeadlessHost::ShowMessageBox(std::string_view text, std::string_view caption,
                                           MessageIcon, MessageButtons buttons) {
    MessageResult answer = MessageResult::Ok;
    if (buttons == MessageButtons::OkCancel && !m_answers.empty()) {
        answer = m_answers.front();
        m_answers.erase(m_answers.begin());
    }
    std::string line = std::string(caption) + ": " + std::string(text);
    m_boxes.push_back(line);
    m_repaint_pending = true;  // the box covered the drawing area
    m_transcript += "[box " + line + (answer == MessageResult::Ok ? " -> ok]\n" : " -> cancel]\n");
    return answer;
}

void HeadlessHost::ShakeWindow(int dx, int dy) {
    m_shifts.push_back(WindowShift{m_now, dx, dy});
}

void HeadlessHost::AskNames(NameRequest& request) {
    m_repaint_pending = true;  // the dialog covered the drawing area
    auto press = [&] {
        bool closed = request.Accept && request.Accept(request.Fields);
        std::string line = "[names";
        for (const NameRequest::Field& field : request.Fields)
            line += " " + field.Text;
        m_transcript += line + (closed ? " -> ok]\n" : " -> refused]\n");
        return closed;
    };
    if (m_name_answers.empty()) {
        press();
        return;
    }
    while (!m_name_answers.empty()) {
        std::vector<std::string> texts = std::move(m_name_answers.front());
        m_name_answers.erase(m_name_answers.begin());
        for (size_t i = 0; i < texts.size() && i < request.Fields.size(); ++i)
            request.Fields[i].Text = texts[i];
        if (press()) return;
    }
}

void HeadlessHost::ReportError(std::string_view message) {
    m_errors.emplace_back(message);
    std::fprintf(stderr, "vespin-run: script error at %u ms: %.*s\n", m_now,
                 static_cast<int>(message.size()), message.data());
}

void HeadlessHost::Speak(std::string_view text) {
    if (text.empty()) return;  // silencing leaves nothing to read
    if (!m_transcript.empty() && m_transcript.back() != '\n') m_transcript += '\n';
    m_transcript += "[speech] " + std::string(text) + "\n";
}

void HeadlessHost::Transcript(TranscriptMark mark, std::string_view sjis) {
    switch (mark) {
        case TranscriptMark::Char:
            m_transcript += sjis::ToUtf8(sjis);
            break;
        case TranscriptMark::LineEnd:
            m_transcript += '\n';
            break;
        case TranscriptMark::Wait:
            m_transcript += "[wait " + std::string(sjis) + "]\n";
            break;
        case TranscriptMark::NewPage:
            m_transcript += "[page]\n";
            break;
        case TranscriptMark::SpeakerName:
            m_transcript += "> ";
            break;
        case TranscriptMark::Ruby:
            m_transcript += "<" + sjis::ToUtf8(sjis) + ">";
            break;
    }
}

}  // namespace vespin
