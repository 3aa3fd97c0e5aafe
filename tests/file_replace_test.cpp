#include <gtest/gtest.h>

#include <string>

#include "file_access.h"
#include "patch_run.h"
#include "patch_test_support.h"
#include "test_platform.h"

namespace fs = std::filesystem;

namespace {

class FileReplace : public testing::Test {
protected:
    void SetUp() override {
        image.AllTexts();
        WriteFile(target, image.original());
    }
    void TearDown() override { ClearFileFault(); }

    // The run fails at `step`, and the target is exactly as it was, alone in its folder.
    void ExpectFailureLeavesTargetIntact(FileStep step, FailureCause cause) {
        try {
            RunPatch(target);
            ADD_FAILURE() << "the run did not fail";
        } catch (const PatchError& error) {
            EXPECT_EQ(error.step(), step) << error.what();
            EXPECT_EQ(error.cause(), cause) << error.what();
            EXPECT_EQ(error.path(), target);
            EXPECT_FALSE(error.systemText().empty());
            EXPECT_NE(std::string(error.what()).find(FileStepName(step)), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(error.systemText()), std::string::npos) << error.what();
        }
        EXPECT_EQ(ReadFile(target), image.original());
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"Kestrune.exe"});
    }

    ScratchFolder folder;
    ImageBuilder image;
    fs::path target = folder.path() / "Kestrune.exe";
};

TEST_F(FileReplace, AFailureAtAnyStepOfTheWriteLeavesTheOriginal) {
    for (FileStep step : {FileStep::CreateTemporary, FileStep::Write, FileStep::RestoreMetadata, FileStep::Flush,
                          FileStep::Replace}) {
        SCOPED_TRACE(FileStepName(step));
        InjectFileFault(step, DiskFullError());
        ExpectFailureLeavesTargetIntact(step, FailureCause::Other);
    }
    // Nothing of the failed runs is left in the way of the next one.
    EXPECT_EQ(RunPatch(target), PatchOutcome::Completed);
    EXPECT_EQ(ReadFile(target), image.patched());
}

TEST_F(FileReplace, AWriteProtectedTargetIsRefusedOnceItWouldBePatched) {
    fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ExpectFailureLeavesTargetIntact(FileStep::CheckWritable, FailureCause::ReadOnly);

    // A file that cannot be patched still says so first.
    WriteFile(folder.path() / "Other.exe", Bytes{1, 2, 3});
    fs::permissions(folder.path() / "Other.exe", fs::perms::owner_read);
    EXPECT_EQ(RunPatch(folder.path() / "Other.exe"), PatchOutcome::NotApplicable);
}

TEST_F(FileReplace, ATargetInUseIsNotReplaced) {
    auto held = HoldOpenLikeARunningProgram(target);
    if (!held) GTEST_SKIP() << "this system lets a file in use be replaced";
    try {
        RunPatch(target);
        ADD_FAILURE() << "the run did not fail";
    } catch (const PatchError& error) {
        EXPECT_EQ(error.step(), FileStep::Replace) << error.what();
        EXPECT_EQ(error.cause(), FailureCause::FileInUse) << error.what();
    }
    held.reset();
    EXPECT_EQ(ReadFile(target), image.original());
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Kestrune.exe"});
}

TEST_F(FileReplace, PermissionsAndAttributesSurvive) {
    SetDistinctiveMetadata(target);
    const std::string before = DescribeMetadata(target);
    ASSERT_EQ(RunPatch(target), PatchOutcome::Completed);
    EXPECT_EQ(DescribeMetadata(target), before);
    EXPECT_EQ(ReadFile(target), image.patched());
}

TEST_F(FileReplace, ALinkPatchesTheFileItPointsTo) {
    const fs::path link = folder.path() / "Shortcut.exe";
    std::error_code error;
    fs::create_symlink(target, link, error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();

    ASSERT_EQ(RunPatch(link), PatchOutcome::Completed);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(target), image.patched());
}

TEST_F(FileReplace, LongPathsWithCharactersOutsideAnyCodePage) {
    fs::path deep = folder.path();
    for (int level = 0; level < 6; ++level) deep /= fs::u8path(u8"dossier \u00E9t\u00E9 \u03A9 \u65E5\u672C " + std::string(40, 'x'));
    fs::create_directories(deep);
    const fs::path longTarget = deep / fs::u8path(u8"Kestrune \u0416.exe");
    ASSERT_GT(longTarget.native().size(), 260u);
    WriteFile(longTarget, image.original());

    ASSERT_EQ(RunPatch(longTarget), PatchOutcome::Completed);
    EXPECT_EQ(ReadFile(longTarget), image.patched());
}

}  // namespace
