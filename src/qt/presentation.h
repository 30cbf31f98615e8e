#pragma once
// How the 800 x 600 picture reaches today's screens: scaled to fit a full screen with its 4:3
// shape kept (smoothly, in whole multiples, or not at all), a window scale of 1x, 1.5x or 2x, and
// screenshots as PNG files in the user's Pictures folder. The choices live in the settings store
// beside the original values: `Scaling` (smooth, sharp, off) and `WindowScale` (100, 150, 200).

#include <QDateTime>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>

class QMenu;

namespace vespin {

enum class Scaling : uint8_t {
    Smooth,  // as large as fits, filtered
    Sharp,   // the largest whole multiple that fits, else as large as fits, nearest pixel
    Off,     // 1:1 in the centre
};

inline constexpr int kPictureWidth = 800;
inline constexpr int kPictureHeight = 600;

// Where the picture goes in an area of the given size, centred.
QRect FitPicture(QSize area, Scaling scaling);
// A point of the area as a pixel of the picture drawn at `picture`; kept inside the picture.
QPoint MapToPicture(const QRect& picture, QPointF at);
// Whether drawing at `picture` on a screen of `device_ratio` wants filtering: not when every
// picture pixel becomes a whole block of screen pixels, nor in the sharp and off modes.
bool SmoothFilter(const QRect& picture, double device_ratio, Scaling scaling);

// The stored texts; anything else reads as the default (smooth, 100).
Scaling ScalingFromText(std::string_view text);
int WindowScaleFromText(std::string_view text);
// The client size of the window at a scale: the strip of `strip_height` above the picture.
QSize ScaledClientSize(int percent, int strip_height);

// "vespin-YYYYMMDD-HHMMSS.png" in `folder`, with "-2", "-3"... when a file of that name exists.
QString ScreenshotPath(const QString& folder, const QDateTime& when);
// The user's Pictures folder (XDG), made when missing; the home folder when there is none.
QString PicturesFolder();

// The popup menu's items for the window scale and the screenshot.
struct PresentationMenu {
    int CurrentScale = 100;
    std::function<void(int percent)> ChooseScale;
    std::function<void()> TakeScreenshot;
};
void AddPresentationItems(QMenu& menu, const PresentationMenu& items);

}  // namespace vespin
