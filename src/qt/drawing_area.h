#pragma once
// The 800 x 600 drawing area: shows the last frame the engine presented and turns the mouse
// into engine input in the picture's own pixel coordinates. The widget may be larger than the
// picture (a window scale, the full screen): the picture is then drawn scaled with its 4:3 shape
// kept and black around it, and the pointer is mapped back to the 800 x 600 picture.

#include <QImage>
#include <QWidget>

#include "core/graphics/surface.h"
#include "qt/input_queue.h"
#include "qt/presentation.h"

namespace vespin {

class DrawingArea : public QWidget {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    DrawingArea(InputQueue& queue, QWidget* parent);

    // Copies `area` of `source` into the backing picture and schedules its repaint.
    void Present(const Surface& source, const Rect& area);
    const QImage& Image() const { return m_image; }
    // How the picture fills a widget larger than itself.
    void SetScaling(Scaling scaling);
    Scaling CurrentScaling() const { return m_scaling; }
    // Where the picture is drawn inside the widget, in the widget's coordinates.
    QRect PictureRect() const { return FitPicture(size(), m_scaling); }
    // A point of the widget as a pixel of the 800 x 600 picture (kept inside the picture).
    QPoint ToPicture(QPointF at) const;
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
    Scaling m_scaling = Scaling::Smooth;
    bool m_black = true;  // nothing but black presented yet
};

}  // namespace vespin
