#include <gtest/gtest.h>

#include <functional>

#include "patch_run.h"
#include "patch_test_support.h"

namespace fs = std::filesystem;

namespace {

std::function<void(ImageBuilder&)> AllTextsBut(std::size_t missing) {
    return [missing](ImageBuilder& b) {
        for (std::size_t n = 1; n <= PatchTableSize; ++n)
            if (n != missing) b.Filler(4).Patched(n);
    };
}

struct ImageCase {
    const char* name;
    std::function<void(ImageBuilder&)> build;
    PatchOutcome expected;  // NotApplicable: the file must stay byte for byte as it was
};

const ImageCase kImageCases[] = {
    {"AllTextsAtSeparatePlaces", [](ImageBuilder& b) { b.AllTexts(); }, PatchOutcome::Completed},
    {"TextsAtOddOffsets",
     [](ImageBuilder& b) {
         for (std::size_t n = 1; n <= PatchTableSize; ++n) b.Filler(2 * n + 1).Patched(n);
     },
     PatchOutcome::Completed},
    {"OnlyTheFirstOccurrenceIsReplaced",
     [](ImageBuilder& b) { b.AllTexts().KeptText(10).Filler(3).KeptText(1); },
     PatchOutcome::Completed},
    {"ShorterTextBeforeTheLongerOne",
     [](ImageBuilder& b) {
         for (std::size_t n : {1, 2, 3, 5, 4, 7, 6, 8, 9, 10, 11, 12, 14, 13}) b.Filler(3).Patched(n);
     },
     PatchOutcome::Completed},
    // Pair 9 has no text; pairs 5, 7 and 14 have theirs only inside the longer texts 4, 6 and 13.
    {"MissingPair9", AllTextsBut(9), PatchOutcome::NotApplicable},
    {"Text5OnlyInsideText4", AllTextsBut(5), PatchOutcome::NotApplicable},
    {"Text7OnlyInsideText6", AllTextsBut(7), PatchOutcome::NotApplicable},
    {"Text14OnlyInsideText13", AllTextsBut(14), PatchOutcome::NotApplicable},
    {"EmptyFile", [](ImageBuilder&) {}, PatchOutcome::NotApplicable},
};

class PatchRunImages : public testing::TestWithParam<ImageCase> {};

TEST_P(PatchRunImages, GivesTheOutcomeAndTheBytesExpected) {
    ScratchFolder folder;
    ImageBuilder image;
    GetParam().build(image);
    const fs::path target = folder.path() / "Kestrune.exe";
    WriteFile(target, image.original());

    EXPECT_EQ(RunPatch(target), GetParam().expected);

    const Bytes& expected = GetParam().expected == PatchOutcome::Completed ? image.patched() : image.original();
    EXPECT_EQ(ReadFile(target), expected);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Kestrune.exe"});
}

INSTANTIATE_TEST_SUITE_P(Cases, PatchRunImages, testing::ValuesIn(kImageCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The second copy of every text, left English by the first run, or patched too.
ImageBuilder TextsTwice(bool secondCopyPatched) {
    ImageBuilder image;
    image.AllTexts();
    for (std::size_t n = 1; n <= PatchTableSize; ++n) {
        image.Filler(3);
        secondCopyPatched ? image.Patched(n) : image.KeptText(n);
    }
    return image;
}

TEST(PatchRun, EachRunPatchesTheNextOccurrencesUntilNoneAreLeft) {
    ScratchFolder folder;
    const fs::path target = folder.path() / "Kestrune.exe";
    const ImageBuilder firstRun = TextsTwice(false);
    const ImageBuilder bothRuns = TextsTwice(true);
    WriteFile(target, firstRun.original());

    ASSERT_EQ(RunPatch(target), PatchOutcome::Completed);
    ASSERT_EQ(ReadFile(target), firstRun.patched());
    ASSERT_EQ(RunPatch(target), PatchOutcome::Completed);
    ASSERT_EQ(ReadFile(target), bothRuns.patched());
    EXPECT_EQ(RunPatch(target), PatchOutcome::NotApplicable);
    EXPECT_EQ(ReadFile(target), bothRuns.patched());
}

TEST(PatchRun, PathsThatCannotBeReadAreInvalidAndNothingIsCreated) {
    ScratchFolder folder;
    fs::create_directory(folder.path() / "Kestrune");
    for (const fs::path& path : {folder.path() / "missing.exe", folder.path() / "Kestrune", fs::path()}) {
        SCOPED_TRACE(path.u8string());
        EXPECT_EQ(RunPatch(path), PatchOutcome::InvalidPath);
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Kestrune"});
}

TEST(PatchRun, PathIsTakenRelativeToTheCurrentFolder) {
    ScratchFolder folder;
    ImageBuilder image;
    image.AllTexts();
    WriteFile(folder.path() / "Kestrune.exe", image.original());
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    const PatchOutcome outcome = RunPatch("Kestrune.exe");
    fs::current_path(previous);

    EXPECT_EQ(outcome, PatchOutcome::Completed);
    EXPECT_EQ(ReadFile(folder.path() / "Kestrune.exe"), image.patched());
}

}  // namespace
