#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Sets a value under HKEY_CURRENT_USER of the test prefix and puts back what
// was there before (or removes it) when it goes away.
class RegistrySetting {
public:
    RegistrySetting(const std::wstring& key, const std::wstring& name, DWORD value);
    RegistrySetting(const std::wstring& key, const std::wstring& name, const std::wstring& value);
    ~RegistrySetting();
    RegistrySetting(const RegistrySetting&) = delete;
    RegistrySetting& operator=(const RegistrySetting&) = delete;

private:
    void set(DWORD type, const BYTE* data, DWORD size);

    HKEY key_ = nullptr;
    std::wstring name_;
    bool hadValue_ = false;
    DWORD previousType_ = 0;
    std::vector<BYTE> previous_;
};

// The screen resolution that programs started from now on see: Wine reads it
// when a program starts.
class LogPixelsSetting : public RegistrySetting {
public:
    explicit LogPixelsSetting(DWORD dpi)
        : RegistrySetting(L"Control Panel\\Desktop", L"LogPixels", dpi) {}
};
