// SPDX-License-Identifier: MIT
#include "platform/file_error.h"
#include "text/program_text.h"

#include <unistd.h>

#include <cerrno>

UniqueFd::~UniqueFd()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool UniqueFd::close()
{
    const int fd = std::exchange(fd_, -1);
    return ::close(fd) == 0;
}

QString FileErrorText(int errnoValue, FileAccess access)
{
    using namespace file_texts;
    switch (errnoValue) {
        case ENOENT:
            return uiText(kFileNotFound);
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
        case EISDIR:
        case ELOOP:
            return uiText(kBadFileName);
        case EMFILE:
        case ENFILE:
            return uiText(kTooManyOpenFiles);
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return uiText(kAccessDenied);
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return uiText(kDiskFull);
        case EIO:
            if (access == FileAccess::Write) {
                return uiText(kDiskFull);
            }
            break;
        default:
            break;
    }
    return QString::asprintf(kIoErrorFormat, errnoValue);
}
