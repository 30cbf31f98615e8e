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
    // The full-screen layout (no border, covering the window's screen, the strip hidden, the
    // picture scaled to fit with black around it) or the windowed one (at the window scale).
    void ApplyLayout(bool full_screen);
    bool FullScreenLayout() const { return m_full_screen; }
    // The windowed client size at scale 100 (the engine's outer size less the frame).
    void SetBaseClientSize(QSize size);
    // The window scale in percent (100, 150, 200): the drawing area grows, the strip stays.
    void SetWindowScale(int percent);
    int WindowScale() const { return m_scale; }
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
    QSize ScaledClientSize() const;
    void FitAreaToScreen();

    int m_wheel_remainder = 0;  // eighths of a degree not yet worth a notch
    int m_scale = 100;
    bool m_full_screen = false;
    QSize m_base_client{kClientWidth, kClientHeight};
    bool m_close_allowed = false;
    bool m_shaking = false;  // m_rest holds where the window rests
    QPoint m_rest;
};

}  // namespace vespin
