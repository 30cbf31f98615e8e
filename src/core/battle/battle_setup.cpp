// The battle's set-up: the portraits on the background, the battle frame with both sides'
// attribute icons over it, the cross-fade in, and the pictures the battle keeps.

#include <algorithm>

#include "core/battle/battle.h"
#include "core/battle/battle_cast.h"
#include "core/battle/battle_drawing.h"
#include "core/battle/battle_internal.h"
#include "core/battle/battle_rules.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/graphics/scene.h"
#include "core/resources/picture.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"

namespace vespin {

namespace {

constexpr int kIconWidth = 56;
constexpr int kIconHeight = 64;

void DrawPortrait(EngineState& e, int character, int x, int y) {
    std::string_view name = PortraitName(character);
    if (name.empty()) return;
    Surface portrait;
    if (!LoadPicture(e.Archives, name, portrait)) return;
    CopyRect(portrait, Rect{0, 0, portrait.Width(), portrait.Height()}, e.Scene.BackgroundLayer, x,
             y);
}

// Blends the 56 x 64 icon at (source_x, 0) of "btl_atr", through the mask 64 rows below it,
// into the frame at (x, y). Rows or icons the pictures do not hold are left out.
void BlendIcon(const Surface& icons, int source_x, Surface& frame, int x, int y) {
    if (source_x + kIconWidth > icons.Width() || 2 * kIconHeight > icons.Height()) return;
    if (x < 0 || y < 0 || x + kIconWidth > frame.Width()) return;
    constexpr int kGroups = kIconWidth * 3 / 8;
    for (int row = 0; row < kIconHeight && y + row < frame.Height(); ++row) {
        uint8_t* out = frame.Row(y + row) + x * 3;
        MaskedBlendPixels(out, icons.Row(row) + source_x * 3, kGroups,
                          icons.Row(row + kIconHeight) + source_x * 3, out);
    }
}

void LoadFrame(EngineState& e, int player_attribute, int opponent_attribute) {
    SceneState& sc = e.Scene;
    LoadPicture(e.Archives, "battle", sc.CentreCharacterLayer);
    LoadPicture(e.Archives, "mbattle", sc.CentreCharacterMask);
    Surface icons;
    if (!LoadPicture(e.Archives, "btl_atr", icons)) return;
    BlendIcon(icons, kIconWidth * player_attribute, sc.CentreCharacterLayer, 213, 531);
    BlendIcon(icons, 384 + kIconWidth * opponent_attribute, sc.CentreCharacterLayer, 536, 5);
}

// From the frame on screen to the battle's, the weight rising by 8 every 20 ms.
void CrossFadeIn(EngineState& e) {
    SceneState& sc = e.Scene;
    if (sc.WorkSurface.Width() != kScreenWidth || sc.WorkSurface.Height() != kScreenHeight)
        sc.WorkSurface.Resize(kScreenWidth, kScreenHeight);
    StartClock(e);
    for (int weight = 0; weight <= kFullWeight && !e.Shell.WindowClosed;
         weight += 8 * WaitPeriod(e, 20)) {
        CrossFadeSurface(e.DisplaySurface, sc.PreviousFrameSurface, weight, sc.WorkSurface);
        ShowOnDrawingArea(e, sc.WorkSurface);
    }
    ShowOnDrawingArea(e, e.DisplaySurface);
}

void LoadBattlePictures(EngineState& e) {
    BattleState& b = e.Battle;
    b.Cards = Surface(), b.CardFont = Surface(), b.Wall = Surface();
    LoadPicture(e.Archives, "cardfont", b.CardFont);
    LoadPicture(e.Archives, "cards", b.Cards);
    LoadPicture(e.Archives, "cb_wall", b.Wall);
    b.CardPicture.Resize(kCardWidth, kCardHeight);
    b.WorkPicture.Resize(kFlyWidth, kFlyHeight);
}

}  // namespace

CommandResult RunBattle(EngineState& e, const char* /*arg*/) {
    EndSkipping(e);
    e.Shell.EngineBusy = true;
    IntBank<1000>& v = e.Vars.V;
    e.Vars.S[kBattleResult] = 0;
    int player_attribute = MainAttribute(DeckOf(e, Side::Player));
    int opponent_attribute = MainAttribute(DeckOf(e, Side::Opponent));
    v[11] = player_attribute;
    v[21] = opponent_attribute;

    SceneState& sc = e.Scene;
    sc.PreviousFrameSurface = e.CompositionSurface;
    sc.BackgroundLayer = e.CompositionSurface;
    DrawPortrait(e, v[10], 595, 6);
    DrawPortrait(e, v[20], 5, 197);
    LoadFrame(e, player_attribute, opponent_attribute);

    CopyRect(sc.BackgroundLayer, kScreenRect, e.CompositionSurface, 0, 0);
    DrawCentreCharacter(e);
    CopyRect(e.CompositionSurface, kScreenRect, e.DisplaySurface, 0, 0);
    CrossFadeIn(e);

    LoadBattlePictures(e);
    e.Battle.Phase = BattlePhase::Deal;
    e.Battle.GuardCharges = 0;
    e.Shell.MainMode = kModeBattle;
    Deal(e);
    ShowHands(e);
    e.Shell.EngineBusy = false;
    return CommandResult::EndPass;
}

}  // namespace vespin
