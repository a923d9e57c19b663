// SPDX-License-Identifier: MIT
// What identifies a file's content as it was read or written: which file it is
// and when it last changed, so a save can tell whether another program has
// written it since.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // modification time, nanoseconds since 1970
    bool operator==(const FileStamp&) const = default;
};

// The stamp of an open file, or of the file at `path` (following links);
// nothing when there is none.
std::optional<FileStamp> StampOfDescriptor(int fd);
std::optional<FileStamp> StampOfFile(const std::string& path);
