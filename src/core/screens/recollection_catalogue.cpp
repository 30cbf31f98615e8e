#include "core/screens/recollection_catalogue.h"

#include <algorithm>

#include "core/screens/data_lines.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr size_t kTextLimit = 64;  // a title wider than its 160-pixel cell shows no more

void Add(RecollectionCatalogue& catalogue, std::string_view shown, std::string_view script) {
    catalogue.Display.emplace_back(sjis::CutAtCharBoundary(shown, kTextLimit));
    catalogue.Scripts.emplace_back(sjis::CutAtCharBoundary(script, kScriptNameField - 1));
}

}  // namespace

void ReadRecollectionCatalogue(RecollectionCatalogue& catalogue, std::string_view text) {
    catalogue.Display.clear();
    catalogue.Scripts.clear();
    size_t at = 0;
    while (at < text.size() && catalogue.Size() < kCatalogueLineLimit) {
        std::string upper = sjis::UpperAscii(NextDataLine(text, at));
        if (upper.empty()) continue;
        if (upper == ":END") {
            Add(catalogue, upper, {});
            break;
        }
        if (upper[0] == ':' || upper[0] == '*') {
            Add(catalogue, upper, {});
            continue;
        }
        std::string_view line = upper;
        size_t comma = line.find(',');
        std::string_view title = line.substr(0, comma);
        std::string_view script =
            comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
        Add(catalogue, title, script.substr(0, script.find(',')));
    }
}

void InitRecollection(EngineState& e) {
    RecollectionCatalogue& catalogue = e.Recollection.Catalogue;
    catalogue = {};
    if (LoadScript(e, "sys_flashbak", ScriptMode::Data))
        ReadRecollectionCatalogue(catalogue, DataScriptText(e));
    KeepSlotsToCatalogue(e);
}

int FindCatalogueLine(const RecollectionCatalogue& catalogue, std::string_view text) {
    for (int i = 0; i < catalogue.Size(); ++i) {
        if (catalogue.Display[i] == text) return i;
    }
    return -1;
}

void NoteScriptLoaded(EngineState& e, std::string_view name) {
    const RecollectionCatalogue& catalogue = e.Recollection.Catalogue;
    if (name.empty()) return;  // label and header lines have no script
    int found = -1;
    for (int i = 0; i < catalogue.Size() && found < 0; ++i) {
        if (sjis::EqualsIgnoringCase(catalogue.Scripts[i], name)) found = i;
    }
    if (found < 0) return;
    FlagBank<2000>& seen = e.Recollection.SceneSeenBits;
    seen.Set(found, true);
    for (int i = found - 1; i >= 1; --i) {
        if (!catalogue.Display[i].empty() && catalogue.Display[i][0] == '*') {
            seen.Set(i, true);
            break;
        }
    }
}

void KeepSlotsToCatalogue(EngineState& e) {
    RecollectionState& r = e.Recollection;
    for (int slot = 0; slot < kRecollectionSlots; ++slot) {
        int32_t* entries = r.SlotEntries.data() + slot * kRecollectionSlotEntries;
        int kept = 0;
        for (int j = 0; j < kRecollectionSlotEntries; ++j) {
            if (entries[j] == 0) break;
            if (r.Catalogue.IsScene(entries[j])) entries[kept++] = entries[j];
        }
        std::fill(entries + kept, entries + kRecollectionSlotEntries, 0);
    }
}

}  // namespace vespin
