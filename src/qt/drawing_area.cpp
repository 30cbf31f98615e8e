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
    resize(kWidth, kHeight);
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
    if (copied.isEmpty()) return;
    QRect picture = PictureRect();
    if (picture.size() == m_image.size()) {
        update(copied.translated(picture.topLeft()));
        return;
    }
    // The changed pixels' place on the scaled picture, a pixel wider for the filter's reach.
    double sx = double(picture.width()) / kWidth, sy = double(picture.height()) / kHeight;
    QRectF on_screen(picture.x() + copied.x() * sx, picture.y() + copied.y() * sy,
                     copied.width() * sx, copied.height() * sy);
    update(on_screen.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void DrawingArea::SetScaling(Scaling scaling) {
    m_scaling = scaling;
    update();
}

QPoint DrawingArea::ToPicture(QPointF at) const {
    return MapToPicture(PictureRect(), at);
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    m_paint_count += 1;
    QPainter painter(this);
    QRect picture = PictureRect();
    if (picture.size() == m_image.size()) {
        for (const QRect& rect : event->region()) {
            QRect on_picture = rect & picture;
            if (!on_picture.isEmpty())
                painter.drawImage(on_picture, m_image, on_picture.translated(-picture.topLeft()));
        }
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform,
                              SmoothFilter(picture, devicePixelRatioF(), m_scaling));
        painter.drawImage(picture, m_image);
    }
    // Around the picture a larger area is black.
    QRegion bars = QRegion(rect()) - QRegion(picture);
    for (const QRect& bar : bars)
        painter.fillRect(bar, Qt::black);
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseMove, *event, ToPicture(event->position()));
}

// Qt reports the second press of a double click through this handler too (its default
// double-click handler calls it), which is what the engine expects: two presses.
void DrawingArea::mousePressEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseDown, *event, ToPicture(event->position()));
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseUp, *event, ToPicture(event->position()));
}

}  // namespace vespin
