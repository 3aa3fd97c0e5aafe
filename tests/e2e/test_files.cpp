#include "test_files.h"

#include "patch_table.h"
#include "wide_pattern.h"
#include "win32_error.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

std::wstring WindowsPathOf(const char* buildPath) {
    std::wstring path;
    for (const char* c = buildPath; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    // Wine shows the Unix root as drive Z:.
    return path.rfind(L"\\", 0) == 0 ? L"Z:" + path : path;
}

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

Bytes HostImageWith(bool french) {
    // Odd-sized filler so that some texts start at odd offsets, as they may in a real file.
    const Bytes filler = {'M', 'Z', 0x90, 0x00, 0x03, 0xFF, 0x7F};
    Bytes image = filler;
    for (const PatchPair& pair : PatchTable) {
        const Bytes text = WidePattern(french ? pair.replacement : pair.search);
        image.insert(image.end(), text.begin(), text.end());
        image.insert(image.end(), filler.begin(), filler.end());
    }
    return image;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH + 1, temp)) ThrowLastError("GetTempPathW", L"");
    path_ = std::wstring(temp) + L"kfp-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter++);
    RemoveTree(path_);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) ThrowLastError("CreateDirectoryW", path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

Bytes ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) ThrowLastError("CreateFileW (read)", path);
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    Bytes bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    const BOOL ok = bytes.empty() ||
                    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok || read != bytes.size()) ThrowError("ReadFile", path, error);
    return bytes;
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) ThrowLastError("CreateFileW (write)", path);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok || written != bytes.size()) ThrowError("WriteFile", path, error);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyFileTo(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) ThrowLastError("CopyFileW", from + L" -> " + to);
}

void SetReadOnly(const std::wstring& path, bool readOnly) {
    if (!SetFileAttributesW(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL))
        ThrowLastError("SetFileAttributesW", path);
}

bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) ThrowLastError("GetFileAttributesW", path);
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

Bytes HostImage() { return HostImageWith(false); }
Bytes PatchedHostImage() { return HostImageWith(true); }
