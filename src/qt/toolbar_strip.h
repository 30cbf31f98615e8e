#pragma once
// The toolbar strip `Panel1` above the drawing area and the popup menu `PopupMenu1`. Both only
// mirror the ToolbarState the engine pushes; a click becomes a Command event for the engine.

#include <QFrame>
#include <QMenu>
#include <array>

#include "core/host/host.h"
#include "qt/input_queue.h"

class QAction;
class QSlider;
class QToolButton;

namespace vespin {

class ToolbarStrip : public QFrame {
  public:
    static constexpr int kWidth = 801;
    static constexpr int kHeight = 21;

    ToolbarStrip(InputQueue& queue, QWidget* parent);

    void Apply(const ToolbarState& state);
    // SpeedButton1..7 by command; nullptr for anything else.
    QToolButton* Button(UiCommand command) const;
    QSlider* TrackBar() const { return m_track; }

  private:
    InputQueue& m_queue;
    std::array<QToolButton*, 7> m_buttons{};  // SpeedButton1..7
    QSlider* m_track = nullptr;
};

class PopupMenu : public QMenu {
  public:
    PopupMenu(InputQueue& queue, QWidget* parent);

    void Apply(const ToolbarState& state);
    // N6, N7, N1, N2 and 読み上げ by command; nullptr for anything else.
    QAction* Item(UiCommand command) const;

  private:
    std::array<QAction*, 5> m_items{};  // N6, N7, N1, N2, 読み上げ
};

}  // namespace vespin
