#include "core/effects/objects.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/resources/picture.h"
#include "core/script/expression.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

// Positions a script computes are kept within reach of any surface, so that clipping
// arithmetic never overflows.
constexpr int kCoordinateLimit = 1 << 20;

struct Arguments {
    std::vector<std::string> Fields;  // split at commas

    int Value(EngineState& e, size_t i) const {
        if (i >= Fields.size()) return 0;
        int v = EvaluateExpression(e, Fields[i]);
        return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
    }
    bool Has(size_t i) const { return i < Fields.size(); }
};

Arguments Split(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\t'))
        text.remove_suffix(1);
    Arguments a;
    if (text.empty()) return a;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        a.Fields.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return a;
}

ObjectSlot* LoadedSlot(EngineState& e, int n) {
    if (n < 0 || n >= kObjectSlotCount) return nullptr;
    ObjectSlot& slot = e.Effects.Objects[n];
    return slot.Loaded ? &slot : nullptr;
}

void Load(EngineState& e, const Arguments& a) {
    int n = a.Value(e, 0);
    if (n < 0 || n >= kObjectSlotCount || !a.Has(1)) return;
    ObjectSlot& slot = e.Effects.Objects[n];
    slot.Loaded = true;
    // A missing picture leaves whatever the slot held.
    LoadPicture(e.Archives, a.Fields[1], slot.Picture);
    slot.Buffer.Resize(slot.Picture.Width(), slot.Picture.Height() / 2);
}

void Delete(EngineState& e, const Arguments& a) {
    ObjectSlot* slot = LoadedSlot(e, a.Value(e, 0));
    if (slot == nullptr) return;
    *slot = ObjectSlot{};
}

// Takes the background at (x, y) of `under` into the slot's buffer and blends the object over it.
void BlendObject(ObjectSlot& slot, const Surface& under, int x, int y) {
    Surface& buffer = slot.Buffer;
    int w = buffer.Width(), h = buffer.Height();
    CopyRect(under, Rect{x, y, w, h}, buffer, 0, 0);
    int groups = 3 * w / 8;
    if (groups <= 0) return;
    for (int r = 0; r < h; ++r) {
        MaskedBlendPixels(buffer.Row(r), slot.Picture.Row(r), groups, slot.Picture.Row(h + r),
                          buffer.Row(r));
    }
}

void WaitIfTimed(EngineState& e, const Arguments& a) {
    if (!a.Has(3)) return;
    WaitPeriod(e, static_cast<uint32_t>(std::max(a.Value(e, 3), 1)));
}

enum class Keep : bool { OnScreenOnly, InScene };

void Set(EngineState& e, const Arguments& a, Keep keep) {
    StartClock(e);
    int x = a.Value(e, 1), y = a.Value(e, 2);
    if (ObjectSlot* slot = LoadedSlot(e, a.Value(e, 0))) {
        BlendObject(*slot, e.DisplaySurface, x, y);
        Rect all{0, 0, slot->Buffer.Width(), slot->Buffer.Height()};
        BlitToDrawingArea(e, slot->Buffer, all, x, y);
        if (keep == Keep::InScene) CopyRect(slot->Buffer, all, e.DisplaySurface, x, y);
    }
    WaitIfTimed(e, a);
}

void Erase(EngineState& e, const Arguments& a) {
    StartClock(e);
    int x = a.Value(e, 1), y = a.Value(e, 2);
    if (ObjectSlot* slot = LoadedSlot(e, a.Value(e, 0))) {
        Rect under{x, y, slot->Buffer.Width(), slot->Buffer.Height()};
        BlitToDrawingArea(e, e.DisplaySurface, under, x, y);
    }
    WaitIfTimed(e, a);
}

void BatchMake(EngineState& e) {
    EffectsState& fx = e.Effects;
    if (fx.BatchExists) return;
    fx.Batch.Resize(kScreenWidth, kScreenHeight);
    fx.BatchExists = true;
    StartClock(e);
}

void BatchEnd(EngineState& e) {
    EffectsState& fx = e.Effects;
    if (!fx.BatchExists) return;
    fx.Batch = Surface{};
    fx.BatchExists = false;
}

void BatchReset(EngineState& e) {
    EffectsState& fx = e.Effects;
    if (!fx.BatchExists) return;
    StartClock(e);
    CopyRect(e.DisplaySurface, kScreenRect, fx.Batch, 0, 0);
}

void BatchSet(EngineState& e, const Arguments& a) {
    EffectsState& fx = e.Effects;
    ObjectSlot* slot = LoadedSlot(e, a.Value(e, 0));
    if (!fx.BatchExists || slot == nullptr) return;
    int x = a.Value(e, 1), y = a.Value(e, 2);
    BlendObject(*slot, fx.Batch, x, y);
    CopyRect(slot->Buffer, Rect{0, 0, slot->Buffer.Width(), slot->Buffer.Height()}, fx.Batch, x, y);
}

void BatchShow(EngineState& e) {
    if (e.Effects.BatchExists) ShowOnDrawingArea(e, e.Effects.Batch);
}

}  // namespace

void ObjectCommand(EngineState& e, std::string_view arg) {
    auto is = [&](std::string_view word) { return sjis::StartsWithIgnoringCase(arg, word); };
    auto rest = [&](size_t skip) { return Split(arg.substr(std::min(skip, arg.size()))); };
    if (is("load ")) {
        Load(e, rest(5));
    } else if (is("del ")) {
        Delete(e, rest(4));
    } else if (is("set ")) {
        Set(e, rest(4), Keep::OnScreenOnly);
    } else if (is("era ")) {
        Erase(e, rest(4));
    } else if (is("b_make")) {
        BatchMake(e);
    } else if (is("b_end")) {
        BatchEnd(e);
    } else if (is("b_reset")) {
        BatchReset(e);
    } else if (is("b_set ")) {
        BatchSet(e, rest(6));
    } else if (is("b_show")) {
        BatchShow(e);
    } else if (is("fix")) {
        Set(e, rest(3), Keep::InScene);
    }
}

void ReleaseObjects(EngineState& e) {
    for (ObjectSlot& slot : e.Effects.Objects)
        slot = ObjectSlot{};
    e.Effects.Batch = Surface{};
    e.Effects.BatchExists = false;
}

}  // namespace vespin
