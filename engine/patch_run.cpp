#include "patch_run.h"

#include "file_access.h"
#include "patch_search.h"
#include "patch_table.h"
#include "wide_pattern.h"

static std::vector<PatternPair> TablePatterns() {
    std::vector<PatternPair> pairs;
    pairs.reserve(PatchTable.size());
    for (const PatchPair& pair : PatchTable) {
        pairs.push_back({WidePattern(pair.search), WidePattern(pair.replacement)});
    }
    return pairs;
}

PatchOutcome RunPatch(const std::filesystem::path& path) {
    const std::vector<PatternPair> pairs = TablePatterns();
    if (!CanOpenForReading(path)) return PatchOutcome::InvalidPath;
    PatchImage image = ReadWholeFile(path);
    if (ApplyPatternPairs(image, pairs)) return PatchOutcome::NotApplicable;
    ReplaceFileContents(path, image);
    return PatchOutcome::Completed;
}
