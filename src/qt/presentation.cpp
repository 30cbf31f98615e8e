#include "qt/presentation.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

namespace vespin {

namespace {

QRect Centred(QSize area, int width, int height) {
    return QRect((area.width() - width) / 2, (area.height() - height) / 2, width, height);
}

QRect FitShape(QSize area) {
    // The largest 4:3 rectangle inside the area: width limited by the width or by the height.
    int width = std::min(area.width(), area.height() * kPictureWidth / kPictureHeight);
    int height = width * kPictureHeight / kPictureWidth;
    return Centred(area, std::max(width, 1), std::max(height, 1));
}

bool WholeMultiple(double scale) {
    return scale >= 1.0 && std::abs(scale - std::round(scale)) < 1e-6;
}

}  // namespace

QRect FitPicture(QSize area, Scaling scaling) {
    switch (scaling) {
        case Scaling::Off:
            return Centred(area, kPictureWidth, kPictureHeight);
        case Scaling::Sharp: {
            int k = std::min(area.width() / kPictureWidth, area.height() / kPictureHeight);
            if (k >= 1) return Centred(area, kPictureWidth * k, kPictureHeight * k);
            return FitShape(area);
        }
        case Scaling::Smooth:
            break;
    }
    return FitShape(area);
}

QPoint MapToPicture(const QRect& picture, QPointF at) {
    if (picture.width() <= 0 || picture.height() <= 0) return {};
    double x = (at.x() - picture.x()) * kPictureWidth / picture.width();
    double y = (at.y() - picture.y()) * kPictureHeight / picture.height();
    return QPoint(std::clamp(static_cast<int>(std::floor(x)), 0, kPictureWidth - 1),
                  std::clamp(static_cast<int>(std::floor(y)), 0, kPictureHeight - 1));
}

bool SmoothFilter(const QRect& picture, double device_ratio, Scaling scaling) {
    if (scaling != Scaling::Smooth) return false;
    double scale = picture.width() * device_ratio / kPictureWidth;
    return !WholeMultiple(scale);
}

Scaling ScalingFromText(std::string_view text) {
    if (text == "sharp") return Scaling::Sharp;
    if (text == "off") return Scaling::Off;
    return Scaling::Smooth;
}

int WindowScaleFromText(std::string_view text) {
    if (text == "150") return 150;
    if (text == "200") return 200;
    return 100;
}

QSize ScaledClientSize(int percent, int strip_height) {
    return QSize(kPictureWidth * percent / 100, strip_height + kPictureHeight * percent / 100);
}

QString ScreenshotPath(const QString& folder, const QDateTime& when) {
    QString stem = QStringLiteral("vespin-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QDir dir(folder);
    QString path = dir.filePath(stem + QStringLiteral(".png"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QString("%1-%2.png").arg(stem).arg(n));
    return path;
}

QString PicturesFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    QDir().mkpath(folder);
    return folder;
}

void AddPresentationItems(QMenu& menu, const PresentationMenu& items) {
    menu.addSeparator();
    QMenu* sizes = menu.addMenu(QStringLiteral("ウィンドウの大きさ"));
    sizes->setObjectName("WindowScaleMenu");
    auto* group = new QActionGroup(sizes);
    const std::pair<int, const char*> choices[] = {{100, "1倍"}, {150, "1.5倍"}, {200, "2倍"}};
    for (const auto& [percent, caption] : choices) {
        QAction* action = sizes->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString("WindowScale%1").arg(percent));
        action->setCheckable(true);
        action->setChecked(percent == items.CurrentScale);
        group->addAction(action);
        int chosen = percent;
        auto choose = items.ChooseScale;
        QObject::connect(action, &QAction::triggered, sizes, [choose, chosen] { choose(chosen); });
    }
    QAction* shot = menu.addAction(QStringLiteral("スクリーンショット"));
    shot->setObjectName("Screenshot");
    auto take = items.TakeScreenshot;
    QObject::connect(shot, &QAction::triggered, &menu, [take] { take(); });
}

}  // namespace vespin
