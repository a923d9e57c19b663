// SPDX-License-Identifier: MIT
// Writing files that survive a kill or a power cut: written whole, flushed to
// disk, and only then given their name.
#pragma once

#include <dirent.h>
#include <sys/types.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/file_error.h"

struct FolderCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
// An open folder listing, closed on every path; null when it cannot be opened.
using FolderListing = std::unique_ptr<DIR, FolderCloser>;
inline FolderListing ListFolder(const std::string& folder)
{
    return FolderListing(::opendir(folder.c_str()));
}

std::string FolderOf(const std::string& path);
std::string BaseNameOf(const std::string& path);

// Writes every byte; throws AppError with the file message on failure.
void WriteAll(int fd, std::string_view bytes);
// Flushes the file to disk; throws AppError on failure.
void SyncToDisk(int fd);
// Flushes a folder's entries to disk, so that a rename or a new name holds
// after a power cut. Best effort: the data itself is already on disk.
void SyncFolder(const std::string& folder);

// A file being written in the folder of `target`: without any name while it is
// written where the file system allows it (O_TMPFILE), else under a hidden
// temporary name that goes again when the write does not complete.
class NewFile {
public:
    // Throws AppError when the folder takes no new file.
    NewFile(const std::string& target, mode_t mode);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    int fd() const { return fd_.get(); }

    // Flushes the file to disk, then gives it the target's name, replacing
    // what was there. Throws AppError on failure; the target then stays as it was.
    void commit();

private:
    std::string target_;
    std::string tempPath_;  // the named temporary file, when there is one
    UniqueFd fd_;
    bool unnamed_ = false;
    bool committed_ = false;
};

// Removes the temporary files that saves of `target` left behind in processes
// that have ended (killed half-way); those of running processes stay.
void RemoveStaleTemporaries(const std::string& target);
