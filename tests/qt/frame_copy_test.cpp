#include "qt/frame_copy.h"

#include <gtest/gtest.h>

#include <climits>

namespace vespin {
namespace {

// A surface whose every pixel is distinct: blue = x, green = y, red = x + y.
Surface Pattern(int width, int height) {
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = s.Row(y) + x * 3;
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x + y);
        }
    }
    return s;
}

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    return image;
}

TEST(FrameCopy, CopiesTheAreaWithRedAndBlueInTheirPlaces) {
    Surface source = Pattern(16, 8);
    QImage target = Blank(16, 8);
    QRect copied = CopyBgrToRgb32(source, Rect{3, 2, 5, 4}, target);
    EXPECT_EQ(copied, QRect(3, 2, 5, 4));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            bool inside = x >= 3 && x < 8 && y >= 2 && y < 6;
            QRgb want = inside ? qRgb(x + y, y, x) : qRgb(1, 2, 3);
            ASSERT_EQ(target.pixel(x, y), want) << x << "," << y;
        }
    }
}

TEST(FrameCopy, AreasReachingOutsideAreClippedToBothPictures) {
    Surface source = Pattern(10, 10);
    QImage target = Blank(8, 12);
    // Sticks out on the left, top, right (past the target) and bottom (past the source).
    QRect copied = CopyBgrToRgb32(source, Rect{-5, -5, 100, 100}, target);
    EXPECT_EQ(copied, QRect(0, 0, 8, 10));
    EXPECT_EQ(target.pixel(7, 9), qRgb(16, 9, 7));
    EXPECT_EQ(target.pixel(7, 10), qRgb(1, 2, 3));
}

TEST(FrameCopy, DegenerateAreasCopyNothing) {
    Surface source = Pattern(10, 10);
    QImage target = Blank(10, 10);
    const Rect nothing[] = {
        {0, 0, 0, 5},
        {0, 0, 5, 0},
        {2, 2, -3, 4},
        {10, 0, 5, 5},
        {0, 10, 5, 5},
        {-20, 0, 10, 5},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MAX, 5},
    };
    for (const Rect& area : nothing) {
        EXPECT_TRUE(CopyBgrToRgb32(source, area, target).isEmpty())
            << area.x << "," << area.y << " " << area.w << "x" << area.h;
    }
    EXPECT_EQ(target, Blank(10, 10));
    // An empty surface and a target of another format are refused, not read.
    EXPECT_TRUE(CopyBgrToRgb32(Surface(), Rect{0, 0, 10, 10}, target).isEmpty());
    QImage other(10, 10, QImage::Format_RGB888);
    EXPECT_TRUE(CopyBgrToRgb32(source, Rect{0, 0, 10, 10}, other).isEmpty());
}

}  // namespace
}  // namespace vespin
