#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

// The system's own description of a Win32 error code, without the trailing
// line break.
std::wstring SystemErrorText(DWORD error);

// A Win32 call of the program itself failed (creating the window, say).
class Win32Error : public std::runtime_error {
public:
    // Takes GetLastError() of the failed call named by `call`.
    explicit Win32Error(const char* call);
    Win32Error(const char* call, DWORD error);

    DWORD code() const noexcept { return code_; }

private:
    DWORD code_;
};
