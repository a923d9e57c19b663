// SPDX-License-Identifier: MIT
#include "platform/file_stamp.h"

#include <sys/stat.h>

namespace {

FileStamp stampOf(const struct stat& st)
{
    constexpr std::int64_t kNsPerSecond = 1'000'000'000;
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * kNsPerSecond + st.st_mtim.tv_nsec};
}

}  // namespace

std::optional<FileStamp> StampOfDescriptor(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return std::nullopt;
    }
    return stampOf(st);
}

std::optional<FileStamp> StampOfFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return stampOf(st);
}
