#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

// A program started by a test.  It is killed when the object goes away, so
// that a failing test never leaves a window behind for the next one.
class ChildProcess {
public:
    ChildProcess(const std::wstring& exe, const std::wstring& arguments = L"",
                 const std::wstring& workingDirectory = L"");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    bool running() const;
    // The exit code, or nothing if the program is still running after `timeout`.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout) const;
    void kill();

private:
    PROCESS_INFORMATION info_{};
};

// Quotes one command-line argument the way CommandLineToArgvW splits it.
std::wstring QuoteArgument(const std::wstring& argument);
