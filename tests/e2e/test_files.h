#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A path handed to the driver by the build (a Unix path under Wine), as the
// programs under test see it.
std::wstring WindowsPathOf(const char* buildPath);

// A fresh folder under the temporary folder, removed with everything in it
// (read-only files included) when the object goes away.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::wstring path(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

Bytes ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const Bytes& bytes);
bool FileExists(const std::wstring& path);
void CopyFileTo(const std::wstring& from, const std::wstring& to);
void SetReadOnly(const std::wstring& path, bool readOnly);
bool IsReadOnly(const std::wstring& path);

// A stand-in for the host executable: the 14 English texts of the patch table
// as UTF-16LE, each at a place of its own between bytes that belong to no text.
Bytes HostImage();
// What the patch must make of HostImage(): the same bytes with every text in French.
Bytes PatchedHostImage();
