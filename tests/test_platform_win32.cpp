#include <windows.h>

#include "test_platform.h"

namespace {
class ExclusiveHandle : public HeldFile {
public:
    explicit ExclusiveHandle(HANDLE handle) : handle_(handle) {}
    ~ExclusiveHandle() override { CloseHandle(handle_); }

private:
    HANDLE handle_;
};
}  // namespace

std::unique_ptr<HeldFile> HoldOpenLikeARunningProgram(const std::filesystem::path& path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<ExclusiveHandle>(handle);
}

void SetDistinctiveMetadata(const std::filesystem::path& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
}

std::string DescribeMetadata(const std::filesystem::path& path) {
    return "attributes " + std::to_string(GetFileAttributesW(path.c_str()));
}

int DiskFullError() { return ERROR_DISK_FULL; }
