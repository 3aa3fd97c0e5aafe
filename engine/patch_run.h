#pragma once

#include <filesystem>

enum class PatchOutcome {
    Completed,      // all texts were found and replaced; the file was rewritten
    InvalidPath,    // the file cannot be opened for reading; left untouched
    NotApplicable,  // a text was not found (already patched, or another file); left untouched
};

// Applies the language patch to the file at `path`, taken exactly as typed
// (relative to the current directory).  Throws PatchError when reading or
// rewriting the file fails; the file then keeps its old content.
PatchOutcome RunPatch(const std::filesystem::path& path);
