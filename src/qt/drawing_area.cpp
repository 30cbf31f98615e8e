#include "qt/drawing_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "qt/frame_copy.h"
#include "qt/mouse_input.h"

namespace vespin {

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
    // Black onto the black picture of a new window: nothing to convert (start-up shows this).
    if (m_black && source.PixelsPending()) return;
    m_black = false;
    QRect copied = CopyBgrToRgb32(source, area, m_image);
    if (!copied.isEmpty()) update(copied);
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    m_paint_count += 1;
    QPainter painter(this);
    for (const QRect& rect : event->region())
        painter.drawImage(rect, m_image, rect);
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseMove, *event);
}

// Qt reports the second press of a double click through this handler too (its default
// double-click handler calls it), which is what the engine expects: two presses.
void DrawingArea::mousePressEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseDown, *event);
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseUp, *event);
}

}  // namespace vespin
