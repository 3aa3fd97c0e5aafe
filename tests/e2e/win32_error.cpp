#include "win32_error.h"

#include <windows.h>

#include <stdexcept>

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

void ThrowError(const char* call, const std::wstring& subject, unsigned long code) {
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring systemText = message ? message : L"error " + std::to_wstring(code);
    LocalFree(message);
    throw std::runtime_error(std::string(call) + " failed for '" + Utf8(subject) +
                             "': " + Utf8(systemText));
}

void ThrowLastError(const char* call, const std::wstring& subject) {
    ThrowError(call, subject, GetLastError());
}
