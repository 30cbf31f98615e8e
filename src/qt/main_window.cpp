#include "qt/main_window.h"

#include <QPalette>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWheelEvent>

#include <QScreen>

#include "qt/key_map.h"
#include "qt/presentation.h"

namespace vespin {

namespace {

// One wheel notch, in the eighths of a degree Qt reports.
constexpr int kWheelNotch = 120;

}  // namespace

MainWindow::MainWindow(InputQueue& queue)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      m_queue(queue),
      m_toolbar(new ToolbarStrip(queue, this)),
      m_area(new DrawingArea(queue, this)),
      m_menu(new PopupMenu(queue, this)),
      m_movie(new MoviePanel(queue, *m_area, this)) {
    setObjectName("TForm1");
    setFixedSize(kClientWidth, kClientHeight);
    PlaceDrawingArea(kAreaTop);
    // What the strip shows before the engine first says otherwise.
    m_toolbar->Apply(ToolbarState{});
    m_menu->Apply(ToolbarState{});
    setFocusPolicy(Qt::StrongFocus);
    // Japanese text is typed in the dialogs; the game window itself takes plain keys.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void MainWindow::PlaceDrawingArea(int top) {
    m_area->move(0, top);
    m_movie->CoverArea();
}

QSize MainWindow::ScaledClientSize() const {
    return QSize(m_base_client.width() * m_scale / 100,
                 kAreaTop + (m_base_client.height() - kAreaTop) * m_scale / 100);
}

void MainWindow::SetBaseClientSize(QSize size) {
    m_base_client = size;
    if (!m_full_screen) ApplyLayout(false);
}

void MainWindow::SetWindowScale(int percent) {
    m_scale = percent;
    if (!m_full_screen) ApplyLayout(false);
}

void MainWindow::FitAreaToScreen() {
    QScreen* shown_on = screen();
    QRect whole = shown_on ? shown_on->geometry() : QRect(0, 0, kClientWidth, kClientHeight);
    setFixedSize(whole.size());
    move(whole.topLeft());
    m_area->setGeometry(0, 0, whole.width(), whole.height());
}

void MainWindow::ApplyLayout(bool full_screen) {
    Qt::WindowFlags windowed = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint;
    bool was_visible = isVisible();
    bool was_full_screen = m_full_screen;
    m_full_screen = full_screen;
    if (full_screen != was_full_screen)
        setWindowFlags(full_screen ? (Qt::Window | Qt::FramelessWindowHint) : windowed);
    if (full_screen) {
        FitAreaToScreen();
    } else {
        QSize client = ScaledClientSize();
        setFixedSize(client);
        m_area->resize(client.width(), client.height() - kAreaTop);
    }
    // Around the 800 x 600 picture a full screen is black.
    QPalette background = palette();
    background.setColor(QPalette::Window,
                        full_screen ? Qt::black : QPalette().color(QPalette::Window));
    setPalette(background);
    setAutoFillBackground(full_screen);
    m_toolbar->setVisible(!full_screen);
    m_toolbar->raise();
    PlaceDrawingArea(full_screen ? 0 : kAreaTop);
    if (was_visible) {
        if (full_screen) {
            showFullScreen();
        } else if (was_full_screen) {
            showNormal();
        } else {
            show();
        }
    }
}

void MainWindow::Shake(int dx, int dy) {
    if (m_full_screen) {
        // A full-screen window cannot move: the picture moves on the black around it.
        m_area->move(dx, dy);
        m_movie->CoverArea();
        return;
    }
    if (!m_shaking) m_rest = pos();
    m_shaking = dx != 0 || dy != 0;
    move(m_rest + QPoint(dx, dy));
}

void MainWindow::SetStripVisible(bool visible) {
    m_toolbar->setVisible(visible);
    if (visible) m_toolbar->raise();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_close_allowed) {
        event->accept();
        return;
    }
    // The engine asks its question (or refuses during an effect) and closes through the host.
    event->ignore();
    InputEvent input;
    input.kind = InputKind::CloseRequest;
    m_queue.Push(input);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F12) {
        // The screenshot key: the engine saves the picture through the host and says so.
        InputEvent input;
        input.kind = InputKind::Command;
        input.command = UiCommand::Screenshot;
        m_queue.Push(input);
        event->accept();
        return;
    }
    // A held key repeats its key down, as the engine expects; only the release is single.
    if (int key = VirtualKeyFromQt(event->key()); key != 0) {
        InputEvent input;
        input.kind = InputKind::KeyDown;
        input.key = key;
        m_queue.Push(input);
    }
    for (int code : CharCodesFromQt(event->key(), event->text())) {
        InputEvent input;
        input.kind = InputKind::Char;
        input.key = code;
        m_queue.Push(input);
    }
    event->accept();
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    // Auto-repeat arrives as release and press pairs; the key is still held, so the release
    // is not passed on (releasing Shift ends skipping).
    if (event->isAutoRepeat()) return;
    if (int key = VirtualKeyFromQt(event->key()); key != 0) {
        InputEvent input;
        input.kind = InputKind::KeyUp;
        input.key = key;
        m_queue.Push(input);
    }
    event->accept();
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    // Fine-grained wheels and touchpads report fractions of a notch: collect them.
    m_wheel_remainder += event->angleDelta().y();
    int notches = m_wheel_remainder / kWheelNotch;
    m_wheel_remainder -= notches * kWheelNotch;
    event->accept();
    if (notches == 0) return;
    InputEvent input;
    input.kind = InputKind::Wheel;
    input.delta = notches;
    QPoint at = m_area->mapFrom(this, event->position().toPoint());
    input.x = at.x();
    input.y = at.y();
    m_queue.Push(input);
}

}  // namespace vespin
