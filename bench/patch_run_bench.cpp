// How far a patch run is from the cost of its file work alone, and how fast
// the pattern scan goes on the inputs that are hardest for it.
//
//   cmake --preset native && cmake --build --preset native --target patch_run_bench
//   build/native/bench/patch_run_bench [repetitions, default 9]
//
// For files of 4, 64 and 256 MiB (random bytes, the 14 table texts in the
// last 64 KiB) it times RunPatch against the floor: the same read of the
// whole file and the same write of a new file beside it, flushed and renamed
// into place, without any search.  Every run happens in a child process of
// its own, so that its peak memory can be measured, on a freshly restored
// file.  Besides the medians it prints the best times: the flush makes the
// times swing with whatever else the disk is doing.  The files go to a
// temporary folder (under $TMPDIR, else /tmp), removed at the end.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "patch_run.h"
#include "patch_search.h"
#include "patch_table.h"
#include "wide_pattern.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t MiB = 1024 * 1024;

[[noreturn]] void SystemFailure(const std::string& what, const fs::path& path) {
    throw std::runtime_error(what + " " + path.string() + ": " + std::strerror(errno));
}

// -- Process memory -------------------------------------------------------

std::size_t StatusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0) return std::stoul(line.substr(prefix.size())) * 1024;
    }
    throw std::runtime_error(std::string("no ") + field + " in /proc/self/status");
}

void ResetPeakMemory() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    if (!(clearRefs << "5" << std::flush))
        throw std::runtime_error("cannot reset the peak memory (/proc/self/clear_refs)");
}

struct Sample {
    double seconds;
    double peakGrowth;  // bytes by which the peak resident size rose during the work
};

// Runs `work` in a fresh child process and measures it there.
Sample InChildProcess(const std::function<void()>& work) {
    int channel[2];
    if (::pipe(channel) != 0) SystemFailure("pipe", "");
    const pid_t child = ::fork();
    if (child < 0) SystemFailure("fork", "");
    if (child == 0) {
        ::close(channel[0]);
        int status = 0;
        try {
            ResetPeakMemory();
            const std::size_t before = StatusBytes("VmRSS");
            const auto start = std::chrono::steady_clock::now();
            work();
            const auto stop = std::chrono::steady_clock::now();
            const Sample sample{std::chrono::duration<double>(stop - start).count(),
                                static_cast<double>(StatusBytes("VmHWM")) - static_cast<double>(before)};
            if (::write(channel[1], &sample, sizeof sample) != sizeof sample) status = 1;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            status = 1;
        }
        ::_exit(status);
    }
    ::close(channel[1]);
    Sample sample{};
    const ssize_t got = ::read(channel[0], &sample, sizeof sample);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (got != sizeof sample || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("a measured run failed");
    return sample;
}

// -- Files ----------------------------------------------------------------

class TemporaryFolder {
public:
    TemporaryFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string name = std::string(base && *base ? base : "/tmp") + "/kfp-bench-XXXXXX";
        if (!::mkdtemp(name.data())) SystemFailure("cannot create a folder like", name);
        path_ = name;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void WriteAll(int fd, const std::uint8_t* bytes, std::size_t size, const fs::path& path) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            SystemFailure("write", path);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void FlushAndClose(int fd, const fs::path& path) {
    if (::fsync(fd) != 0) SystemFailure("fsync", path);
    if (::close(fd) != 0) SystemFailure("close", path);
}

void FillRandom(std::uint8_t* bytes, std::size_t size, std::mt19937_64& random) {
    for (std::size_t i = 0; i < size; i += 8) {
        const std::uint64_t word = random();
        std::memcpy(bytes + i, &word, std::min<std::size_t>(8, size - i));
    }
}

std::vector<PatternPair> TablePairs() {
    std::vector<PatternPair> pairs;
    for (const PatchPair& pair : PatchTable) pairs.push_back({WidePattern(pair.search), WidePattern(pair.replacement)});
    return pairs;
}

// Random bytes with the 14 search texts in the last 64 KiB, 4 KiB apart,
// every other one at an odd offset.  Written in pieces, so that this process
// never holds the image and its children start small.
void WriteTargetFile(const fs::path& path, std::size_t size, const std::vector<PatternPair>& pairs) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) SystemFailure("create", path);
    std::mt19937_64 random(size);
    std::vector<std::uint8_t> piece(4 * MiB);
    const std::size_t tail = 64 * 1024;
    for (std::size_t done = 0; done < size;) {
        const std::size_t count = std::min(piece.size(), size - done);
        FillRandom(piece.data(), count, random);
        if (done + count == size) {
            for (std::size_t k = 0; k < pairs.size(); ++k) {
                const std::size_t at = count - tail + k * 4096 + k % 2;
                std::copy(pairs[k].search.begin(), pairs[k].search.end(),
                          piece.begin() + static_cast<std::ptrdiff_t>(at));
            }
        }
        WriteAll(fd, piece.data(), count, path);
        done += count;
    }
    FlushAndClose(fd, path);
}

// Puts the unpatched file back before a run, and lets the disk settle so that
// its write does not slow the run down.
void RestoreFile(const fs::path& original, const fs::path& target) {
    fs::copy_file(original, target, fs::copy_options::overwrite_existing);
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) SystemFailure("open", target);
    FlushAndClose(fd, target);
    ::sync();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

// The file work of a patch run and nothing else: read the file whole, write
// the bytes to a new file in the same folder with the file's permissions,
// flush it, rename it over the file, flush the folder.
void FloorRun(const fs::path& path) {
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) SystemFailure("open", path);
    struct stat info;
    if (::fstat(in, &info) != 0) SystemFailure("fstat", path);
    const auto size = static_cast<std::size_t>(info.st_size);
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size]);
    for (std::size_t done = 0; done < size;) {
        const ssize_t got = ::read(in, bytes.get() + done, size - done);
        if (got <= 0) SystemFailure("read", path);
        done += static_cast<std::size_t>(got);
    }
    ::close(in);

    const fs::path temporary = path.string() + ".floor.tmp";
    const int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) SystemFailure("open", path.parent_path());
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) SystemFailure("create", temporary);
    WriteAll(out, bytes.get(), size, temporary);
    if (::fchmod(out, info.st_mode & 07777) != 0) SystemFailure("fchmod", temporary);
    FlushAndClose(out, temporary);
    if (::rename(temporary.c_str(), path.c_str()) != 0) SystemFailure("rename", temporary);
    (void)::fsync(folder);
    ::close(folder);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// -- The two measurements -------------------------------------------------

void CompareWithFloor(const fs::path& folder, int repetitions, const std::vector<PatternPair>& pairs) {
    std::printf(
        "| File | RunPatch median | Floor median | Ratio | RunPatch best | Floor best | Ratio |"
        " RunPatch peak memory |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (std::size_t mib : {4, 64, 256}) {
        const fs::path original = folder / "original.bin";
        const fs::path target = folder / "Kestrune.exe";
        WriteTargetFile(original, mib * MiB, pairs);
        std::vector<double> patchTimes, floorTimes;
        double patchPeak = 0;
        auto patchRun = [&] {
            RestoreFile(original, target);
            const Sample patch = InChildProcess([&] {
                if (RunPatch(target) != PatchOutcome::Completed) throw std::runtime_error("RunPatch did not complete");
            });
            patchTimes.push_back(patch.seconds);
            patchPeak = std::max(patchPeak, patch.peakGrowth);
        };
        auto floorRun = [&] {
            RestoreFile(original, target);
            floorTimes.push_back(InChildProcess([&] { FloorRun(target); }).seconds);
        };
        for (int r = 0; r < repetitions; ++r) {
            // Alternating which goes first keeps a drift of the machine from favouring either.
            if (r % 2 == 0) {
                patchRun();
                floorRun();
            } else {
                floorRun();
                patchRun();
            }
        }
        const double patchMedian = Median(patchTimes), floorMedian = Median(floorTimes);
        const double patchBest = *std::min_element(patchTimes.begin(), patchTimes.end());
        const double floorBest = *std::min_element(floorTimes.begin(), floorTimes.end());
        const double fileSize = static_cast<double>(mib * MiB);
        std::printf("| %zu MiB | %.1f ms | %.1f ms | %.2f | %.1f ms | %.1f ms | %.2f | file size %+.2f MiB |\n", mib,
                    patchMedian * 1e3, floorMedian * 1e3, patchMedian / floorMedian, patchBest * 1e3, floorBest * 1e3,
                    patchBest / floorBest, (patchPeak - fileSize) / MiB);
        std::fflush(stdout);
        fs::remove(original);
        fs::remove(target);
    }
}

void ScanWithoutMatches(int repetitions, const std::vector<PatternPair>& pairs) {
    constexpr std::size_t Size = 256 * MiB;
    struct Input {
        const char* name;
        void (*fill)(PatchImage&);
    };
    const Input inputs[] = {
        {"random bytes",
         [](PatchImage& image) {
             std::mt19937_64 random(1);
             FillRandom(image.data(), image.size(), random);
         }},
        {"UTF-16LE spaces (20 00 repeated)",
         [](PatchImage& image) {
             for (std::size_t i = 0; i < image.size(); ++i) image[i] = i % 2 == 0 ? 0x20 : 0x00;
         }},
    };
    std::printf("\nScan of a 256 MiB image without any match (all 14 search patterns, one pass):\n\n");
    std::printf("| Image | Scan (median) | Speed |\n|---|---|---|\n");
    std::vector<double> medians;
    for (const Input& input : inputs) {
        PatchImage image(Size);
        input.fill(image);
        std::vector<double> times;
        for (int r = 0; r < repetitions; ++r) {
            const auto start = std::chrono::steady_clock::now();
            const auto missing = ApplyPatternPairs(image, pairs);
            const auto stop = std::chrono::steady_clock::now();
            if (missing != std::optional<std::size_t>(0))
                throw std::runtime_error("a pattern was found in the scan image");
            times.push_back(std::chrono::duration<double>(stop - start).count());
        }
        medians.push_back(Median(times));
        std::printf("| %s | %.1f ms | %.1f GB/s |\n", input.name, medians.back() * 1e3, Size / medians.back() / 1e9);
        std::fflush(stdout);
    }
    std::printf("\nThe spaces take %.2f times as long as the random bytes.\n", medians[1] / medians[0]);
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 9;
    if (repetitions < 1) {
        std::fprintf(stderr, "usage: %s [repetitions]\n", argv[0]);
        return 2;
    }
    try {
        const std::vector<PatternPair> pairs = TablePairs();
        {
            TemporaryFolder folder;
            std::printf("Files in %s, %d runs of each, every run in a process of its own.\n\n", folder.path().c_str(),
                        repetitions);
            CompareWithFloor(folder.path(), repetitions, pairs);
        }
        ScanWithoutMatches(repetitions, pairs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "patch_run_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
