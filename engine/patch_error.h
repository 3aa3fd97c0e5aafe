#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

// The step of a patch run at which a file operation failed.
enum class FileStep {
    Read,             // opening, measuring or reading the target
    CheckWritable,    // the target is write-protected
    CreateTemporary,  // creating the new file beside the target
    Write,            // writing the patched bytes into it
    Flush,            // forcing them to stable storage
    RestoreMetadata,  // giving it the target's permissions / attributes
    Replace,          // putting it in the target's place
};

// What the user can do about a failure depends mostly on its cause.
enum class FailureCause {
    FileInUse,     // another program holds the file open (the host is running)
    AccessDenied,  // no right to the file or its folder
    ReadOnly,      // the file is write-protected
    OutOfMemory,
    Other,
};

const char* FileStepName(FileStep step);

// A file operation of a patch run failed.  The target then keeps its old
// bytes: the run never writes into it, it only replaces it whole.
class PatchError : public std::runtime_error {
public:
    PatchError(FileStep step, std::filesystem::path path, FailureCause cause, std::string systemText);

    FileStep step() const noexcept { return step_; }
    const std::filesystem::path& path() const noexcept { return path_; }
    FailureCause cause() const noexcept { return cause_; }
    // The operating system's own description of the error, UTF-8.
    const std::string& systemText() const noexcept { return systemText_; }

private:
    FileStep step_;
    std::filesystem::path path_;
    FailureCause cause_;
    std::string systemText_;
};
