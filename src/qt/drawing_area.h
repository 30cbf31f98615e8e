#pragma once
// The 800 x 600 drawing area: shows the last frame the engine presented and turns the mouse
// into engine input in its own pixel coordinates.

#include <QImage>
#include <QWidget>

#include "core/graphics/surface.h"
#include "qt/input_queue.h"

namespace vespin {

class DrawingArea : public QWidget {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    DrawingArea(InputQueue& queue, QWidget* parent);

    // Copies `area` of `source` into the backing picture and schedules its repaint.
    void Present(const Surface& source, const Rect& area);
    const QImage& Image() const { return m_image; }
    // How many times the widget has painted itself: 0 until the window's first frame.
    int PaintCount() const { return m_paint_count; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    InputQueue& m_queue;
    QImage m_image;
    int m_paint_count = 0;
    bool m_black = true;  // nothing but black presented yet
};

}  // namespace vespin
