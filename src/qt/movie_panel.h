#pragma once
// The movie panel: a borderless 800 x 600 widget laid exactly over the drawing area, hidden
// except while a movie plays. It paints the movie's latest frame stretched over its whole
// surface, as the player's display rectangle is the whole panel, and a click on it reaches the
// engine as a click on the drawing area (the engine ends the movie on one).

#include <QImage>
#include <QWidget>

#include "qt/input_queue.h"

class QVideoFrame;

namespace vespin {

class MoviePanel : public QWidget {
  public:
    // `area` is the drawing area, a sibling under the same parent.
    MoviePanel(InputQueue& queue, const QWidget& area, QWidget* parent);

    // Takes the drawing area's place and size and comes to the front of its siblings.
    void CoverArea();
    // Shows `frame` from the next paint on. A frame without a picture (the player sends one
    // when it stops) leaves the last picture in place.
    void ShowFrame(const QVideoFrame& frame);
    // Back to black, for the next movie.
    void ClearFrame();
    const QImage& Frame() const { return m_frame; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    InputQueue& m_queue;
    const QWidget& m_area;
    QImage m_frame;
};

}  // namespace vespin
