#pragma once

#include <windows.h>

#include <optional>

// Sets the screen resolution that programs started from now on see (Wine reads
// HKCU\Control Panel\Desktop\LogPixels when a program starts), and puts the
// previous value back when it goes away.
class LogPixelsSetting {
public:
    explicit LogPixelsSetting(DWORD dpi);
    ~LogPixelsSetting();
    LogPixelsSetting(const LogPixelsSetting&) = delete;
    LogPixelsSetting& operator=(const LogPixelsSetting&) = delete;

private:
    HKEY key_ = nullptr;
    std::optional<DWORD> previous_;
};
