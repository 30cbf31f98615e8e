#pragma once
// The main window: the toolbar strip at the top, the drawing area at (0, 24) with the movie panel
// in the same place, a fixed size and no maximise box. Keys, the wheel and the close box become
// engine input; whether the window really closes is the engine's decision.

#include <QWidget>

#include "qt/drawing_area.h"
#include "qt/input_queue.h"
#include "qt/movie_panel.h"
#include "qt/toolbar_strip.h"

namespace vespin {

class MainWindow : public QWidget {
  public:
    static constexpr int kAreaTop = 24;
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 624;

    explicit MainWindow(InputQueue& queue);

    ToolbarStrip& Toolbar() { return *m_toolbar; }
    DrawingArea& Area() { return *m_area; }
    PopupMenu& Menu() { return *m_menu; }
    MoviePanel& Movie() { return *m_movie; }

    // Puts the drawing area and the movie panel at `top` (kAreaTop in the windowed layout). The
    // full-screen layout, once the front end has one, puts them at 0 through here and hides the
    // strip; the engine leaves full screen before a movie's end and enters it again afterwards,
    // and the panel follows the area wherever it is.
    void PlaceDrawingArea(int top);
    // The full-screen layout (no border, at the desktop's corner, the strip hidden, the drawing
    // area at the top) or the windowed one.
    void ApplyLayout(bool full_screen);
    void SetStripVisible(bool visible);
    // Displaces the window by (dx, dy) from where it rests for a shake, or in the full-screen
    // layout the drawing area inside the screen; (0, 0) puts either back.
    void Shake(int dx, int dy);

    // The engine has decided to close: from now on the close box closes.
    void AllowClose() { m_close_allowed = true; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    InputQueue& m_queue;
    ToolbarStrip* m_toolbar;
    DrawingArea* m_area;
    PopupMenu* m_menu;
    MoviePanel* m_movie;
    int m_wheel_remainder = 0;  // eighths of a degree not yet worth a notch
    bool m_close_allowed = false;
    bool m_full_screen = false;
    bool m_shaking = false;  // m_rest holds where the window rests
    QPoint m_rest;
};

}  // namespace vespin
