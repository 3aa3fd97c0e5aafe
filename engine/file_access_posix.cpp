#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>

#include "file_access.h"
#include "file_fault.h"

namespace fs = std::filesystem;

namespace {

FailureCause CauseOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return FailureCause::AccessDenied;
        case EBUSY:
        case ETXTBSY: return FailureCause::FileInUse;
        case EROFS: return FailureCause::ReadOnly;
        case ENOMEM: return FailureCause::OutOfMemory;
        default: return FailureCause::Other;
    }
}

[[noreturn]] void Fail(FileStep step, const fs::path& path, int error) {
    throw PatchError(step, path, CauseOf(error), std::strerror(error));
}

// Runs one system call of a step, or fails it with the injected error.
// Returns 0 on success, else the errno value.
template <typename Call>
int Attempt(FileStep step, Call call) {
    if (auto injected = TakeInjectedFault(step)) return *injected;
    return call() ? 0 : errno;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now, so that a failing close is seen (it can report a lost write).
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

std::string TemporaryName(const std::string& targetName) {
    static std::mt19937 generator{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(generator()));
    return targetName + ".patching-" + suffix + ".tmp";
}

bool WriteAll(int fd, const PatchImage& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool CanOpenForReading(const fs::path& path) {
    if (path.empty()) return false;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // Non-blocking, so that a path swapped for a FIFO in the meantime cannot hang the check.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    return file.valid() && ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode);
}

PatchImage ReadWholeFile(const fs::path& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (!file.valid()) Fail(FileStep::Read, path, errno);
    struct stat info;
    if (::fstat(file.get(), &info) != 0) Fail(FileStep::Read, path, errno);

    PatchImage bytes;
    try {
        bytes.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        Fail(FileStep::Read, path, ENOMEM);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            Fail(FileStep::Read, path, errno);
        }
        if (got == 0) Fail(FileStep::Read, path, EIO);  // the file shrank while being read
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

void ReplaceFileContents(const fs::path& path, const PatchImage& bytes) {
    // Replace the file a link points to, not the link.
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) Fail(FileStep::CheckWritable, path, errno);
    const fs::path target(resolved);
    std::free(resolved);

    struct stat original;
    if (::stat(target.c_str(), &original) != 0) Fail(FileStep::CheckWritable, path, errno);
    // Judged from the mode, not access(): root may write anything, yet a file
    // without write bits is meant to stay as it is.
    if ((original.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        throw PatchError(FileStep::CheckWritable, path, FailureCause::ReadOnly, std::strerror(EACCES));
    }

    FileDescriptor folder(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) Fail(FileStep::CreateTemporary, path, errno);
    const std::string targetName = target.filename().string();

    std::string temporaryName;
    int temporaryFd = -1;
    int error = 0;
    do {
        temporaryName = TemporaryName(targetName);
        error = Attempt(FileStep::CreateTemporary, [&] {
            temporaryFd = ::openat(folder.get(), temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            return temporaryFd >= 0;
        });
    } while (error == EEXIST);
    if (error) Fail(FileStep::CreateTemporary, path, error);
    FileDescriptor temporary(temporaryFd);

    // From here on a failure removes the temporary file; the target is untouched.
    auto failAndRemove = [&](FileStep step, int stepError) {
        if (temporary.valid()) temporary.close();
        ::unlinkat(folder.get(), temporaryName.c_str(), 0);
        Fail(step, path, stepError);
    };

    if ((error = Attempt(FileStep::Write, [&] { return WriteAll(temporary.get(), bytes); })))
        failAndRemove(FileStep::Write, error);
    error = Attempt(FileStep::RestoreMetadata, [&] {
        if ((original.st_uid != ::geteuid() || original.st_gid != ::getegid()) &&
            ::fchown(temporary.get(), original.st_uid, original.st_gid) != 0)
            return false;
        return ::fchmod(temporary.get(), original.st_mode & 07777) == 0;
    });
    if (error) failAndRemove(FileStep::RestoreMetadata, error);
    if ((error = Attempt(FileStep::Flush, [&] { return ::fsync(temporary.get()) == 0; })))
        failAndRemove(FileStep::Flush, error);
    if ((error = temporary.close())) failAndRemove(FileStep::Write, error);
    error = Attempt(FileStep::Replace, [&] {
        return ::renameat(folder.get(), temporaryName.c_str(), folder.get(), targetName.c_str()) == 0;
    });
    if (error) failAndRemove(FileStep::Replace, error);

    // The new content is in place; syncing the folder only makes the rename
    // durable sooner, and some file systems refuse it (EINVAL), so its result
    // cannot turn a completed replace into a failure.
    (void)::fsync(folder.get());
}
