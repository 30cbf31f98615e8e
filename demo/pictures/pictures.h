#pragma once
// The demo game's pictures, drawn by program: backgrounds, characters with their masks, a parts
// sheet, a picture for `direct`, and the message window's own pictures.

#include <string>
#include <vector>

#include "core/graphics/surface.h"

namespace vespin::demo {

// Where a picture goes: the JPEG archive or one of the three packed ones.
enum class Store { Jpeg, Gra, Gra2, Gra3 };

struct NamedPicture {
    std::string Name;
    Store Where;
    Surface Picture;
};

// Backgrounds, 800 x 600.
Surface LighthouseByDay();
Surface LighthouseByNight();
Surface KeepersRoom();
Surface Forest();
Surface WesternBeachAtDusk();

// A character picture and its mask (byte 0 of each mask pixel is the opacity). Widths are
// multiples of 8 so every pixel goes through the mask blend.
struct Character {
    Surface Picture;
    Surface Mask;
};
Character Guide(bool smiling);
Character Keeper();
Character Girl();

// Parts for `ptset`: icons on the transparent key colour (blue 255, green 255, red 0).
Surface PartsSheet();
// An opaque card that `direct` draws straight onto the screen.
Surface IslandMap();
// "sys_tw": the window's colours over its opacities (784 x 384).
Surface WindowPicture();
// "sys_sw" and "sys_sw2": the plate of a choice, colours over opacities (400 x 96); the second is
// the plate of `sel2`.
Surface ChoicePlate(bool second_style);
// "sys_qbtn": the quick buttons lit and on, and the auto-advance gauge (480 x 160); the plain
// buttons are part of the window picture, painted there by PaintPlainQuickButtons.
class Canvas;
Surface QuickButtonSheet();
void PaintPlainQuickButtons(Canvas& window);
// "sys_clickw": four 24 x 26 marker frames side by side, colours over opacities (96 x 52).
Surface ClickMarker();

// The log screen: "sys_bl_bar" the scroll bar, colours beside their opacities (64 x 570, shown
// at (690, 10)); "sys_bl_cur" its thumb (24 x 30); "sys_blVR" the icon of a voice line.
Surface BacklogBar();
Surface BacklogThumb();
Surface VoiceMarkIcon();

// "save" and "load": the save and load screens' pictures (800 x 600), a title, the panel for
// the preview rows and 32 slot plates where the engine puts captions and its highlight.
Surface SaveScreenPicture(bool load);

// The card battle: "battle" and its mask "mbattle" (800 x 600), "btl_atr" (seven attribute
// icons for each side over their masks), "cards" (seven faces, the back and three specials),
// "cardfont" (ten digits over their masks), "cb_wall" (the guard marker, its blue byte the
// opacity) and the portraits "b_sel002" and "b_slime002".
Character BattleFrame();
Surface AttributeIcons();
Surface CardSheet();
Surface CardDigits();
Surface GuardMarker();
Surface PlayerPortrait();
Surface SlimePortrait();
// The scene effects chapter: an 800 x 1400 view for `scroll` ("V01", not a background), and a 48 x
// 48 gull for `obj_` with its mask below it (48 x 96).
Surface TallLighthouse();
Surface GullObject();
// The simulation chapter: "sys2" (the selection tree's buttons, normal and highlighted, each over
// its mask, 136 x 120), "sys3", "sys4", "sys5" (status panels A, B and C over their masks), "sys6"
// (six attribute icons over their masks) and "stw_hilite" (panel C's highlight: a mask, then five
// frames).
Surface TreeButtons();
Surface StatusPanelA();
Surface StatusPanelB();
Surface StatusPanelC();
Surface PanelAttributeIcons();
Surface PanelHighlight();

// The graphics viewer: page N's base and lit pictures (800 x 600), its thumbnails sheet, the
// plate of a locked item (200 x 150) and "sys_vwnum" (ten 32 x 24 digits over their masks).
Surface ViewerBase(int page, bool lit);
Surface ViewerThumbs(int page);
Surface ViewerPlate();
Surface ViewerDigits();

// The recollection screen: "ss_kaiso" (800 x 600), "ss_btn" (slot tabs and the buttons' hover
// and pressed looks) and "ss_tab" (the page tabs, plain and current, 60 x 470).
Surface RecollectionScreenPicture();
Surface RecollectionButtonSheet();
Surface RecollectionTabs();

// Every picture of the demo with its entry name and archive.
std::vector<NamedPicture> AllPictures();

}  // namespace vespin::demo
