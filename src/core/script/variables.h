#pragma once
// The variable banks scripts address by a letter and a fixed-width decimal index: flag banks
// F, E and T (one bit each, least significant bit first) and integer banks V, S, P and G.

#include <array>
#include <cstdint>

namespace vespin {

template <size_t Bits>
struct FlagBank {
    std::array<uint8_t, (Bits + 7) / 8> Bytes{};

    static constexpr int Size() { return static_cast<int>(Bits); }
    // Indices outside the bank read as clear and are never written.
    bool Test(int n) const { return n >= 0 && n < Size() && (Bytes[n / 8] >> (n % 8) & 1) != 0; }
    void Set(int n, bool on) {
        if (n < 0 || n >= Size()) return;
        uint8_t bit = static_cast<uint8_t>(1u << (n % 8));
        Bytes[n / 8] = on ? (Bytes[n / 8] | bit) : (Bytes[n / 8] & ~bit);
    }
    void Clear() { Bytes.fill(0); }
};

template <size_t N>
struct IntBank {
    std::array<int32_t, N> Values{};

    static constexpr int Size() { return static_cast<int>(N); }
    // Indices outside the bank read 0 and are never written.
    int32_t Get(int n) const { return (n >= 0 && n < Size()) ? Values[n] : 0; }
    void Put(int n, int32_t v) {
        if (n >= 0 && n < Size()) Values[n] = v;
    }
    int32_t& operator[](int n) { return Values[n]; }
    int32_t operator[](int n) const { return Values[n]; }
    void Clear() { Values.fill(0); }
};

struct VariableBanks {
    FlagBank<1024> F;   // FLG: game flags, saved with games
    IntBank<1000> V;    // VAL: game integers, saved with games
    IntBank<1000> S;    // SYS: engine and script integers; S000..S199 saved with games
    FlagBank<1024> E;   // EVR: flags across games, kept in the system data
    FlagBank<10000> T;  // flags saved with games
    IntBank<1000> P;    // never saved
    IntBank<10> G;      // global integers, kept in the settings store as GV00..GV09
};

// S entries that the engine itself reads or writes.
namespace sys {
inline constexpr int kSaveAvailability = 0;
inline constexpr int kPlayerNameChanged = 6;
inline constexpr int kFullTextDarkness = 8;
inline constexpr int kResumePoint = 10;
inline constexpr int kCharacterFlags = 23;
inline constexpr int kLeftCharacterX = 20;
inline constexpr int kRightCharacterX = 21;
inline constexpr int kAutoDelay = 26;
inline constexpr int kLastAutoDelay = 27;
inline constexpr int kS031 = 31;
inline constexpr int kS005 = 5;
inline constexpr int kMusicRequested = 3;  // the track the script asked for
inline constexpr int kMusicPlaying = 5;    // the track actually playing (0 none)
inline constexpr int kGalleryCount = 88;   // the length of the viewer's picture list
inline constexpr int kClearCount = 100;
inline constexpr int kFullTextMode = 150;
inline constexpr int kAutoNaviFirst = 151;
inline constexpr int kAutoNaviLast = 153;
}  // namespace sys

}  // namespace vespin
