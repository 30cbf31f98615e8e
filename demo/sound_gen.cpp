// vespin-demo-sounds OUTDIR: synthesises the demo game's sounds. Voices, effects and screen
// sounds become WAV files for vespin-tool to encode; the Ogg voice is encoded here. Everything is
// computed from fixed formulas and a fixed noise seed, so the output is the same on every build.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/audio/wav_file.h"
#include "tools/ogg_encoder.h"

namespace {

using vespin::PcmFormat;

constexpr double kPi = 3.14159265358979323846;

struct Noise {
    uint32_t State = 0x2545F491;
    double Next() {  // -1 .. 1
        State = State * 1664525u + 1013904223u;
        return static_cast<double>(State >> 8) / (1u << 23) - 1.0;
    }
};

int16_t Clip(double v) {
    return static_cast<int16_t>(std::lround(std::fmax(-32767.0, std::fmin(32767.0, v))));
}

// A voice-like buzz: a pitch contour through a few vowel formants, in syllables.
std::vector<int16_t> Voice(int rate, double seconds, double base_hz, int syllables) {
    std::vector<int16_t> out;
    size_t n = static_cast<size_t>(rate * seconds);
    double phase = 0;
    const double formants[][2] = {{730, 1090}, {270, 2290}, {300, 870}, {530, 1840}, {570, 840}};
    for (size_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / rate;
        double syllable = t / seconds * syllables;
        int index = static_cast<int>(syllable);
        double within = syllable - index;
        double pitch = base_hz * (1.0 + 0.15 * std::sin(2 * kPi * t / seconds) - 0.1 * within);
        phase += pitch / rate;
        double glottal = phase - std::floor(phase) - 0.5;  // a sawtooth source
        const double* f = formants[index % 5];
        double shaped = glottal * (0.6 + 0.4 * std::sin(2 * kPi * f[0] * t)) *
                        (0.7 + 0.3 * std::sin(2 * kPi * f[1] * t));
        double envelope = std::sin(kPi * within) * std::fmin(1.0, (seconds - t) * 20);
        out.push_back(Clip(22000 * shaped * envelope));
    }
    return out;
}

// A struck bell: decaying inharmonic partials.
std::vector<int16_t> Bell(int rate, double seconds, double hz) {
    std::vector<int16_t> out;
    const double partials[][2] = {{1.0, 1.0}, {2.76, 0.5}, {5.4, 0.25}, {8.93, 0.12}};
    for (size_t i = 0; i < static_cast<size_t>(rate * seconds); ++i) {
        double t = static_cast<double>(i) / rate, v = 0;
        for (const auto& p : partials)
            v += p[1] * std::sin(2 * kPi * hz * p[0] * t);
        out.push_back(Clip(12000 * v * std::exp(-3.0 * t)));
    }
    return out;
}

// Two knocks of filtered noise.
std::vector<int16_t> Knock(int rate) {
    std::vector<int16_t> out;
    Noise noise;
    double low = 0;
    for (size_t i = 0; i < static_cast<size_t>(rate * 0.6); ++i) {
        double t = static_cast<double>(i) / rate;
        double since = t < 0.3 ? t : t - 0.3;
        low += 0.2 * (noise.Next() - low);
        out.push_back(Clip(26000 * low * std::exp(-25 * since) +
                           8000 * std::sin(2 * kPi * 90 * t) * std::exp(-30 * since)));
    }
    return out;
}

// Rain, stereo: two noise streams through a gentle low-pass, faded at the ends so the loop
// joins without a click.
std::vector<int16_t> Rain(int rate, double seconds) {
    std::vector<int16_t> out;
    Noise noise;
    double l = 0, r = 0;
    size_t n = static_cast<size_t>(rate * seconds);
    for (size_t i = 0; i < n; ++i) {
        l += 0.35 * (noise.Next() - l);
        r += 0.35 * (noise.Next() - r);
        double edge = std::fmin(1.0, std::fmin(i, n - i) / (rate * 0.05));
        double drops = noise.Next() > 0.9995 ? 1.0 : 0.0;
        out.push_back(Clip((7000 * l + 9000 * drops) * edge));
        out.push_back(Clip((7000 * r + 9000 * drops) * edge));
    }
    return out;
}

// A short rising or falling blip for the screens.
std::vector<int16_t> Blip(int rate, double from_hz, double to_hz) {
    std::vector<int16_t> out;
    double phase = 0, seconds = 0.12;
    for (size_t i = 0; i < static_cast<size_t>(rate * seconds); ++i) {
        double t = static_cast<double>(i) / rate;
        phase += (from_hz + (to_hz - from_hz) * t / seconds) / rate;
        out.push_back(Clip(9000 * std::sin(2 * kPi * phase) * std::sin(kPi * t / seconds)));
    }
    return out;
}

double NoteHz(int semitones_from_a4) {
    return 440.0 * std::pow(2.0, semitones_from_a4 / 12.0);
}

// A music track, stereo: melody notes (semitones from A4, -99 rests) over a bass line and a pad,
// `beat` seconds a note.
std::vector<int16_t> Music(int rate, const std::vector<int>& melody, const std::vector<int>& bass,
                           double beat) {
    size_t frames = static_cast<size_t>(rate * beat * melody.size());
    std::vector<int16_t> out;
    out.reserve(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / rate;
        size_t note = static_cast<size_t>(t / beat);
        double within = t - note * beat;
        double m = 0;
        if (melody[note] != -99) {
            double hz = NoteHz(melody[note]);
            double env = std::exp(-2.5 * within) * std::fmin(1.0, within * 200);
            m = env * (std::sin(2 * kPi * hz * t) + 0.3 * std::sin(4 * kPi * hz * t));
        }
        int b = bass[(note / 4) % bass.size()];
        double bass_hz = NoteHz(b - 24);
        double bv = 0.5 * std::sin(2 * kPi * bass_hz * t) * (0.6 + 0.4 * std::exp(-3 * within));
        double pad =
            0.15 * (std::sin(2 * kPi * NoteHz(b - 12) * t) + std::sin(2 * kPi * NoteHz(b - 8) * t) +
                    std::sin(2 * kPi * NoteHz(b - 5) * t));
        out.push_back(Clip(9000 * (0.8 * m + bv + pad)));
        out.push_back(Clip(9000 * (0.6 * m + bv + 1.2 * pad)));
    }
    return out;
}

void Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "vespin-demo-sounds: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

void Wav(const std::filesystem::path& dir, const char* name, PcmFormat f,
         const std::vector<int16_t>& samples) {
    Write(dir / (std::string(name) + ".wav"), vespin::EncodeWav(f, samples));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vespin-demo-sounds OUTDIR\n", stderr);
        return 2;
    }
    std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const PcmFormat voice{1, 22050}, stereo{2, 22050}, music{2, 44100};

    Wav(dir, "V0001", voice, Voice(22050, 1.6, 190, 5));
    Wav(dir, "V0002", voice, Voice(22050, 1.2, 140, 4));
    Wav(dir, "TON1145", voice, Voice(22050, 0.8, 220, 3));
    Write(dir / "V0003.ogg", vespin::EncodeOggVorbis(voice, Voice(22050, 1.8, 230, 6)));
    const std::pair<const char*, std::pair<double, double>> blips[] = {
        {"SSE01", {660, 990}},  {"SSE02", {440, 660}}, {"SSE05", {880, 1320}},
        {"SSE06", {1320, 880}}, {"SSE07", {550, 550}}, {"SSE09", {770, 520}},
        {"SSE11", {990, 990}}};
    for (const auto& [name, hz] : blips)
        Wav(dir, name, voice, Blip(22050, hz.first, hz.second));

    // The card battle: a turn won (se30) and lost (se29), and the guide's cries for her hands.
    Wav(dir, "se30", voice, Blip(22050, 660, 1320));
    Wav(dir, "se29", voice, Blip(22050, 440, 220));
    Wav(dir, "add_sel016", voice, Voice(22050, 0.7, 240, 2));
    Wav(dir, "add_sel017", voice, Voice(22050, 0.9, 260, 3));
    Wav(dir, "add_sel001", voice, Voice(22050, 0.8, 250, 3));
    Wav(dir, "add_sel004", voice, Voice(22050, 0.8, 230, 3));

    Wav(dir, "SE_BELL", voice, Bell(22050, 2.0, 523.25));
    Wav(dir, "SE_DOOR", voice, Knock(22050));
    Wav(dir, "SEZAI021", voice, Bell(22050, 0.8, 880));
    Wav(dir, "SE_RAIN", stereo, Rain(22050, 2.0));
    Wav(dir, "ANIM_CHIME", voice, Bell(22050, 1.0, 784));  // BEAM's sound (coding D)

    // M01: four bars of introduction, then a loop of eight; M02: a slower loop from the start.
    std::vector<int> m1 = {0, 4, 7, 12, 11, 7, 4, 2, 0, -99, 0, 2, 4,  5, 7,   -99,
                           9, 7, 5, 4,  2,  4, 5, 7, 4, 2,   0, 2, 4,  0, -1,  -99,
                           0, 4, 7, 12, 11, 7, 4, 2, 5, 4,   2, 0, -1, 0, -99, -99};
    Wav(dir, "M01", music, Music(44100, m1, {0, 5, 7, 0, 9, 5, 7, 0, 0, 5, 7, 0}, 0.3));
    std::vector<int> m2 = {-3, 0,  4, 0,  -3, 0,  4, 7, 5, 4, 2, 0,  2,  -99, -99, -99,
                           -5, -1, 2, -1, -5, -1, 2, 5, 4, 2, 0, -1, -3, -99, -99, -99};
    Wav(dir, "M02", music, Music(44100, m2, {-3, -3, 2, -5, -3, -3, 2, -5}, 0.4));
    // M31, the recollection screen's music: slow and quiet, looping after its first four notes.
    std::vector<int> m31 = {7, -99, 4, 0, 2, -99, -1, -3, 0, -99, 4, 2, -1, -99, -5, -99};
    Wav(dir, "M31", music, Music(44100, m31, {-3, 0, -5, -7}, 0.5));
    return 0;
}
