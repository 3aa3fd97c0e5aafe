#pragma once

#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
// In the system's ANSI code page, as the "A" functions of Windows take it.
std::string WideToAnsi(std::wstring_view text);
