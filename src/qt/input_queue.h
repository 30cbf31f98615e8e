#pragma once
// Input the widgets have seen and the engine has not: filled by Qt's event handlers while Qt
// processes its events, emptied in order by the host's message pump.

#include <deque>
#include <optional>

#include "core/host/events.h"

namespace vespin {

class InputQueue {
  public:
    // Consecutive mouse moves collapse into the latest one, as the window system reports a
    // moving pointer: only where it is now matters, not every pixel it crossed.
    void Push(const InputEvent& event) {
        if (event.kind == InputKind::MouseMove && !m_events.empty() &&
            m_events.back().kind == InputKind::MouseMove) {
            m_events.back() = event;
            return;
        }
        m_events.push_back(event);
    }

    // Removes and returns the oldest event. Removal comes before delivery, so a handler that
    // pumps messages again carries on with the next event instead of repeating this one.
    std::optional<InputEvent> Pop() {
        if (m_events.empty()) return std::nullopt;
        InputEvent event = m_events.front();
        m_events.pop_front();
        return event;
    }

    bool Empty() const { return m_events.empty(); }
    size_t Size() const { return m_events.size(); }

  private:
    std::deque<InputEvent> m_events;
};

}  // namespace vespin
