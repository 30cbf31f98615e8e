// The page definitions of the data script `view`. A block runs from the line after its label to
// "}" (a set block also ends after 31 lines); empty lines and "{" are skipped. A data line is
// KEY:VALUE, the value a comma-separated list.

#include "core/screens/viewer_page.h"

#include <algorithm>

#include "core/screens/data_lines.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr int kSetBlockLines = 31;

// Field k of a comma-separated value: the text between the k-th and the k+1-th comma.
std::string_view Field(std::string_view value, int k) {
    size_t at = 0;
    for (int i = 0; i < k; ++i) {
        size_t comma = value.find(',', at);
        if (comma == std::string_view::npos) return {};
        at = comma + 1;
    }
    return value.substr(at, value.find(',', at) - at);
}

// Every number of a definition is a coordinate, a size, a count or a flag: held to a range far
// beyond any of them, so that positions plus sizes never leave int.
constexpr int kFarthest = 1 << 20;

int FieldNumber(std::string_view value, int k) {
    return std::clamp(ParseDecimal(std::string(Field(value, k)).c_str()), -kFarthest, kFarthest);
}

ViewerBox ReadBox(std::string_view value) {
    return ViewerBox{FieldNumber(value, 0), FieldNumber(value, 1), FieldNumber(value, 2),
                     FieldNumber(value, 3)};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The line index after label line `label`, or -1.
int FindBlock(const std::vector<std::string>& lines, std::string_view label) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() == label.size() + 1 && lines[i][0] == ':' &&
            std::string_view(lines[i]).substr(1) == label)
            return static_cast<int>(i + 1);
    }
    return -1;
}

// Calls `line(key, value)` for the data lines of the block starting at `at`, which is left on the
// line after the block. At most `limit` lines are taken when `limit` is positive.
template <typename Fn>
void ReadBlock(const std::vector<std::string>& lines, size_t& at, int limit, Fn&& line) {
    for (int taken = 0; at < lines.size() && (limit <= 0 || taken < limit); ++taken) {
        std::string_view text = lines[at++];
        if (text == "}") return;
        if (text.empty() || text == "{") continue;
        size_t colon = text.find(':');
        if (colon == std::string_view::npos) continue;  // not a data line
        line(text.substr(0, colon), text.substr(colon + 1));
    }
}

// The item number of a key beginning with a digit; 0 for anything outside 1..30.
int ItemNumber(std::string_view key) {
    int n = ParseDecimal(std::string(key).c_str());
    return n >= 1 && n <= kViewerItems ? n : 0;
}

void ReadHeaderLine(std::string_view key, std::string_view value, ViewerPage& page) {
    if (key == "TYPE") {
        int t = FieldNumber(value, 0);
        // A type outside 0..3 has no behaviour of its own: it is read as a gallery.
        page.Type = t >= 0 && t <= 3 ? static_cast<ViewerPageType>(t) : ViewerPageType::Gallery;
    } else if (key == "GRA") {
        page.Sets[0].Triple = value;
    } else if (key == "PLATE") {
        page.PlateName = Field(value, 0);
    } else if (key == "SET") {
        page.SetCount = std::clamp(FieldNumber(value, 0), 0, kViewerSets);
    } else if (key == "THM_SIZE") {
        page.ThumbWidth = std::max(FieldNumber(value, 0), 0);
        page.ThumbHeight = std::max(FieldNumber(value, 1), 0);
    } else if (key == "NEXT") {
        page.Next = ReadBox(value);
    } else if (key == "PREV") {
        page.Prev = ReadBox(value);
    } else if (key == "EXIT") {
        page.Exit = ReadBox(value);
    } else if (key.size() >= 2 && key[0] == 'P' && IsDigit(key[1])) {
        page.Tabs[key[1] - '0'] = ReadBox(value);
    } else if (!key.empty() && IsDigit(key[0])) {
        if (int n = ItemNumber(key)) {
            page.ItemX[n] = FieldNumber(value, 0);
            page.ItemY[n] = FieldNumber(value, 1);
        }
    }
}

// A gallery item: its variants up to the first empty field, each tested at the running count.
void ReadGalleryItem(std::string_view value, const ViewerUnlocks& unlocks, ViewerPage& page,
                     ViewerItem* item) {
    int seen = 0, names = 0;
    for (int k = 0; k < kViewerVariants; ++k) {
        std::string_view name = Field(value, k);
        if (name.empty()) break;
        int bit = static_cast<int>(page.NamesRead.size());
        page.NamesRead.emplace_back(name);
        bool on = unlocks.Seen && unlocks.Seen->Test(bit);
        seen += on ? 1 : 0;
        ++names;
        if (item) {
            item->Names.emplace_back(name);
            item->Bits.push_back(bit);
        }
    }
    page.Total += names;
    page.Seen += seen;
    // An item without a name has nothing to show: it stays locked.
    if (item) item->State = seen == 0 ? kItemLocked : seen == names ? kItemComplete : kItemPartial;
}

void ReadSceneItem(std::string_view value, const ViewerUnlocks& unlocks, ViewerPage& page,
                   ViewerItem& item) {
    bool open = unlocks.EventFlags && unlocks.EventFlags->Test(FieldNumber(value, 0));
    item.Text = Field(value, 1);
    item.State = open ? kItemComplete : kItemLocked;
    page.Total += 1;
    page.Seen += open ? 1 : 0;
}

void ReadSetLine(std::string_view key, std::string_view value, const ViewerUnlocks& unlocks,
                 ViewerPage& page, ViewerSet& set) {
    if (page.Type == ViewerPageType::MusicPlayer) return;
    if (key == "GRA") {
        set.Triple = value;
        return;
    }
    if (key.empty() || !IsDigit(key[0])) return;
    int n = ItemNumber(key);
    ViewerItem* item = n ? &set.Items[n] : nullptr;
    if (item) *item = ViewerItem{};
    switch (page.Type) {
        case ViewerPageType::Gallery:
            // Names of an item number outside 1..30 still take their place in the running count,
            // so the seen bits keep matching the gallery list.
            ReadGalleryItem(value, unlocks, page, item);
            break;
        case ViewerPageType::Scenes:
            if (item) ReadSceneItem(value, unlocks, page, *item);
            break;
        case ViewerPageType::MusicRoom:
            if (item) item->State = kItemPartial;
            break;
        case ViewerPageType::MusicPlayer:
            break;
    }
}

void ReadSets(const std::vector<std::string>& lines, size_t at, const ViewerUnlocks& unlocks,
              ViewerPage& page) {
    for (int s = 0; s < page.SetCount; ++s) {
        ViewerSet& set = page.Sets[s];
        ReadBlock(lines, at, kSetBlockLines, [&](std::string_view key, std::string_view value) {
            ReadSetLine(key, value, unlocks, page, set);
        });
    }
}

// A fresh page that keeps only the triple texts of the set slots.
ViewerPage FreshPage(const ViewerPage& old) {
    ViewerPage page;
    for (int s = 0; s < kViewerSets; ++s)
        page.Sets[s].Triple = old.Sets[s].Triple;
    page.ItemX.fill(kItemAway);
    page.Links = old.Links;
    return page;
}

}  // namespace

std::vector<std::string> ViewerLines(const EngineState& e) {
    std::vector<std::string> lines = DataScriptLines(e);
    for (std::string& line : lines) {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t'))
            line.pop_back();
        line = sjis::UpperAscii(line);
    }
    return lines;
}

bool ReadViewerLinks(const std::vector<std::string>& lines, ViewerPage& page) {
    page.Links.fill(ViewerBox{});
    int start = FindBlock(lines, "VIEW_0");
    if (start < 0) return false;
    size_t at = static_cast<size_t>(start);
    ReadBlock(lines, at, 0, [&](std::string_view key, std::string_view value) {
        if (key.size() == 2 && key[0] == 'M' && key[1] >= '0' && key[1] < '0' + kViewerLinks)
            page.Links[key[1] - '0'] = ReadBox(value);
    });
    return true;
}

bool ReadViewerPage(const std::vector<std::string>& lines, std::string_view name,
                    const ViewerUnlocks& unlocks, ViewerPage& page) {
    int start = FindBlock(lines, name);
    if (start < 0) return false;
    ViewerPage fresh = FreshPage(page);
    size_t at = static_cast<size_t>(start);
    ReadBlock(lines, at, 0, [&](std::string_view key, std::string_view value) {
        ReadHeaderLine(key, value, fresh);
    });
    ReadSets(lines, at, unlocks, fresh);
    page = std::move(fresh);
    return true;
}

void ScanGalleryNames(EngineState& e) {
    ViewerState& v = e.Viewer;
    v.PictureList.clear();
    if (LoadScript(e, "view", ScriptMode::Data)) {
        std::vector<std::string> lines = ViewerLines(e);
        int start = FindBlock(lines, "VIEW_1");
        if (start >= 0) {
            ViewerPage page;
            size_t at = static_cast<size_t>(start);
            ReadBlock(lines, at, 0, [&](std::string_view key, std::string_view value) {
                ReadHeaderLine(key, value, page);
            });
            page.Type = ViewerPageType::Gallery;
            ReadSets(lines, at, ViewerUnlocks{}, page);
            v.PictureList = std::move(page.NamesRead);
        }
    }
    e.Vars.S[sys::kGalleryCount] = static_cast<int>(v.PictureList.size());
}

}  // namespace vespin
