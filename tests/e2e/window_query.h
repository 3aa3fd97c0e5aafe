#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

// Every wait of the driver is bounded, so a hung program fails its test.
inline constexpr std::chrono::milliseconds kStartTimeout = std::chrono::seconds(20);
inline constexpr std::chrono::milliseconds kStepTimeout = std::chrono::seconds(10);

// Polls `probe` until it yields a value that converts to true, or `timeout` ends;
// returns the last value.
template <class Probe>
auto WaitFor(Probe probe, std::chrono::milliseconds timeout) -> decltype(probe()) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto value = probe();
        if (value || std::chrono::steady_clock::now() >= end) return value;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::vector<HWND> ChildWindowsOf(HWND parent);
std::wstring ClassOf(HWND window);
// The window's text, asked of its own thread (an edit control keeps its own text).
std::wstring TextOf(HWND window);
LONG StyleOf(HWND window);
LONG ExStyleOf(HWND window);

// The first top-level window of the process with that class (visible or not), or null.
HWND FindWindowOf(DWORD processId, const wchar_t* className);
