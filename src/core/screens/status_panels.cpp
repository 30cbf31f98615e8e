// Composing the status panels over the scene: bars cleared and filled in their colours, each
// number combined into its bar by exclusive or (dark over the filled part, coloured over the
// empty part), then the panel picture blended through its mask.

#include "core/screens/status_panels.h"

#include <string>

#include "core/resources/picture.h"
#include "core/screens/status_bars.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"

namespace vespin {

namespace {

constexpr uint32_t kBar1Colour = 0x800080, kBar2Colour = 0x00FFFF, kBar3Colour = 0xFFFF00;
constexpr uint32_t kPanelBColour = 0x0000FF;
constexpr int kScratchWidth = 50, kScratchHeight = 12;
constexpr int kAttributeCell = 32;

StatusPanelState& Panels(EngineState& e) {
    return e.Simulation.Panels;
}

PlainFont PanelFont(const EngineState& e, int height) {
    return PlainFont{e.TextRenderer.FaceName, FontSize{height, SizeUnit::Cell},
                     FontWeight::Regular};
}

Rgb ColourOf(uint32_t colour) {
    return Rgb{static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
               static_cast<uint8_t>((colour >> 16) & 0xFF)};
}

int TextWidth(EngineState& e, const std::string& text, const PlainFont& font) {
    return MeasurePlainText(e.TextRenderer.Fonts, text, font).Width;
}

// The number, in its bar's colour on black, combined into the panel by exclusive or as one
// 50 x 12 block centred on the bar.
void CombineNumber(EngineState& e, Surface& panel, int value, uint32_t colour, int bar_left,
                   int bar_width, int top) {
    std::string text = std::to_string(value);
    PlainFont font = PanelFont(e, kScratchHeight);
    Surface scratch(kScratchWidth, kScratchHeight);
    scratch.Fill(0, 0, 0);
    DrawPlainText(e.TextRenderer.Fonts, scratch, 0, 0, text, font, ColourOf(colour));
    int left = bar_left + (bar_width - TextWidth(e, text, font)) / 2;
    for (int y = 0; y < kScratchHeight; ++y) {
        int py = top + y;
        if (py < 0 || py >= panel.Height()) continue;
        for (int x = 0; x < kScratchWidth; ++x) {
            int px = left + x;
            if (px < 0 || px >= panel.Width()) continue;
            for (int c = 0; c < 3; ++c)
                panel.Row(py)[px * 3 + c] ^= scratch.Row(y)[x * 3 + c];
        }
    }
}

// The panel's own picture (the upper half), to draw the bars on.
Surface UpperHalf(const Surface& picture) {
    Surface image(picture.Width(), picture.Height() / 2);
    CopyRect(picture, Rect{0, 0, image.Width(), image.Height()}, image, 0, 0);
    return image;
}

// The scene under the panel, with the panel image blended over it through the picture's mask.
void ComposeOver(EngineState& e, Surface& composed, int left, int top, const Surface& image,
                 const Surface& picture) {
    composed.Resize(image.Width(), image.Height());
    CopyRect(e.CompositionSurface, Rect{left, top, image.Width(), image.Height()}, composed, 0, 0);
    BlendMasked(composed, 0, 0, image, Rect{0, 0, image.Width(), image.Height()},
                MaskPlace{picture, 0, image.Height()});
}

// Where panel B lies over panel A, panel A is darkened to half.
void DarkenUnderPanelB(Surface& image) {
    for (int y = 111; y <= 158 && y < image.Height(); ++y) {
        for (int x = 350; x <= 399 && x < image.Width(); ++x) {
            for (int c = 0; c < 3; ++c)
                image.Row(y)[x * 3 + c] /= 2;
        }
    }
}

void ComposePanelA(EngineState& e) {
    StatusPanelState& p = Panels(e);
    Surface image = UpperHalf(p.PictureA);
    const auto& v = e.Vars.V;
    p.WidthsA = PanelAWidths(e, 243);
    FillBox(image, 118, 6, 392, 23, 0);
    FillBox(image, 118, 6, 118 + p.WidthsA[0], 23, kBar1Colour);
    FillBox(image, 101, 37, 344, 49, 0);
    FillBox(image, 101, 37, 102 + p.WidthsA[1], 49, kBar2Colour);
    FillBox(image, 101, 62, 344, 74, 0);
    FillBox(image, 101, 62, 102 + p.WidthsA[2], 74, kBar3Colour);
    CombineNumber(e, image, v[111], kBar1Colour, 118, 274, 10);
    CombineNumber(e, image, v[102], kBar2Colour, 101, 241, 37);
    CombineNumber(e, image, v[2], kBar3Colour, 101, 241, 62);
    if (PanelBShown(e)) DarkenUnderPanelB(image);
    ComposeOver(e, p.ComposedA, kPanelALeft, kPanelATop, image, p.PictureA);
}

void ComposePanelB(EngineState& e) {
    StatusPanelState& p = Panels(e);
    Surface image = UpperHalf(p.PictureB);
    p.WidthsB = PanelBWidths(e, 91);
    for (int i = 0; i < kPanelBBars; ++i) {
        int top = 8 + 28 * i;
        FillBox(image, 62, top, 153, top + 12, 0);
        FillBox(image, 62, top, 62 + p.WidthsB[i], top + 12, kPanelBColour);
        int variable = i < 5 ? 112 + i : 120;
        CombineNumber(e, image, e.Vars.V[variable], kPanelBColour, 62, 91, top);
    }
    ComposeOver(e, p.ComposedB, kPanelBLeft, kPanelBTop, image, p.PictureB);
}

void DrawCentred(EngineState& e, Surface& target, int centre, int top, int value, int height) {
    std::string text = std::to_string(value);
    PlainFont font = PanelFont(e, height);
    DrawPlainText(e.TextRenderer.Fonts, target, centre - TextWidth(e, text, font) / 2, top, text,
                  font, kWhite);
}

void ComposePanelC(EngineState& e) {
    StatusPanelState& p = Panels(e);
    Surface& c = p.ComposedC;
    c.Resize(kPanelCWidth, kPanelCHeight);
    CopyRect(e.CompositionSurface, Rect{kPanelCLeft, kPanelCTop, kPanelCWidth, kPanelCHeight}, c, 0,
             0);
    BlendStacked(c, 0, 0, p.PictureC);
    const auto& v = e.Vars.V;
    DrawPlainText(e.TextRenderer.Fonts, c, 16, 16, std::to_string(v[0]), PanelFont(e, 32), kWhite);
    DrawCentred(e, c, 98, 51, v[100], 32);
    int a = v[11];
    if (a < 1 || a > 6) return;
    Rect cell{kAttributeCell * (a - 1), 0, kAttributeCell, kAttributeCell};
    BlendMasked(c, 108, 4, p.Icons, cell, MaskPlace{p.Icons, cell.x, kAttributeCell});
    DrawCentred(e, c, 168, 20, v[104 + a], 28);
}

// The first of the six attributes from `first` on with the highest value; 0 when none is above 0.
int MainAttribute(const EngineState& e, int first) {
    int best = 0, highest = 0;
    for (int a = 1; a <= 6; ++a) {
        int value = e.Vars.V[first + a - 1];
        if (value > highest) best = a, highest = value;
    }
    return best;
}

void PutIntoDisplay(EngineState& e, const Surface& panel, int left, int top) {
    CopyRect(panel, Rect{0, 0, panel.Width(), panel.Height()}, e.DisplaySurface, left, top);
}

}  // namespace

void InitStatusPanels(EngineState& e) {
    StatusPanelState& p = Panels(e);
    for (Surface* s : {&p.PictureA, &p.PictureB, &p.PictureC, &p.Icons, &p.Highlight})
        s->Resize(0, 0);
    LoadPicture(e.Archives, "sys3", p.PictureA);
    LoadPicture(e.Archives, "sys4", p.PictureB);
    LoadPicture(e.Archives, "sys5", p.PictureC);
    LoadPicture(e.Archives, "sys6", p.Icons);
    LoadPicture(e.Archives, "stw_hilite", p.Highlight);
    p.ComposedA.Resize(p.PictureA.Width(), p.PictureA.Height() / 2);
    p.ComposedB.Resize(p.PictureB.Width(), p.PictureB.Height() / 2);
    p.ComposedC.Resize(kPanelCWidth, kPanelCHeight);
    p.WidthsA.fill(0);
    p.WidthsB.fill(0);
}

// Drawing pumps no messages, so unlike the animation it needs no guard against clicks: the
// transition and interrupt flags are left to whatever effect may be running around it.
void DrawStatusPanels(EngineState& e, PanelOutput output) {
    e.Vars.V[11] = MainAttribute(e, 105);
    e.Vars.V[21] = MainAttribute(e, 205);
    StatusPanelState& p = Panels(e);
    bool a = PanelAShown(e), b = PanelBShown(e), c = PanelCShown(e);
    if (a) ComposePanelA(e);
    if (b) ComposePanelB(e);
    if (c) ComposePanelC(e);
    if (output != PanelOutput::IntoDisplay) return;
    if (a) PutIntoDisplay(e, p.ComposedA, kPanelALeft, kPanelATop);
    if (b) PutIntoDisplay(e, p.ComposedB, kPanelBLeft, kPanelBTop);
    if (c) PutIntoDisplay(e, p.ComposedC, kPanelCLeft, kPanelCTop);
}

void RefreshStatusPanels(EngineState& e) {
    DrawStatusPanels(e, PanelOutput::IntoDisplay);
}

}  // namespace vespin
