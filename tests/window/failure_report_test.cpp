#include "failure_report.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "patch_error.h"
#include "text_encoding.h"

namespace {

std::wstring ReportOf(const std::wstring& path, std::exception_ptr failure) { return FailureReportText(path, failure); }

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

}  // namespace

TEST(FailureReport, NamesTheStepThePathTheSystemTextAndTheRemedyOfTheCause) {
    struct Case {
        FileStep step;
        FailureCause cause;
        const wchar_t* remedy;
    };
    const Case cases[] = {
        {FileStep::Replace, FailureCause::FileInUse, L"Close Kestrune 2000"},
        {FileStep::CreateTemporary, FailureCause::AccessDenied, L"you may change files in its folder"},
        {FileStep::CheckWritable, FailureCause::ReadOnly, L"Clear its read-only attribute"},
        {FileStep::Read, FailureCause::OutOfMemory, L"Close other programs"},
    };
    const std::wstring path = L"C:\\Program Files\\Kestrune\\Kestrune.exe";
    for (const Case& c : cases) {
        const std::wstring text =
            ReportOf(path, std::make_exception_ptr(PatchError(c.step, path, c.cause, "The system says no.")));
        EXPECT_TRUE(Contains(text, Utf8ToWide(FileStepName(c.step)))) << FileStepName(c.step);
        EXPECT_TRUE(Contains(text, path));
        EXPECT_TRUE(Contains(text, L"The system says no.")) << FileStepName(c.step);
        EXPECT_TRUE(Contains(text, c.remedy)) << FileStepName(c.step);
        EXPECT_TRUE(Contains(text, L"has not been changed"));
    }
}

TEST(FailureReport, OtherCausesGetNoRemedy) {
    const std::wstring text = ReportOf(L"", std::make_exception_ptr(PatchError(
                                                 FileStep::Write, L"D:\\x.exe", FailureCause::Other, "Disk full.")));
    EXPECT_TRUE(Contains(text, L"Disk full."));
    EXPECT_FALSE(Contains(text, L"try again"));
}

TEST(FailureReport, KeepsCharactersOutsideTheAnsiCodePage) {
    const std::wstring path = L"C:\\\u0416\u4E2D\\Kestrune.exe";
    const std::wstring text = ReportOf(
        path, std::make_exception_ptr(PatchError(FileStep::Read, path, FailureCause::Other, "Caf\xC3\xA9")));
    EXPECT_TRUE(Contains(text, path));
    EXPECT_TRUE(Contains(text, L"Caf\u00E9"));
}

TEST(FailureReport, DescribesFailuresOutsideTheFileSteps) {
    const std::wstring path = L"C:\\k.exe";
    const std::wstring memory = ReportOf(path, std::make_exception_ptr(std::bad_alloc()));
    EXPECT_TRUE(Contains(memory, L"out of memory"));
    EXPECT_TRUE(Contains(memory, path));
    EXPECT_TRUE(Contains(memory, L"Close other programs"));

    const std::wstring other = ReportOf(path, std::make_exception_ptr(std::runtime_error("wheels came off")));
    EXPECT_TRUE(Contains(other, L"wheels came off"));
    EXPECT_TRUE(Contains(other, path));
}
