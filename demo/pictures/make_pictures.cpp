// Draws the demo's pictures into a folder: FOLDER/gjp/NAME.jpg for the JPEG archive and
// FOLDER/gra/NAME.png, gra2/, gra3/ for the packed ones (vespin-tool packs those).
//   vespin-demo-pictures FOLDER

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "demo/pictures/pictures.h"
#include "tools/picture_codec.h"
#include "tools/png_io.h"

namespace vespin::demo {

std::vector<NamedPicture> AllPictures() {
    std::vector<NamedPicture> all;
    all.push_back({"A0101", Store::Jpeg, LighthouseByDay()});
    all.push_back({"A0102", Store::Jpeg, LighthouseByNight()});
    all.push_back({"A0201", Store::Gra2, KeepersRoom()});
    all.push_back({"A0301", Store::Gra3, Forest()});
    all.push_back({"A0401", Store::Gra, WesternBeachAtDusk()});
    auto character = [&](const char* number, Store where, Character c) {
        all.push_back({std::string("B") + number, where, std::move(c.Picture)});
        all.push_back({std::string("M") + number, where, std::move(c.Mask)});
    };
    character("0101", Store::Gra, Guide(false));
    character("0102", Store::Gra, Guide(true));
    character("0201", Store::Gra, Keeper());
    character("0301", Store::Gra2, Girl());
    all.push_back({"P01", Store::Gra, PartsSheet()});
    all.push_back({"D01", Store::Gra3, IslandMap()});
    all.push_back({"sys_tw", Store::Gra, WindowPicture()});
    all.push_back({"sys_clickw", Store::Gra, ClickMarker()});
    all.push_back({"sys_qbtn", Store::Gra, QuickButtonSheet()});
    all.push_back({"sys_sw", Store::Gra, ChoicePlate(false)});
    all.push_back({"sys_sw2", Store::Gra, ChoicePlate(true)});
    all.push_back({"V01", Store::Gra, TallLighthouse()});
    all.push_back({"O01", Store::Gra, GullObject()});
    all.push_back({"sys_bl_bar", Store::Gra, BacklogBar()});
    all.push_back({"sys_bl_cur", Store::Gra, BacklogThumb()});
    all.push_back({"sys_blVR", Store::Gra, VoiceMarkIcon()});
    all.push_back({"save", Store::Gra, SaveScreenPicture(false)});
    all.push_back({"load", Store::Gra, SaveScreenPicture(true)});
    Character frame = BattleFrame();
    all.push_back({"battle", Store::Gra, std::move(frame.Picture)});
    all.push_back({"mbattle", Store::Gra, std::move(frame.Mask)});
    all.push_back({"btl_atr", Store::Gra, AttributeIcons()});
    all.push_back({"cards", Store::Gra, CardSheet()});
    all.push_back({"cardfont", Store::Gra, CardDigits()});
    all.push_back({"cb_wall", Store::Gra, GuardMarker()});
    all.push_back({"b_sel002", Store::Gra2, PlayerPortrait()});
    all.push_back({"b_slime002", Store::Gra2, SlimePortrait()});
    all.push_back({"sys2", Store::Gra3, TreeButtons()});
    all.push_back({"sys3", Store::Gra3, StatusPanelA()});
    all.push_back({"sys4", Store::Gra3, StatusPanelB()});
    all.push_back({"sys5", Store::Gra3, StatusPanelC()});
    all.push_back({"sys6", Store::Gra3, PanelAttributeIcons()});
    all.push_back({"stw_hilite", Store::Gra3, PanelHighlight()});
    all.push_back({"ss_kaiso", Store::Gra, RecollectionScreenPicture()});
    all.push_back({"ss_btn", Store::Gra, RecollectionButtonSheet()});
    all.push_back({"ss_tab", Store::Gra, RecollectionTabs()});
    // S051 turns panel C on and also names the window frame "sys_tw1" once the settings change.
    all.push_back({"sys_tw1", Store::Gra, WindowPicture()});
    for (int page = 1; page <= 4; ++page) {
        std::string n = std::to_string(page);
        all.push_back({"vw_base" + n, Store::Gra, ViewerBase(page, false)});
        all.push_back({"vw_hover" + n, Store::Gra, ViewerBase(page, true)});
        if (page <= 3) all.push_back({"vw_thm" + n, Store::Gra, ViewerThumbs(page)});
    }
    all.push_back({"vw_plate", Store::Gra, ViewerPlate()});
    all.push_back({"sys_vwnum", Store::Gra, ViewerDigits()});
    return all;
}

}  // namespace vespin::demo

namespace {

bool WriteJpeg(const vespin::Surface& picture, const std::filesystem::path& path) {
    std::vector<uint8_t> jpeg = vespin::EncodeJpeg(picture, 90);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    return file && std::fwrite(jpeg.data(), 1, jpeg.size(), file.get()) == jpeg.size();
}

// What the engine needs of these pictures and would not say when it is missing: a character
// without a mask of its size, or wider than the centred blend takes, is silently not drawn.
bool CheckPictures(const std::vector<vespin::demo::NamedPicture>& all, std::string& problem) {
    auto find = [&](const std::string& name) -> const vespin::Surface* {
        for (const auto& p : all)
            if (p.Name == name) return &p.Picture;
        return nullptr;
    };
    for (const auto& p : all) {
        const vespin::Surface& s = p.Picture;
        if (p.Name[0] == 'A' && (s.Width() != 800 || s.Height() != 600)) {
            problem = p.Name + " is not 800 x 600";
            return false;
        }
        if (p.Name[0] != 'B') continue;
        const vespin::Surface* mask = find("M" + p.Name.substr(1));
        if (!mask || mask->Width() != s.Width() || mask->Height() != s.Height()) {
            problem = p.Name + " has no mask of its size";
            return false;
        }
        if (s.Width() % 8 != 0 || s.Width() > 800 || s.Height() > 600) {
            problem = p.Name + " is not a multiple of 8 wide, at most 800 x 600";
            return false;
        }
    }
    const vespin::Surface* window = find("sys_tw");
    const vespin::Surface* marker = find("sys_clickw");
    if (!window || window->Width() != 784 || window->Height() != 384 || !marker ||
        marker->Width() != 96 || marker->Height() != 52) {
        problem = "the window pictures are missing or of the wrong size";
        return false;
    }
    return true;
}

const char* FolderOf(vespin::demo::Store where) {
    switch (where) {
        case vespin::demo::Store::Jpeg:
            return "gjp";
        case vespin::demo::Store::Gra:
            return "gra";
        case vespin::demo::Store::Gra2:
            return "gra2";
        case vespin::demo::Store::Gra3:
            return "gra3";
    }
    return "gra";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vespin-demo-pictures FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const char* folder : {"gjp", "gra", "gra2", "gra3"})
        std::filesystem::create_directories(root / folder);
    const std::vector<vespin::demo::NamedPicture> all = vespin::demo::AllPictures();
    std::string problem;
    if (!CheckPictures(all, problem)) {
        std::fprintf(stderr, "vespin-demo-pictures: %s\n", problem.c_str());
        return 1;
    }
    for (const vespin::demo::NamedPicture& p : all) {
        std::filesystem::path path = root / FolderOf(p.Where) / p.Name;
        std::string error;
        bool jpeg = p.Where == vespin::demo::Store::Jpeg;
        path += jpeg ? ".jpg" : ".png";
        if (jpeg ? !WriteJpeg(p.Picture, path) : !vespin::WritePng(p.Picture, path, error)) {
            std::fprintf(stderr, "vespin-demo-pictures: cannot write %s %s\n", path.c_str(),
                         error.c_str());
            return 1;
        }
    }
    return 0;
}
