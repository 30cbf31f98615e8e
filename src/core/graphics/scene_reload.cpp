#include "core/graphics/scene_reload.h"

#include <string>

#include "core/graphics/picture_commands.h"
#include "core/graphics/scene.h"
#include "core/resources/picture.h"
#include "core/script/variables.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

void ReloadBackground(EngineState& e) {
    std::string name(e.Scene.BackgroundName.View());
    if (name.empty()) return;
    if (name[0] == 's' || name[0] == 'S') {
        FillWithNamedColour(e.Scene.BackgroundLayer, name);
    } else {
        LoadPicture(e.Archives, name, e.Scene.BackgroundLayer);
    }
}

void ReloadCharacter(EngineState& e, const SceneName& name, Surface& layer, Surface& mask) {
    std::string picture(name.View());
    if (picture.empty()) return;
    LoadPicture(e.Archives, picture, layer);
    LoadPicture(e.Archives, MaskName(picture), mask);
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
