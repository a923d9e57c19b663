// SPDX-License-Identifier: MIT
#include "platform/file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>

#include "platform/app_error.h"
#include "platform/file_reader.h"

namespace {

[[noreturn]] void fail(int errnoValue)
{
    throw AppError(FileErrorText(errnoValue, FileAccess::Write));
}

// ".<name>.tmp": the start of every temporary name of a save of `target`.
// Kept well under NAME_MAX even when the target's own name is long.
std::string temporaryPrefix(const std::string& target)
{
    std::string prefix(1, '.');
    prefix.append(BaseNameOf(target), 0, 200);
    prefix.append(".tmp");
    return prefix;
}

// The path of this process's temporary files for `target`, but for their
// number: "<folder>/.<name>.tmp<pid>-". Stale ones are found by the pid.
std::string temporaryStem(const std::string& target)
{
    return FolderOf(target) + "/" + temporaryPrefix(target) + std::to_string(::getpid()) + "-";
}

}  // namespace

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno);
        }
        if (written == 0) {
            fail(ENOSPC);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void SyncToDisk(int fd)
{
    if (::fsync(fd) != 0) {
        fail(errno);
    }
}

void SyncFolder(const std::string& folder)
{
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

NewFile::NewFile(const std::string& target, mode_t mode) : target_(target), fd_(-1)
{
    // A file with no name cannot be left behind by a kill.
    fd_ = UniqueFd(::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (fd_.valid()) {
        unnamed_ = true;
        return;
    }
    const std::string stem = temporaryStem(target);
    for (int attempt = 0;; ++attempt) {
        tempPath_ = stem + std::to_string(attempt);
        fd_ = UniqueFd(::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd_.valid()) {
            return;
        }
        if (errno != EEXIST || attempt >= 100) {
            const int error = errno;
            tempPath_.clear();
            ThrowOpenError(error, target, FileAccess::Write);
        }
    }
}

NewFile::~NewFile()
{
    if (!committed_ && !tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
    }
}

void NewFile::commit()
{
    SyncToDisk(fd_.get());
    if (unnamed_) {
        // A name is given to the finished file only; renamed over the target
        // at once, so only a kill between the two steps leaves it, and the
        // next save of the same book removes it.
        const std::string stem = temporaryStem(target_);
        const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
        for (int attempt = 0;; ++attempt) {
            tempPath_ = stem + "l" + std::to_string(attempt);
            // AT_EMPTY_PATH needs a privilege; /proc/self/fd works for anyone.
            if (::linkat(fd_.get(), "", AT_FDCWD, tempPath_.c_str(), AT_EMPTY_PATH) == 0 ||
                (errno != EEXIST && ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempPath_.c_str(),
                                             AT_SYMLINK_FOLLOW) == 0)) {
                break;
            }
            if (errno != EEXIST || attempt >= 100) {
                const int error = errno;
                tempPath_.clear();
                fail(error);
            }
        }
    }
    if (!fd_.close()) {
        fail(errno);
    }
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        fail(errno);
    }
    committed_ = true;
    // The rename is done; syncing the folder only hardens it against a power
    // cut, so a folder that cannot be synced is no reason to report a failure.
    SyncFolder(FolderOf(target_));
}

void RemoveStaleTemporaries(const std::string& target)
{
    const std::string folder = FolderOf(target);
    const std::string prefix = temporaryPrefix(target);
    const FolderListing dir = ListFolder(folder);
    if (!dir) {
        return;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        const std::string_view rest = name.substr(prefix.size());
        int pid = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (error != std::errc() || end == rest.data() || *end != '-' || pid <= 0) {
            continue;
        }
        // Only a process that is gone for sure: a pid in use, or one we may
        // not signal, may still be writing.
        if (pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) {
            ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
        }
    }
}
