#pragma once
// Mouse events of the widgets that cover the 800 x 600 drawing area (the area itself, the movie
// panel) as engine input, in the widget's own pixels: both sit exactly where the area is.

#include <QMouseEvent>

#include "qt/input_queue.h"

namespace vespin {

// Queues a move, press or release; presses and releases of buttons the engine does not know
// (it knows left, right and middle) are dropped.
void QueueMouseInput(InputQueue& queue, InputKind kind, const QMouseEvent& event);
// The same at a point already in the picture's pixels (a scaled drawing area maps it).
void QueueMouseInput(InputQueue& queue, InputKind kind, const QMouseEvent& event, QPoint at);

}  // namespace vespin
