#include "win32_error.h"

#include "text_encoding.h"

std::wstring SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0) return L"Error " + std::to_wstring(error);
    std::wstring text(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

static std::string Describe(const char* call, DWORD error) {
    return std::string(call) + " failed: " + WideToUtf8(SystemErrorText(error));
}

Win32Error::Win32Error(const char* call) : Win32Error(call, GetLastError()) {}

Win32Error::Win32Error(const char* call, DWORD error) : std::runtime_error(Describe(call, error)), code_(error) {}
