// The battle's turns: the player picks five cards, they fly to the middle, both rows are scored
// and the difference comes off the loser's hit points; a click deals again.

#include "core/battle/battle.h"

#include <algorithm>
#include <cstdio>

#include "core/audio/sound.h"
#include "core/battle/battle_cast.h"
#include "core/battle/battle_drawing.h"
#include "core/battle/battle_internal.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr int kPlayer = 100;    // V100.. : the player's side
constexpr int kOpponent = 200;  // V200.. : the opponent's

int& HitPoints(EngineState& e, int side) {
    return e.Vars.V[side + 2];
}
int MaxHitPoints(const EngineState& e, int side) {
    return e.Vars.V[side + 3];
}

void ShowDisplay(EngineState& e) {
    ShowOnDrawingArea(e, e.DisplaySurface);
}

void DrawHitPoints(EngineState& e) {
    DrawCardNumber(e.Battle.CardFont, e.DisplaySurface, 144, 144, HitPoints(e, kOpponent));
    DrawCardNumber(e.Battle.CardFont, e.DisplaySurface, 730, 400, HitPoints(e, kPlayer));
}

void DrawTurnText(EngineState& e) {
    char text[40];
    int limit = e.Vars.V[50];
    if (limit == 0) {
        std::snprintf(text, sizeof text, "%2d/--", e.Battle.Turn);
    } else {
        std::snprintf(text, sizeof text, "%2d/%2d", e.Battle.Turn, limit);
    }
    DrawBattleText(e, e.DisplaySurface, 65, 555, 32, text);
}

// Phase 2: the clicked hand card goes to the first empty place of the player's row.
bool ChooseCard(EngineState& e, int x, int y) {
    BattleState& b = e.Battle;
    if (x < 274 || x > 791 || y < 482 || y > 589) return false;
    int slot = (x - 274) / 74;
    if (b.PlayerHand[slot] == card::kEmpty) return false;
    int place = 0;
    while (place < kRowSize && b.PlayerRow[place] != card::kEmpty)
        ++place;
    if (place == kRowSize) return false;
    b.PlayerRow[place] = b.PlayerHand[slot];
    b.PlayerHand[slot] = card::kEmpty;
    Rect to = PlayerRowPlace(place);
    DrawCard(b, b.PlayerRow[place], e.DisplaySurface, to.x, to.y);
    RestorePlace(e, PlayerHandPlace(slot));
    ShowDisplay(e);
    return place == kRowSize - 1;
}

// Both rows gather in the middle of the table, the player's from below and the opponent's
// (still backs) from above.
void FlyIn(EngineState& e) {
    BattleState& b = e.Battle;
    constexpr Rect kArea{210, 127, kFlyWidth, kFlyHeight};
    StartClock(e);
    for (int s = 0; s < 52 && !e.Shell.WindowClosed; s += WaitPeriod(e, 10)) {
        CopyRect(e.CompositionSurface, kArea, b.WorkPicture, 0, 0);
        for (int i = 0; i < kRowSize; ++i) {
            int k = std::clamp(4 * i - s + 32, 0, 32);
            DrawCard(b, b.PlayerRow[i], b.WorkPicture, 154 + (74 * i - 146) * k / 32,
                     122 + 115 * k / 32);
            DrawCard(b, b.OpponentRow[i], b.WorkPicture, 154 + (150 - 74 * i) * k / 32,
                     122 - 119 * k / 32);
        }
        BlitToDrawingArea(e, b.WorkPicture, Rect{0, 0, kFlyWidth, kFlyHeight}, kArea.x, kArea.y);
    }
}

void OpponentPlays(EngineState& e) {
    BattleState& b = e.Battle;
    for (int i = 0; i < kRowSize; ++i) {
        b.OpponentRow[i] = b.OpponentHand[i];
        b.OpponentHand[i] = card::kEmpty;
        Rect to = OpponentRowPlace(i);
        DrawCard(b, b.OpponentRow[i], e.DisplaySurface, to.x, to.y);
        RestorePlace(e, OpponentHandPlace(i));
        ShowDisplay(e);
    }
}

void ShowScores(EngineState& e, int64_t opponent, int64_t player) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(opponent));
    DrawBattleText(e, e.DrawingArea, 252, 264, 22, text);
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(player));
    DrawBattleText(e, e.DrawingArea, 525, 315, 22, text);
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(player - opponent));
    DrawBattleText(e, e.DrawingArea, 391, 292, 22, text);
    e.Host.Present(e.DrawingArea, Rect{0, 0, kScreenWidth, kScreenHeight});
}

// The player's specials after scoring: guards charge and show the marker, heals heal.
void PlayerSpecials(EngineState& e) {
    for (int code : e.Battle.PlayerRow) {
        if (code == card::kGuard) {
            DrawGuardMarker(e);
            ShowDisplay(e);
            e.Battle.GuardCharges += 1;
        } else if (code == card::kHeal) {
            HitPoints(e, kPlayer) = Healed(HitPoints(e, kPlayer), MaxHitPoints(e, kPlayer));
        }
    }
}

void EndBattle(EngineState& e) {
    BattleState& b = e.Battle;
    b.Cards = Surface(), b.CardFont = Surface(), b.Wall = Surface();
    b.CardPicture = Surface(), b.WorkPicture = Surface();
    e.Vars.S[sys::kCharacterFlags] = 0;
    e.Shell.MainMode = kModeScript;
}

// Phase 3: both rows are scored and the difference is paid in hit points.
void Resolve(EngineState& e) {
    BattleState& b = e.Battle;
    IntBank<1000>& v = e.Vars.V;
    OpponentPlays(e);
    RowScore player = ScoreRow(b.PlayerRow, Side::Player, b.GuardCharges);
    PlayerSpecials(e);
    RowScore opponent = ScoreRow(b.OpponentRow, Side::Opponent, b.GuardCharges);
    for (int code : b.OpponentRow)
        if (code == card::kHeal)
            HitPoints(e, kOpponent) = Healed(HitPoints(e, kOpponent), MaxHitPoints(e, kOpponent));
    b.LastKind = opponent.Kind, b.LastSetType = opponent.SetType;
    int64_t player_score = ApplyAttribute(player.Score, player.SetType, v[21]);
    int64_t opponent_score = ApplyAttribute(opponent.Score, opponent.SetType, v[11]);

    PlayHandVoiceAndEffect(e, v[10], player.Kind, player.SetType, player.SetType);
    PlayHandVoiceAndEffect(e, v[20], opponent.Kind, opponent.SetType, 0);
    if (player_score > opponent_score) PlayVoice(e, "se30");
    if (player_score < opponent_score && v[20] <= 8) PlayVoice(e, "se29");
    ShowScores(e, opponent_score, player_score);

    int64_t d = player_score - opponent_score;
    if (d < 0) {
        HitPoints(e, kPlayer) = AddHitPoints(HitPoints(e, kPlayer), d);
    } else {
        HitPoints(e, kOpponent) = AddHitPoints(HitPoints(e, kOpponent), -d);
    }
    int& result = e.Vars.S[kBattleResult];
    if (HitPoints(e, kOpponent) < 1) HitPoints(e, kOpponent) = 0, result = 1;
    if (HitPoints(e, kPlayer) < 1) HitPoints(e, kPlayer) = 0, result = 2;
    if (result != 0) {
        EndBattle(e);
        return;
    }
    b.Turn += 1;
    b.Phase = BattlePhase::Wait;
}

// Phase 4: every empty place of both hands draws a new card, then a new turn shows.
void Redeal(EngineState& e) {
    BattleState& b = e.Battle;
    SideDeck player = DeckOf(e, Side::Player), opponent = DeckOf(e, Side::Opponent);
    for (int i = 0; i < kHandSize; ++i) {
        if (b.PlayerHand[i] == card::kEmpty)
            b.PlayerHand[i] = DealCard(e.Rng, player, Side::Player);
        if (b.OpponentHand[i] == card::kEmpty)
            b.OpponentHand[i] = DealCard(e.Rng, opponent, Side::Opponent);
    }
    ShowHands(e);
}

}  // namespace

SideDeck DeckOf(const EngineState& e, Side side) {
    int first = side == Side::Player ? kPlayer : kOpponent;
    SideDeck deck;
    for (int type = 0; type < 7; ++type)
        deck.Weights[type] = e.Vars.V[first + 4 + type];
    deck.Strength = e.Vars.V[first];
    return deck;
}

void Deal(EngineState& e) {
    BattleState& b = e.Battle;
    SideDeck player = DeckOf(e, Side::Player), opponent = DeckOf(e, Side::Opponent);
    for (int i = 0; i < kHandSize; ++i) {
        b.PlayerHand[i] = DealCard(e.Rng, player, Side::Player);
        b.OpponentHand[i] = DealCard(e.Rng, opponent, Side::Opponent);
    }
    b.Phase = BattlePhase::Show;
    b.Turn = 1;
}

void ShowHands(EngineState& e) {
    BattleState& b = e.Battle;
    CopyRect(e.CompositionSurface, kScreenRect, e.DisplaySurface, 0, 0);
    if (b.GuardCharges > 0) DrawGuardMarker(e);
    for (int i = 0; i < kHandSize; ++i) {
        Rect mine = PlayerHandPlace(i), theirs = OpponentHandPlace(i);
        DrawCard(b, b.PlayerHand[i], e.DisplaySurface, mine.x, mine.y);
        DrawCard(b, card::kBack, e.DisplaySurface, theirs.x, theirs.y);
    }
    DrawHitPoints(e);
    DrawTurnText(e);
    ShowDisplay(e);
    b.PlayerRow.fill(card::kEmpty);
    b.OpponentRow.fill(card::kEmpty);
    b.Phase = BattlePhase::Choose;
}

void BattleClick(EngineState& e, int x, int y) {
    BattleState& b = e.Battle;
    if (b.Phase == BattlePhase::Choose) {
        if (!ChooseCard(e, x, y)) return;
        b.Phase = BattlePhase::Resolve;
        FlyIn(e);
        Resolve(e);
    } else if (b.Phase == BattlePhase::Wait) {
        Redeal(e);
    }
}

}  // namespace vespin
