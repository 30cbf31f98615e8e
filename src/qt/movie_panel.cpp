#include "qt/movie_panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVideoFrame>

#include "qt/mouse_input.h"

namespace vespin {

MoviePanel::MoviePanel(InputQueue& queue, const QWidget& area, QWidget* parent)
    : QWidget(parent), m_queue(queue), m_area(area) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    // The panel paints every pixel itself, black where there is no frame yet.
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
    CoverArea();
}

void MoviePanel::CoverArea() {
    setGeometry(m_area.geometry());
    raise();
}

void MoviePanel::ShowFrame(const QVideoFrame& frame) {
    if (!frame.isValid()) return;
    QImage picture = frame.toImage();
    if (picture.isNull()) return;
    m_frame = std::move(picture);
    update();
}

void MoviePanel::ClearFrame() {
    m_frame = QImage();
    update();
}

void MoviePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_frame);
}

void MoviePanel::mouseMoveEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseMove, *event);
}

void MoviePanel::mousePressEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseDown, *event);
}

void MoviePanel::mouseReleaseEvent(QMouseEvent* event) {
    QueueMouseInput(m_queue, InputKind::MouseUp, *event);
}

}  // namespace vespin
