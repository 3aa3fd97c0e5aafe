#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <random>
#include <string>

#include "file_access.h"
#include "file_fault.h"

namespace fs = std::filesystem;

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::string SystemText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    if (text.empty()) text = L"System error " + std::to_wstring(error) + L".";
    return Utf8(text);
}

FailureCause CauseOf(DWORD error) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE: return FailureCause::FileInUse;
        case ERROR_ACCESS_DENIED: return FailureCause::AccessDenied;
        case ERROR_WRITE_PROTECT: return FailureCause::ReadOnly;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return FailureCause::OutOfMemory;
        default: return FailureCause::Other;
    }
}

[[noreturn]] void Fail(FileStep step, const fs::path& path, DWORD error) {
    throw PatchError(step, path, CauseOf(error), SystemText(error));
}

// Windows refuses to replace a file that a program holds open (a running
// executable) with "access denied", as it does for missing rights.  Asking
// for the right to delete it tells the two apart: only a file in use gives a
// sharing violation.
bool IsInUse(const std::wstring& path) {
    HANDLE probe = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

// Runs one system call of a step, or fails it with the injected error.
// Returns 0 on success, else the Win32 error code.
template <typename Call>
DWORD Attempt(FileStep step, Call call) {
    if (auto injected = TakeInjectedFault(step)) return static_cast<DWORD>(*injected);
    return call() ? 0 : GetLastError();
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    void close() {
        if (valid()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

// The absolute form with the \\?\ prefix, so that paths longer than MAX_PATH
// work whatever the system's long-path setting.
std::wstring ExtendedPath(const fs::path& path) {
    const std::wstring given = path.wstring();
    const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (size == 0) return given;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
    full.resize(length);
    if (full.rfind(L"\\\\?\\", 0) == 0 || full.rfind(L"\\\\.\\", 0) == 0) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring FinalPath(HANDLE file) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length + 1);  // the length asked for, with its terminator
    }
}

std::wstring TemporaryPath(const std::wstring& target) {
    static std::mt19937 generator{std::random_device{}()};
    wchar_t suffix[32];
    std::swprintf(suffix, 32, L".patching-%08x.tmp", static_cast<unsigned>(generator()));
    return target + suffix;
}

bool SetDeleteOnClose(HANDLE file, bool deleteOnClose) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

bool WriteAll(HANDLE file, const PatchImage& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 64u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

bool RenameOver(HANDLE file, const std::wstring& target) {
    const std::size_t nameBytes = target.size() * sizeof(wchar_t);
    std::vector<std::uint8_t> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::copy(target.begin(), target.end(), rename->FileName);
    return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != FALSE;
}

bool IsTransient(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED; }

bool IsUnsupported(DWORD error) {
    return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
}

}  // namespace

bool CanOpenForReading(const fs::path& path) {
    if (path.empty()) return false;
    Handle file(CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileType(file.get()) == FILE_TYPE_DISK && GetFileInformationByHandle(file.get(), &info) &&
           !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

PatchImage ReadWholeFile(const fs::path& path) {
    Handle file(CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) Fail(FileStep::Read, path, GetLastError());
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) Fail(FileStep::Read, path, GetLastError());

    PatchImage bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        Fail(FileStep::Read, path, ERROR_NOT_ENOUGH_MEMORY);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 64u << 20));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) Fail(FileStep::Read, path, GetLastError());
        if (got == 0) Fail(FileStep::Read, path, ERROR_HANDLE_EOF);  // the file shrank while being read
        done += got;
    }
    return bytes;
}

void ReplaceFileContents(const fs::path& path, const PatchImage& bytes) {
    // The final path replaces the file a link points to, not the link.
    std::wstring target;
    FILE_BASIC_INFO original{};
    {
        Handle file(CreateFileW(ExtendedPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file.valid()) Fail(FileStep::CheckWritable, path, GetLastError());
        target = FinalPath(file.get());
        // Some systems (Wine) cannot name a handle whose path exceeds MAX_PATH;
        // the full path then stands for itself.
        if (target.empty()) target = ExtendedPath(path);
        if (!GetFileInformationByHandleEx(file.get(), FileBasicInfo, &original, sizeof original))
            Fail(FileStep::CheckWritable, path, GetLastError());
    }
    if (original.FileAttributes & FILE_ATTRIBUTE_READONLY) {
        throw PatchError(FileStep::CheckWritable, path, FailureCause::ReadOnly, SystemText(ERROR_ACCESS_DENIED));
    }

    std::wstring temporaryPath;
    HANDLE created = INVALID_HANDLE_VALUE;
    DWORD error = 0;
    do {
        temporaryPath = TemporaryPath(target);
        error = Attempt(FileStep::CreateTemporary, [&] {
            created = CreateFileW(temporaryPath.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
            return created != INVALID_HANDLE_VALUE;
        });
    } while (error == ERROR_FILE_EXISTS);
    if (error) Fail(FileStep::CreateTemporary, path, error);
    Handle temporary(created);

    // Marked for deletion from the start: whatever happens before the rename,
    // even the process being killed, the temporary file does not stay behind.
    if (!SetDeleteOnClose(temporary.get(), true)) {
        error = GetLastError();
        temporary.close();
        DeleteFileW(temporaryPath.c_str());
        Fail(FileStep::CreateTemporary, path, error);
    }

    if ((error = Attempt(FileStep::Write, [&] { return WriteAll(temporary.get(), bytes); })))
        Fail(FileStep::Write, path, error);
    error = Attempt(FileStep::RestoreMetadata, [&] {
        FILE_BASIC_INFO metadata{};  // zero times stay as they are
        metadata.CreationTime = original.CreationTime;
        metadata.FileAttributes = original.FileAttributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (metadata.FileAttributes == 0) metadata.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        return SetFileInformationByHandle(temporary.get(), FileBasicInfo, &metadata, sizeof metadata) != FALSE;
    });
    if (error) Fail(FileStep::RestoreMetadata, path, error);
    if ((error = Attempt(FileStep::Flush, [&] { return FlushFileBuffers(temporary.get()) != FALSE; })))
        Fail(FileStep::Flush, path, error);

    if (!SetDeleteOnClose(temporary.get(), false)) Fail(FileStep::Replace, path, GetLastError());
    // A virus scanner or indexer may hold the target for a moment: retry briefly.
    for (int attempt = 0;; ++attempt) {
        error = Attempt(FileStep::Replace, [&] { return RenameOver(temporary.get(), target); });
        if (!error || !IsTransient(error) || attempt == 10) break;
        Sleep(100);
    }
    if (error && IsUnsupported(error)) {
        // File systems without rename by handle: close, then move by name.
        FlushFileBuffers(temporary.get());
        temporary.close();
        if (MoveFileExW(temporaryPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
        error = GetLastError();
        DeleteFileW(temporaryPath.c_str());
        Fail(FileStep::Replace, path, error);
    }
    if (error) {
        SetDeleteOnClose(temporary.get(), true);
        if (error == ERROR_ACCESS_DENIED && IsInUse(target))
            throw PatchError(FileStep::Replace, path, FailureCause::FileInUse, SystemText(error));
        Fail(FileStep::Replace, path, error);
    }
}
