#include "core/graphics/scene_reload.h"

#include <string>

#include "core/graphics/scene.h"
#include "core/resources/picture.h"
#include "core/script/variables.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

// A hexadecimal digit times 16; g or G is full intensity; anything else is 0 (the `gra` rule).
uint8_t ColourDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint8_t>((c - '0') * 16);
    if (c >= 'a' && c <= 'f') return static_cast<uint8_t>((c - 'a' + 10) * 16);
    if (c >= 'A' && c <= 'F') return static_cast<uint8_t>((c - 'A' + 10) * 16);
    if (c == 'g' || c == 'G') return 255;
    return 0;
}

void ReloadBackground(EngineState& e) {
    std::string name(e.Scene.BackgroundName.View());
    if (name.empty()) return;
    if (name[0] == 's' || name[0] == 'S') {
        auto digit = [&](size_t i) { return ColourDigit(i < name.size() ? name[i] : 0); };
        e.Scene.BackgroundLayer.Resize(kScreenWidth, kScreenHeight);
        e.Scene.BackgroundLayer.Fill(digit(1), digit(2), digit(3));
    } else {
        LoadPicture(e.Archives, name, e.Scene.BackgroundLayer);
    }
}

void ReloadCharacter(EngineState& e, const SceneName& name, Surface& layer, Surface& mask) {
    std::string picture(name.View());
    if (picture.empty()) return;
    LoadPicture(e.Archives, picture, layer);
    picture[0] = 'M';
    LoadPicture(e.Archives, picture, mask);
}

}  // namespace

void ReloadScenePictures(EngineState& e) {
    SceneState& sc = e.Scene;
    ReloadBackground(e);
    e.Text.WindowImageValid = false;
    switch (e.Vars.S[sys::kCharacterFlags]) {
        case 0:
            sc.LeftCentreName.Clear();
            sc.RightName.Clear();
            break;
        case kLeftShown:
            sc.RightName.Clear();
            ReloadCharacter(e, sc.LeftCentreName, sc.LeftCharacterLayer, sc.LeftCharacterMask);
            break;
        case kRightShown:
            sc.LeftCentreName.Clear();
            ReloadCharacter(e, sc.RightName, sc.RightCharacterLayer, sc.RightCharacterMask);
            break;
        case kLeftShown | kRightShown:
            ReloadCharacter(e, sc.LeftCentreName, sc.LeftCharacterLayer, sc.LeftCharacterMask);
            ReloadCharacter(e, sc.RightName, sc.RightCharacterLayer, sc.RightCharacterMask);
            break;
        case kCentreShown:
            ReloadCharacter(e, sc.LeftCentreName, sc.CentreCharacterLayer, sc.CentreCharacterMask);
            break;
        default:
            break;
    }
    ComposeScene(e);
}

}  // namespace vespin
