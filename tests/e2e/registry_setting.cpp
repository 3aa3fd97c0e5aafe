#include "registry_setting.h"

#include "win32_error.h"

RegistrySetting::RegistrySetting(const std::wstring& key, const std::wstring& name, DWORD value)
    : name_(name) {
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0,
                                     KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    if (status != ERROR_SUCCESS) ThrowError("RegCreateKeyExW", key, status);
    set(REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

RegistrySetting::RegistrySetting(const std::wstring& key, const std::wstring& name,
                                 const std::wstring& value)
    : name_(name) {
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0,
                                     KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    if (status != ERROR_SUCCESS) ThrowError("RegCreateKeyExW", key, status);
    set(REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistrySetting::set(DWORD type, const BYTE* data, DWORD size) {
    DWORD previousSize = 0;
    if (RegQueryValueExW(key_, name_.c_str(), nullptr, &previousType_, nullptr, &previousSize) ==
        ERROR_SUCCESS) {
        previous_.resize(previousSize);
        hadValue_ = RegQueryValueExW(key_, name_.c_str(), nullptr, &previousType_, previous_.data(),
                                     &previousSize) == ERROR_SUCCESS;
    }
    const LSTATUS status = RegSetValueExW(key_, name_.c_str(), 0, type, data, size);
    if (status != ERROR_SUCCESS) {
        RegCloseKey(key_);
        ThrowError("RegSetValueExW", name_, status);
    }
}

RegistrySetting::~RegistrySetting() {
    if (hadValue_)
        RegSetValueExW(key_, name_.c_str(), 0, previousType_, previous_.data(),
                       static_cast<DWORD>(previous_.size()));
    else
        RegDeleteValueW(key_, name_.c_str());
    RegCloseKey(key_);
}
