#pragma once
// What the graphics viewer keeps: its picture list and which of those pictures the player has
// seen (for the rest of the engine), and the page on show while MainMode is 6.

#include <array>
#include <string>
#include <vector>

#include "core/graphics/surface.h"
#include "core/script/scene_replay.h"
#include "core/script/variables.h"

namespace vespin {

struct EngineState;

inline constexpr int kViewerSets = 10;
inline constexpr int kViewerItems = 30;     // items 1..30 of a set
inline constexpr int kViewerVariants = 50;  // pictures of one gallery item
inline constexpr int kViewerLinks = 5;      // M0..M4
inline constexpr int kViewerUndefined = -1;
inline constexpr int kItemAway = -999;  // an item without a position

// Hit codes: items 1..30, then the buttons, the set tabs and the page links.
inline constexpr int kHitNext = 31;
inline constexpr int kHitPrev = 32;
inline constexpr int kHitExit = 33;
inline constexpr int kHitTab = 40;
inline constexpr int kHitLink = 50;
inline constexpr int kHitCodes = 60;

enum class ViewerPageType : int { Gallery = 0, Scenes = 1, MusicRoom = 2, MusicPlayer = 3 };

enum ItemState : int { kItemNone = 0, kItemLocked = 1, kItemPartial = 2, kItemComplete = 3 };

// Left, top, right, bottom; right and bottom exclusive. Undefined boxes are all -1.
struct ViewerBox {
    int Left = kViewerUndefined, Top = kViewerUndefined;
    int Right = kViewerUndefined, Bottom = kViewerUndefined;
    bool Holds(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

struct ViewerItem {
    int State = kItemNone;
    std::string Text;                // the scene target (type 1)
    std::vector<std::string> Names;  // the gallery variants (type 0)
    std::vector<int> Bits;           // each variant's CgSeenBits position
};

struct ViewerSet {
    std::string Triple;  // "base,hover,thumbs"
    std::array<ViewerItem, kViewerItems + 1> Items;
};

struct ViewerPage {
    ViewerPageType Type = ViewerPageType::Gallery;
    int SetCount = 0;
    std::array<ViewerSet, kViewerSets> Sets;
    int ThumbWidth = 0, ThumbHeight = 0;
    std::array<int, kViewerItems + 1> ItemX{}, ItemY{};
    ViewerBox Next, Prev, Exit;
    std::array<ViewerBox, kViewerSets> Tabs;
    std::array<ViewerBox, kViewerLinks> Links;
    std::string PlateName;
    std::vector<std::string> NamesRead;  // every gallery name in the order read
    int Total = 0, Seen = 0;             // completion (gallery and scene list)
};

struct ViewerState {
    std::vector<std::string> PictureList;  // upper-cased background names, in viewer order
    FlagBank<2000> CgSeenBits;

    ViewerPage Page;
    std::string PageName;  // upper-cased
    std::array<int, kHitCodes> Hover{};
    int CurrentSet = 0;
    int Hovered = 0;
    int IdlePasses = 0;
    bool FullView = false;
    int FullItem = 0;
    int Variant = 0;
    bool Loading = false;
    int CurrentTrack = 0;
    int LastTrack = 1;
    Surface Plate;
    Surface Digits;            // "sys_vwnum": ten 32 x 24 cells with their masks below
    ScriptReturnPoint Return;  // where the script stood when a scene was replayed
};

// Marks a background as seen when it is one of the viewer's pictures.
void MarkPictureSeen(EngineState& e, std::string_view upper_name);
// Marks every picture of the list as seen (`cgfull`).
void MarkAllPicturesSeen(EngineState& e);

}  // namespace vespin
