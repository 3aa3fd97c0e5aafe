#pragma once

#include "child_process.h"

#include <windows.h>

#include <string>

// The utility, started and shown, driven through its controls' own messages.
class RunningUtility {
public:
    // Starts the program and waits until its main window is visible; throws if it never is.
    RunningUtility();

    ChildProcess& process() { return process_; }
    const ChildProcess& process() const { return process_; }
    HWND window() const { return window_; }
    HWND control(int id) const;

    void setPath(const std::wstring& path) const;
    std::wstring path() const;
    // Clicks "Perform Update" without waiting: the program then shows a modal box.
    void pressUpdate() const;
    bool waitLabelVisible() const;

private:
    ChildProcess process_;
    HWND window_ = nullptr;
};
