#include "failure_report.h"

#include <new>
#include <stdexcept>

#include "exit_codes.h"
#include "patch_error.h"
#include "text_encoding.h"
#include "win32_error.h"

static const wchar_t* AdviceFor(FailureCause cause) {
    switch (cause) {
        case FailureCause::FileInUse:
            return L"The file is in use by another program. Close Kestrune 2000 and try again.";
        case FailureCause::AccessDenied:
            return L"Access to the file was denied. Check that the file is not read-only (in its Properties) and that "
                   L"you may change files in its folder, then try again.";
        case FailureCause::ReadOnly:
            return L"The file is read-only. Clear its read-only attribute (in its Properties) and try again.";
        case FailureCause::OutOfMemory:
            return L"There was not enough memory. Close other programs and try again.";
        case FailureCause::Other:
            break;
    }
    return nullptr;
}

static std::wstring Compose(const std::wstring& whatFailed, const std::wstring& path, const std::wstring& systemText,
                            const wchar_t* advice, bool fileKept) {
    std::wstring text = whatFailed;
    if (!path.empty()) text += L"\n\nFile: " + path;
    text += L"\n\n" + systemText;
    if (advice != nullptr) text += L"\n\n" + std::wstring(advice);
    if (fileKept) text += L"\n\nThe file has not been changed.";
    return text;
}

std::wstring FailureReportText(const std::wstring& path, std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const PatchError& error) {
        return Compose(L"The update failed: could not " + Utf8ToWide(FileStepName(error.step())) + L".",
                       error.path().wstring(), Utf8ToWide(error.systemText()), AdviceFor(error.cause()), true);
    } catch (const std::bad_alloc&) {
        return Compose(L"The update failed: out of memory.", path, SystemErrorText(ERROR_OUTOFMEMORY),
                       AdviceFor(FailureCause::OutOfMemory), !path.empty());
    } catch (const Win32Error& error) {
        return Compose(L"The program failed.", path, Utf8ToWide(error.what()), nullptr, false);
    } catch (const std::exception& error) {
        return Compose(L"The program failed unexpectedly.", path, Utf8ToWide(error.what()), nullptr, false);
    } catch (...) {
        return Compose(L"The program failed unexpectedly.", path, L"Unknown error.", nullptr, false);
    }
}

void EndWithFailureReport(HWND owner, const std::wstring& path, std::exception_ptr failure) {
    std::wstring text;
    try {
        text = FailureReportText(path, failure);
    } catch (...) {
        text = L"The program failed, and the failure could not be described.";
    }
    MessageBoxW(IsWindow(owner) ? owner : nullptr, text.c_str(), L"Kestrune 2000 French Language Patch",
                MB_OK | MB_ICONERROR);
    ExitProcess(ExitFailure);
}
