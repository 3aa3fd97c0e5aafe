#include "patch_error.h"

#include <utility>

const char* FileStepName(FileStep step) {
    switch (step) {
        case FileStep::Read: return "read the file";
        case FileStep::CheckWritable: return "write the file";
        case FileStep::CreateTemporary: return "create the temporary file";
        case FileStep::Write: return "write the temporary file";
        case FileStep::Flush: return "flush the temporary file";
        case FileStep::RestoreMetadata: return "copy the file's attributes";
        case FileStep::Replace: return "replace the file";
    }
    return "?";
}

static std::string DescribeFailure(FileStep step, const std::filesystem::path& path, const std::string& systemText) {
    return std::string("Could not ") + FileStepName(step) + " \"" + path.u8string() + "\": " + systemText;
}

PatchError::PatchError(FileStep step, std::filesystem::path path, FailureCause cause, std::string systemText)
    : std::runtime_error(DescribeFailure(step, path, systemText)),
      step_(step),
      path_(std::move(path)),
      cause_(cause),
      systemText_(std::move(systemText)) {}
