#include "platform/file_error.h"

#include <unistd.h>

#include <cerrno>

UniqueFd::~UniqueFd()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
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
            return QString::fromUtf8(kFileNotFound);
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
        case EISDIR:
        case ELOOP:
            return QString::fromUtf8(kBadFileName);
        case EMFILE:
        case ENFILE:
            return QString::fromUtf8(kTooManyOpenFiles);
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return QString::fromUtf8(kAccessDenied);
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return QString::fromUtf8(kDiskFull);
        case EIO:
            if (access == FileAccess::Write) {
                return QString::fromUtf8(kDiskFull);
            }
            break;
        default:
            break;
    }
    return QString::asprintf(kIoErrorFormat, errnoValue);
}
