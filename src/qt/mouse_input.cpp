#include "qt/mouse_input.h"

#include <optional>

namespace vespin {

namespace {

std::optional<MouseButton> EngineButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

}  // namespace

void QueueMouseInput(InputQueue& queue, InputKind kind, const QMouseEvent& event) {
    QueueMouseInput(queue, kind, event, event.position().toPoint());
}

void QueueMouseInput(InputQueue& queue, InputKind kind, const QMouseEvent& event, QPoint at) {
    InputEvent input;
    input.kind = kind;
    input.x = at.x();
    input.y = at.y();
    if (kind != InputKind::MouseMove) {
        std::optional<MouseButton> button = EngineButton(event.button());
        if (!button) return;
        input.button = *button;
    }
    queue.Push(input);
}

}  // namespace vespin
