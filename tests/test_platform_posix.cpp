#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "test_platform.h"

std::unique_ptr<HeldFile> HoldOpenLikeARunningProgram(const std::filesystem::path&) { return nullptr; }

void SetDistinctiveMetadata(const std::filesystem::path& path) { ::chmod(path.c_str(), 0751); }

std::string DescribeMetadata(const std::filesystem::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    char mode[16];
    std::snprintf(mode, sizeof mode, "mode %04o", static_cast<unsigned>(info.st_mode & 07777));
    return mode;
}

int DiskFullError() { return ENOSPC; }
