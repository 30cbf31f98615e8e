// Transitions that copy pieces of the new frame straight to the drawing area: blinds, wipes,
// combs, growing squares, the opening circle, random half rows and slanted strips.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

#include "core/graphics/frame_clock.h"
#include "core/graphics/transition_kit.h"
#include "core/shell/engine.h"
#include "core/shell/engine_state.h"

namespace vespin::transition {

namespace {

constexpr int kCentreX = kScreenWidth / 2;
constexpr int kCentreY = kScreenHeight / 2;
constexpr int kLargestOpening = 2000;

void ShowColumn(EngineState& e, int x) {
    Show(e, e.DisplaySurface, Rect{x, 0, 1, kScreenHeight});
}

void ShowRow(EngineState& e, int y) {
    Show(e, e.DisplaySurface, Rect{0, y, kScreenWidth, 1});
}

// Squares of N growing about the centres of a grid, each cell starting one frame after its
// neighbour above or to the left, so that they sweep in from the top-left corner.
struct SquareGrid {
    int Cell;    // cell size; squares grow to fill it
    int Frames;  // frames t = 0 .. Frames - 1
    int Rows;    // rows of cells (the grid is 25 cells wide)
    int Lead;    // the half size of cell (c, r) at frame t is t + Lead - (c + r)
};

void GrowingSquares(EngineState& e, const SquareGrid& grid) {
    constexpr int kColumns = 25;
    const int half_cell = grid.Cell / 2;
    DeadlinePacer pace(e, 30);
    for (int t = 0; t < grid.Frames; ++t) {
        pace.BeginFrame();
        for (int c = 0; c < kColumns; ++c) {
            for (int r = 0; r < grid.Rows; ++r) {
                int d = t + grid.Lead - (c + r);
                if (d < 1 || d > half_cell) continue;
                int cx = grid.Cell * c + half_cell;
                int cy = grid.Cell * r + half_cell;
                Show(e, e.DisplaySurface, Rect{cx - d, cy - d, 2 * d, 2 * d});
            }
        }
        if (CutShort(e, ClickMark::SetS019)) return;
        pace.EndFrame();
    }
}

// The rows the opening circle reaches at radius r, as the half width of its span on each row
// (-1: not reached). The midpoint walk visits some rows several times; their widest span wins.
void CircleSpans(int r, std::array<int, kScreenHeight>& half) {
    half.fill(-1);
    auto reach = [&](int row, int h) {
        if (row >= 0 && row < kScreenHeight) half[row] = std::max(half[row], std::min(h, 400));
    };
    int x = r;
    int y = 0;
    int err = r;
    while (x >= y) {
        if (y <= 300) {
            reach(kCentreY - y, x);
            reach(kCentreY + y, x);
        }
        if (x <= 300) {
            reach(kCentreY - x, y);
            reach(kCentreY + x, y);
        }
        err -= 2 * y - 1;
        y += 1;
        if (err < 0) {
            err += 2 * (x - 1);
            x -= 1;
        }
    }
}

}  // namespace

void VerticalBlinds(EngineState& e) {
    DeadlinePacer pace(e, 15);
    for (int i = 0; i < 16; ++i) {
        pace.BeginFrame();
        for (int k = 0; k < 50; ++k)
            ShowColumn(e, 16 * k + i);
        if (CutShort(e, ClickMark::SetS019)) return;
        pace.EndFrame();
    }
}

void HorizontalBlinds(EngineState& e) {
    DeadlinePacer pace(e, 20);
    for (int i = 0; i < 16; ++i) {
        pace.BeginFrame();
        for (int y = i; y < kScreenHeight; y += 16)
            ShowRow(e, y);
        if (CutShort(e, ClickMark::SetS019)) return;
        pace.EndFrame();
    }
}

void SoftWipe(EngineState& e) {
    // Strips of 16 columns, each widening from its left edge over 16 frames, the next strip one
    // frame behind: a soft edge that travels to the right.
    DeadlinePacer pace(e, 20);
    for (int t = 0; t < 70; ++t) {
        pace.BeginFrame();
        for (int j = 0; j < 16; ++j) {
            int s = t + j - 15;
            if (s >= 0 && s < 80) Show(e, e.DisplaySurface, Rect{16 * s, 0, 16 - j, kScreenHeight});
        }
        if (CutShort(e, ClickMark::SetS019)) return;
        pace.EndFrame();
    }
}

void CircleOpening(EngineState& e) {
    // The circle opens past the character positions. Their values come from scripts: reckoned
    // wide, and capped where the screen has long been covered, so that no value overflows or
    // holds the engine for hours.
    const int64_t left_x = e.Vars.S[20];
    const int64_t right_x = e.Vars.S[21];
    const int64_t reach = std::max(std::abs(left_x - 400), std::abs(right_x - 300)) + 500;
    const int last = static_cast<int>(std::min<int64_t>(reach, kLargestOpening));
    std::array<int, kScreenHeight> half;
    DeadlinePacer pace(e, 20);
    for (int r = 5; r < last; r += 10) {
        pace.BeginFrame();
        CircleSpans(r, half);
        for (int row = 0; row < kScreenHeight; ++row) {
            if (half[row] >= 0)
                Show(e, e.DisplaySurface, Rect{kCentreX - half[row], row, 2 * half[row] + 1, 1});
        }
        if (CutShort(e, ClickMark::SetS019)) return;
        pace.EndFrame();
    }
    // The last circle may stop short of the corners (the character positions set its size):
    // the transition still ends on the whole new frame.
    ShowAll(e, e.DisplaySurface);
}

void RowComb(EngineState& e) {
    DeadlinePacer pace(e, 15);
    for (int y = 0; y < kScreenHeight;) {
        pace.BeginFrame();
        for (int i = 0; i < 5; ++i, y += 2) {
            ShowRow(e, y);
            ShowRow(e, kScreenHeight - 1 - y);
        }
        if (CutShort(e, ClickMark::SetS019)) return;
        pace.EndFrame();
    }
}

void ColumnComb(EngineState& e) {
    DeadlinePacer pace(e, 10);
    for (int x = 0; x < kScreenWidth;) {
        pace.BeginFrame();
        for (int i = 0; i < 5; ++i, x += 2) {
            ShowColumn(e, x);
            ShowColumn(e, kScreenWidth - 1 - x);
        }
        if (CutShort(e, ClickMark::SetS019)) return;
        pace.EndFrame();
    }
}

void SquaresCoarse(EngineState& e) {
    GrowingSquares(e, SquareGrid{64, 57, 10, 0});
}

void SquaresFine(EngineState& e) {
    GrowingSquares(e, SquareGrid{32, 59, 19, 1});
}

void RandomHalfRows(EngineState& e) {
    // Every row splits at a random point into a left and a right piece; the 1200 pieces come in
    // a random order, 24 a frame.
    constexpr int kPieces = 2 * kScreenHeight;
    constexpr int kPiecesPerFrame = 24;
    std::array<int, kScreenHeight> split;
    for (int& s : split)
        s = e.Rng.Next() % 600 + 20;
    std::vector<int> order(kPieces);
    std::iota(order.begin(), order.end(), 0);
    for (int i = 0; i < kPieces; ++i)
        std::swap(order[i], order[2 * (e.Rng.Next() % 600)]);

    for (int first = 0; first < kPieces; first += kPiecesPerFrame) {
        for (int i = first; i < first + kPiecesPerFrame; ++i) {
            int piece = order[i];
            int y = piece % kScreenHeight;
            int s = split[y];
            if (piece < kScreenHeight) {
                Show(e, e.DisplaySurface, Rect{0, y, s, 1});
            } else {
                Show(e, e.DisplaySurface, Rect{s, y, kScreenWidth - s, 1});
            }
        }
        if (CutShort(e, ClickMark::SetS019)) return;
        // A fixed pause, however long the frame took.
        e.Host.SleepMs(20);
        PumpMessages(e);
    }
}

void SlantedStrips(EngineState& e) {
    // Strips 20 pixels wide leaning 45 degrees, each widening over 20 frames, built into O and
    // shown every second frame.
    Surface& n = NewFrame(e);
    Surface& o = OldFrame(e);
    DeadlinePacer pace(e, 30);
    for (int t = 0; t < 95; ++t) {
        pace.BeginFrame();
        for (int j = 0; j < 20; ++j) {
            int s = t + j - 19;
            for (int y = 0; y < kScreenHeight; ++y) {
                int x0 = std::max(20 * s - y, 0);
                int x1 = std::min(20 * s - y + 20 - j, kScreenWidth);
                if (x1 > x0) std::memcpy(o.Row(y) + x0 * 3, n.Row(y) + x0 * 3, (x1 - x0) * 3);
            }
        }
        if (t % 2 == 1) {
            ShowAll(e, o);
            if (CutShort(e, ClickMark::SetS019)) return;
            pace.EndFrame();
        }
    }
}

}  // namespace vespin::transition
