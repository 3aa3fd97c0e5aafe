#pragma once

#include <string>

// Throws std::runtime_error naming the call, its subject and the system's
// text for GetLastError().
[[noreturn]] void ThrowLastError(const char* call, const std::wstring& subject);
[[noreturn]] void ThrowError(const char* call, const std::wstring& subject, unsigned long code);

std::string Utf8(const std::wstring& text);
