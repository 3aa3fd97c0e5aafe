#include "text_encoding.h"

#include <windows.h>

#include "win32_error.h"

static std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length == 0) throw Win32Error("MultiByteToWideChar");
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), length);
    return result;
}

static std::string FromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length == 0) throw Win32Error("WideCharToMultiByte");
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::string WideToAnsi(std::wstring_view text) { return FromWide(CP_ACP, text); }
