#pragma once

#include <windows.h>

#include <exception>
#include <string>

// Tells the user, in one modal message, what failed, on which file, the
// system's description of the error and what usually helps, then ends the
// program with ExitFailure.  `path` is the file being worked on, if any.
[[noreturn]] void EndWithFailureReport(HWND owner, const std::wstring& path, std::exception_ptr failure);

// The text of that message.
std::wstring FailureReportText(const std::wstring& path, std::exception_ptr failure);
