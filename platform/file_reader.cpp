// SPDX-License-Identifier: MIT
#include "platform/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/app_error.h"
#include "text/program_text.h"

namespace {

bool isFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

void ThrowOpenError(int errnoValue, const std::string& path, FileAccess access)
{
    if (errnoValue == ENOENT && !isFolder(folderOf(path))) {
        throw AppError(uiText(file_texts::kFolderNotFound));
    }
    throw AppError(FileErrorText(errnoValue, access));
}

FileReader::FileReader(const std::string& path, MissingFolder missingFolder)
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY))
{
    if (!fd_.valid()) {
        if (missingFolder == MissingFolder::FileNotFound) {
            throw AppError(FileErrorText(errno, FileAccess::Read));
        }
        ThrowOpenError(errno, path, FileAccess::Read);
    }
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0) {
        throw AppError(FileErrorText(errno, FileAccess::Read));
    }
    if (!S_ISREG(st.st_mode)) {
        throw AppError(uiText(file_texts::kNotRegularFile));
    }
    // A regular file never waits; the flag only kept the open from waiting.
    ::fcntl(fd_.get(), F_SETFL, ::fcntl(fd_.get(), F_GETFL) & ~O_NONBLOCK);
}

std::size_t FileReader::read(char* out, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd_.get(), out, size);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw AppError(FileErrorText(errno, FileAccess::Read));
        }
    }
}

std::size_t FileReader::size() const
{
    return static_cast<std::size_t>(stamp().size);
}

FileStamp FileReader::stamp() const
{
    const std::optional<FileStamp> stamp = StampOfDescriptor(fd_.get());
    if (!stamp) {
        throw AppError(FileErrorText(errno, FileAccess::Read));
    }
    return *stamp;
}

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes,
                          MissingFolder missingFolder, FileStamp* stamp)
{
    FileReader file(path, missingFolder);
    if (stamp != nullptr) {
        *stamp = file.stamp();
    }
    const std::size_t size = file.size();
    if (size > maxBytes) {
        throw AppError(uiText(file_texts::kFileTooLarge));
    }
    // One byte more than the file says it holds, so that the end shows at once.
    std::string data(size + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == data.size()) {
            data.resize(used + std::max<std::size_t>(65536, used / 2));
        }
        const std::size_t got = file.read(data.data() + used, data.size() - used);
        if (got == 0) {
            break;
        }
        used += got;
        if (used > maxBytes) {
            throw AppError(uiText(file_texts::kFileTooLarge));
        }
    }
    data.resize(used);
    return data;
}
