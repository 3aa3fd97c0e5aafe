#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "patch_table.h"
#include "wide_pattern.h"

using Bytes = std::vector<std::uint8_t>;

// Builds a host image and, beside it, the image a correct patch run makes of it.
class ImageBuilder {
public:
    // Bytes that hold none of the texts: no zero bytes, so no UTF-16 text can form.
    ImageBuilder& Filler(std::size_t count) {
        std::uniform_int_distribution<int> byte(0x80, 0xFF);
        for (std::size_t i = 0; i < count; ++i) Append(static_cast<std::uint8_t>(byte(random_)));
        return *this;
    }
    // The English text of pair `number` (1 to 14), which the run replaces here.
    ImageBuilder& Patched(std::size_t number) {
        const PatchPair& pair = PatchTable[number - 1];
        Append(WidePattern(pair.search), WidePattern(pair.replacement));
        return *this;
    }
    // Bytes that the run must leave as they are.
    ImageBuilder& Kept(const Bytes& bytes) {
        Append(bytes, bytes);
        return *this;
    }
    ImageBuilder& KeptText(std::size_t number) { return Kept(WidePattern(PatchTable[number - 1].search)); }
    // Each of the 14 texts at a place of its own, with filler around them.
    ImageBuilder& AllTexts() {
        for (std::size_t number = 1; number <= PatchTableSize; ++number) Filler(5 + number).Patched(number);
        return Filler(9);
    }

    const Bytes& original() const { return original_; }
    const Bytes& patched() const { return patched_; }

private:
    void Append(std::uint8_t byte) {
        original_.push_back(byte);
        patched_.push_back(byte);
    }
    void Append(const Bytes& before, const Bytes& after) {
        original_.insert(original_.end(), before.begin(), before.end());
        patched_.insert(patched_.end(), after.begin(), after.end());
    }

    std::mt19937 random_{2000};
    Bytes original_;
    Bytes patched_;
};

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("patch-test-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        // Best effort: a test that left a write-protected file must not stop the cleanup.
        std::error_code ignored;
        for (std::filesystem::recursive_directory_iterator it(path_, ignored), end; it != end; it.increment(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().u8string());
        return names;
    }

private:
    std::filesystem::path path_;
};
