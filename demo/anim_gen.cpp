// Draws the demo's animations into a folder:
//   FOLDER/beam/NN.jpg      the key frames of BEAM, which vespin-tool anim pack turns into an entry
//   FOLDER/entries/NAME     finished entries with patch frames and resync events (GULL, SEA_Q) and
//                           the card battle's effects eff00..eff12
//   vespin-demo-anims FOLDER
// Every picture is computed from fixed numbers: the same program writes the same entries.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/anim/anim_entry.h"
#include "tools/anim_writer.h"
#include "tools/picture_codec.h"

namespace {

using vespin::Rect;
using vespin::Surface;

constexpr double kPi = 3.14159265358979323846;

uint8_t Byte(double v) {
    return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
}

void Put(Surface& s, int x, int y, double r, double g, double b) {
    uint8_t* p = s.Row(y) + x * 3;
    p[0] = Byte(b), p[1] = Byte(g), p[2] = Byte(r);
}

// BEAM: a lighthouse at night whose beam sweeps round once in 30 frames (400 x 300).
Surface BeamFrame(int frame) {
    Surface s(400, 300);
    const double angle = 2 * kPi * frame / 30.0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            double r = 10 + y * 0.08, g = 16 + y * 0.12, b = 48 + y * 0.2;
            if (y > 230) r = 8, g = 20 + (y - 230) * 0.3, b = 40 + (y - 230) * 0.5;  // the sea
            double dx = x - 200, dy = y - 110;
            double diff = std::remainder(std::atan2(dy, dx) - angle, 2 * kPi);
            double glow =
                std::max(0.0, 1 - std::abs(diff) / 0.22) * 200 / (1 + std::hypot(dx, dy) / 160);
            r += glow, g += glow * 0.95, b += glow * 0.6;
            bool tower = std::abs(x - 200) < 14 - (y - 110) * 0.03 && y > 110 && y <= 230;
            if (tower) r = g = b = ((y / 24) % 2) ? 200 : 60;
            if (std::hypot(dx, dy) < 9) r = 255, g = 250, b = 200;
            Put(s, x, y, r, g, b);
        }
    }
    return s;
}

// A scene with one small thing moving over a still background, stored as key frames every
// `key_every` events, each followed by a resync event, and patch frames that redraw only the
// box around the thing's old and new place.
struct Moving {
    int Width, Height;
    std::function<void(Surface&)> Background;
    std::function<Rect(int)> ThingBox;  // where the thing is at event k
    std::function<void(Surface&, int)> Thing;
};

Surface Render(const Moving& m, int k) {
    Surface s(m.Width, m.Height);
    m.Background(s);
    m.Thing(s, k);
    return s;
}

Rect Union(Rect a, Rect b, int width, int height) {
    int x0 = std::max(0, std::min(a.x, b.x) - 2), y0 = std::max(0, std::min(a.y, b.y) - 2);
    int x1 = std::min(width, std::max(a.x + a.w, b.x + b.w) + 2);
    int y1 = std::min(height, std::max(a.y + a.h, b.y + b.h) + 2);
    return Rect{x0, y0, x1 - x0, y1 - y0};
}

Surface Crop(const Surface& s, const Rect& r) {
    Surface out(r.w, r.h);
    vespin::CopyRect(s, r, out, 0, 0);
    return out;
}

vespin::AnimInput BuildMoving(const Moving& m, int events, int key_every, int frame_time) {
    vespin::AnimInput input;
    input.FrameTime = frame_time;
    input.Width = m.Width;
    input.Height = m.Height;
    int place = 0;  // the thing's place as the last picture shows it
    for (int k = 0; k < events; ++k) {
        vespin::AnimEventInput ev;
        if (k % key_every == 0) {
            ev.Jpeg = vespin::EncodeJpeg(Render(m, k), 90);
        } else if (k % key_every == 1) {
            ev.Type = vespin::kResyncEvent;  // the writer gives it a copy of the key frame
        } else {
            Rect box = Union(m.ThingBox(place), m.ThingBox(k), m.Width, m.Height);
            ev.Type = vespin::kPatchFrame;
            ev.X = static_cast<int16_t>(box.x);
            ev.Y = static_cast<int16_t>(box.y);
            ev.Jpeg = vespin::EncodeJpeg(Crop(Render(m, k), box), 90);
        }
        if (ev.Type != vespin::kResyncEvent) place = k;
        input.Events.push_back(std::move(ev));
    }
    return input;
}

// GULL: a gull crossing the evening sky, 400 x 300, at 15 events a second.
Moving Gull() {
    Moving m{400, 300, nullptr, nullptr, nullptr};
    m.Background = [](Surface& s) {
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) {
                double t = y / 300.0;
                if (y < 200) {
                    Put(s, x, y, 240 - 60 * t, 150 - 40 * t, 90 + 60 * t);
                } else {
                    Put(s, x, y, 40 + ((x + y) % 16 < 2 ? 60 : 0), 60, 110);
                }
            }
        for (int y = 170; y < 200; ++y)
            for (int x = 170; x < 230; ++x)
                if (std::hypot(x - 200, y - 200) < 30) Put(s, x, y, 255, 200, 90);
    };
    auto where = [](int k) {
        return std::pair<int, int>{20 + k * 9, 120 - static_cast<int>(30 * std::sin(k / 6.0))};
    };
    m.ThingBox = [where](int k) {
        auto [x, y] = where(k);
        return Rect{x - 20, y - 10, 40, 20};
    };
    m.Thing = [where](Surface& s, int k) {
        auto [cx, cy] = where(k);
        double flap = std::sin(k * 1.3) * 6;
        for (int x = -18; x <= 18; ++x) {
            int y = cy -
                    static_cast<int>(std::abs(x) * 0.5 * (flap / 6.0) + (std::abs(x) < 3 ? -1 : 0));
            for (int t = 0; t < 3; ++t) {
                int px = cx + x, py = y + t;
                if (px >= 0 && px < s.Width() && py >= 0 && py < s.Height())
                    Put(s, px, py, 30, 30, 40);
            }
        }
    };
    return m;
}

// SEA_Q: a boat sailing past at half size (200 x 150), doubled by animq.
Moving Boat() {
    Moving m{200, 150, nullptr, nullptr, nullptr};
    m.Background = [](Surface& s) {
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) {
                if (y < 90) {
                    Put(s, x, y, 120 + y, 180 + y * 0.5, 240);
                } else {
                    double wave = std::sin(x / 7.0 + y) * 12;
                    Put(s, x, y, 20, 90 + wave, 150 + wave);
                }
            }
    };
    auto where = [](int k) { return 10 + k * 5; };
    m.ThingBox = [where](int k) { return Rect{where(k), 62, 36, 32}; };
    m.Thing = [where](Surface& s, int k) {
        int x0 = where(k);
        for (int y = 62; y < 94; ++y)
            for (int x = x0; x < x0 + 36 && x < s.Width(); ++x) {
                bool hull = y >= 84 && x - x0 >= (y - 84) && x - x0 < 36 - (y - 84);
                bool sail = y < 84 && x - x0 >= 16 && x - x0 < 16 + (y - 62);
                if (hull) Put(s, x, y, 120, 60, 30);
                if (sail) Put(s, x, y, 250, 250, 240);
            }
    };
    return m;
}

// effNN: a flash for the card battle, 320 x 240 on black (it is added onto the screen): a ring
// that widens and fades, in a colour of its own for each number.
vespin::AnimInput Effect(int number) {
    vespin::AnimInput input;
    input.FrameTime = 33;
    input.Width = 320;
    input.Height = 240;
    const double hue = number * 2 * kPi / 13;
    const double cr = 0.6 + 0.4 * std::cos(hue), cg = 0.6 + 0.4 * std::cos(hue - 2.1),
                 cb = 0.6 + 0.4 * std::cos(hue + 2.1);
    for (int f = 0; f < 14; ++f) {
        Surface s(320, 240);
        const double radius = 10 + f * 9, fade = 1 - f / 14.0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                double d = std::hypot(x - 160, y - 120);
                double ring = std::exp(-std::pow((d - radius) / 8, 2)) * 255 * fade;
                double core = std::max(0.0, 1 - d / (40 * fade + 1)) * 200 * fade;
                Put(s, x, y, (ring + core) * cr, (ring + core) * cg, (ring + core) * cb);
            }
        vespin::AnimEventInput ev;
        ev.Jpeg = vespin::EncodeJpeg(s, 85);
        input.Events.push_back(std::move(ev));
    }
    return input;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteEntry(const std::filesystem::path& folder, const std::string& name,
                const vespin::AnimInput& input) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!vespin::BuildAnimEntry(input, bytes, error)) {
        std::fprintf(stderr, "vespin-demo-anims: %s: %s\n", name.c_str(), error.c_str());
        return false;
    }
    return WriteFile(folder / name, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vespin-demo-anims FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::filesystem::create_directories(root / "beam");
    std::filesystem::create_directories(root / "entries");
    bool ok = true;
    for (int f = 0; f < 30 && ok; ++f) {
        char name[16];
        std::snprintf(name, sizeof name, "%02d.jpg", f);
        ok = WriteFile(root / "beam" / name, vespin::EncodeJpeg(BeamFrame(f), 90));
    }
    ok = ok && WriteEntry(root / "entries", "GULL", BuildMoving(Gull(), 45, 15, 15));
    ok = ok && WriteEntry(root / "entries", "SEA_Q", BuildMoving(Boat(), 36, 12, 33));
    for (int n = 0; n <= 12 && ok; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "eff%02d", n);
        ok = WriteEntry(root / "entries", name, Effect(n));
    }
    if (!ok) std::fputs("vespin-demo-anims: cannot write the animations\n", stderr);
    return ok ? 0 : 1;
}
