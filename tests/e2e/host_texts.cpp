#include "host_texts.h"

#include "patch_table.h"

namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::vector<std::wstring> EnglishTexts() {
    std::vector<std::wstring> texts;
    for (const PatchPair& pair : PatchTable) texts.push_back(Wide(pair.search));
    return texts;
}

std::vector<std::wstring> FrenchTexts() {
    std::vector<std::wstring> texts;
    for (const PatchPair& pair : PatchTable) texts.push_back(Wide(pair.replacement));
    return texts;
}
