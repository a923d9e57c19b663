// SPDX-License-Identifier: MIT
// What a failed file operation tells the user, and a descriptor that is
// closed on every path.
#pragma once

#include <QString>

#include <utility>

namespace file_texts {
inline constexpr char kFileNotFound[] = "ファイルが見つかりません";
inline constexpr char kBadFileName[] = "不正なファイル名です";
inline constexpr char kTooManyOpenFiles[] = "オープンしたファイルが多すぎます";
inline constexpr char kAccessDenied[] = "ファイルへのアクセスが拒否されました";
inline constexpr char kDiskFull[] = "ディスクがいっぱいです";
inline constexpr char kIoErrorFormat[] = "I/O エラー (%d)";  // printf form
inline constexpr char kFileTooLarge[] = "ファイルが大きすぎます";
inline constexpr char kFolderNotFound[] = "フォルダが見つかりません";
// A FIFO, a device or a folder: reading one could wait for ever or never end.
inline constexpr char kNotRegularFile[] = "通常のファイルではありません";
}  // namespace file_texts

enum class FileAccess { Read, Write };

// The message shown for a failed file operation with this errno.
QString FileErrorText(int errnoValue, FileAccess access);

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd& operator=(UniqueFd&& other) noexcept;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now so that a late write error (NFS, quotas) is seen; false on failure.
    bool close();

private:
    int fd_;
};
