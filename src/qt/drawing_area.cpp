#include "qt/drawing_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "qt/frame_copy.h"

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

DrawingArea::DrawingArea(InputQueue& queue, QWidget* parent)
    : QWidget(parent), m_queue(queue), m_image(kWidth, kHeight, QImage::Format_RGB32) {
    m_image.fill(Qt::black);
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    // Every pixel comes from the backing picture: Qt need not clear behind it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::Present(const Surface& source, const Rect& area) {
    QRect copied = CopyBgrToRgb32(source, area, m_image);
    if (!copied.isEmpty()) update(copied);
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& rect : event->region())
        painter.drawImage(rect, m_image, rect);
}

void DrawingArea::PushMouse(InputKind kind, QMouseEvent* event) {
    InputEvent input;
    input.kind = kind;
    QPoint at = event->position().toPoint();
    input.x = at.x();
    input.y = at.y();
    if (kind != InputKind::MouseMove) {
        std::optional<MouseButton> button = EngineButton(event->button());
        if (!button) return;  // the engine knows three buttons only
        input.button = *button;
    }
    m_queue.Push(input);
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
    PushMouse(InputKind::MouseMove, event);
}

// Qt reports the second press of a double click through this handler too (its default
// double-click handler calls it), which is what the engine expects: two presses.
void DrawingArea::mousePressEvent(QMouseEvent* event) {
    PushMouse(InputKind::MouseDown, event);
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
    PushMouse(InputKind::MouseUp, event);
}

}  // namespace vespin
