// SPDX-License-Identifier: MIT
// Reading files for one command: opened, read and closed on every path, with
// the file messages on failure.
#pragma once

#include <cstddef>
#include <string>

#include "platform/file_error.h"

#include "platform/file_stamp.h"

// How a missing folder on the way to a file is told: as such for a path the
// user chose, as a missing file for the program's own files.
enum class MissingFolder { FolderNotFound, FileNotFound };

class FileReader {
public:
    // Throws AppError when the file cannot be opened, and when it is no regular
    // file ("通常のファイルではありません"): it is opened without waiting, so a
    // FIFO or a device is refused before anything reads from it.
    explicit FileReader(const std::string& path,
                        MissingFolder missingFolder = MissingFolder::FolderNotFound);

    // Reads up to `size` bytes into `out`; 0 at the end of the file. Throws
    // AppError when the read fails.
    std::size_t read(char* out, std::size_t size);

    // The size the file says it has.
    std::size_t size() const;
    FileStamp stamp() const;

private:
    UniqueFd fd_;
};

// The whole file. Throws AppError when it cannot be read, or when it holds
// more than `maxBytes` ("ファイルが大きすぎます", told before anything is read).
// `stamp`, when given, receives the stamp of the file that was read.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes = std::string::npos,
                          MissingFolder missingFolder = MissingFolder::FolderNotFound,
                          FileStamp* stamp = nullptr);

// Throws AppError with the message for a failed open of `path`: a missing
// folder is told as such, a missing file in a folder that exists as "not found".
[[noreturn]] void ThrowOpenError(int errnoValue, const std::string& path, FileAccess access);
