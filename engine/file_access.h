#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "patch_error.h"
#include "patch_image.h"

// The file operations of a patch run.  Each platform has its own
// implementation (file_access_posix.cpp, file_access_win32.cpp).

// True when the path names an existing regular file (after following links)
// that this process can open for reading.  Never creates anything.
bool CanOpenForReading(const std::filesystem::path& path);

// The whole content of the file.  Throws PatchError (FileStep::Read).
PatchImage ReadWholeFile(const std::filesystem::path& path);

// Puts `bytes` in place of the file's content without ever leaving a missing
// or partly written file: they go to a new file in the same folder, which then
// replaces the target in one rename.  A path that is a link replaces the file
// it points to.  The target's permissions (POSIX mode, Windows attributes)
// carry over.  A write-protected target is refused.  Throws PatchError naming
// the failed step; the target then keeps its old content and no temporary
// file remains.
void ReplaceFileContents(const std::filesystem::path& path, const PatchImage& bytes);

// Test seam: makes the next ReplaceFileContents fail at `step` as if the
// system had reported `systemError` (an errno value on POSIX, a Win32 error
// code on Windows).  Cleared by the failure it causes.
void InjectFileFault(FileStep step, int systemError);
void ClearFileFault();
