#pragma once

#include <filesystem>
#include <memory>
#include <string>

// What the file tests need of the operating system beyond std::filesystem.

// Keeps a file open as a running program holds its executable: others may
// read it but not replace or delete it.  Returns nullptr where the system has
// no such locks (POSIX).
class HeldFile {
public:
    virtual ~HeldFile() = default;
};
std::unique_ptr<HeldFile> HoldOpenLikeARunningProgram(const std::filesystem::path& path);

// Gives the file metadata that a careless rewrite would lose (a POSIX mode,
// Windows attributes), and describes it for comparison.
void SetDistinctiveMetadata(const std::filesystem::path& path);
std::string DescribeMetadata(const std::filesystem::path& path);

// An error code of this system (errno or Win32) meaning "disk full".
int DiskFullError();
