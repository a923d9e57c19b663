// SPDX-License-Identifier: MIT
// Reading files for one command: opened, read and closed on every path, with
// the file messages on failure.
#pragma once

#include <cstddef>
#include <string>

#include "platform/file_error.h"

// How a missing folder on the way to a file is told: as a bad name for a path
// the user chose, as a missing file for the program's own files.
enum class MissingFolder { BadFileName, FileNotFound };

class FileReader {
public:
    // Throws AppError when the file cannot be opened.
    explicit FileReader(const std::string& path,
                        MissingFolder missingFolder = MissingFolder::BadFileName);

    // Reads up to `size` bytes into `out`; 0 at the end of the file. Throws
    // AppError when the read fails.
    std::size_t read(char* out, std::size_t size);

    // The size a regular file says it has, or 0 when it cannot say.
    std::size_t sizeHint() const;

private:
    UniqueFd fd_;
};

// The whole file. Throws AppError when it cannot be read, or when it holds
// more than `maxBytes` ("ファイルが大きすぎます").
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes = std::string::npos,
                          MissingFolder missingFolder = MissingFolder::BadFileName);

// Throws AppError with the message for a failed open of `path`: a missing
// folder is a bad name, a missing file in a folder that exists is "not found".
[[noreturn]] void ThrowOpenError(int errnoValue, const std::string& path, FileAccess access);
