#include "log_pixels.h"

#include "win32_error.h"

namespace {

const wchar_t* const kDesktopKey = L"Control Panel\\Desktop";
const wchar_t* const kValue = L"LogPixels";

}  // namespace

LogPixelsSetting::LogPixelsSetting(DWORD dpi) {
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0,
                                     KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    if (status != ERROR_SUCCESS) ThrowError("RegCreateKeyExW", kDesktopKey, status);
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExW(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD)
        previous_ = value;
    status = RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    if (status != ERROR_SUCCESS) {
        RegCloseKey(key_);
        ThrowError("RegSetValueExW", kValue, status);
    }
}

LogPixelsSetting::~LogPixelsSetting() {
    if (previous_)
        RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*previous_),
                       sizeof *previous_);
    else
        RegDeleteValueW(key_, kValue);
    RegCloseKey(key_);
}
