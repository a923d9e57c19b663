// SPDX-License-Identifier: MIT
#include "book/book_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/app_error.h"
#include "platform/file_reader.h"
#include "text/cp932.h"

namespace {

// Control characters and the space: they separate fields and force quotes.
constexpr bool isBlank(unsigned char b)
{
    return b >= 0x01 && b <= 0x20;
}

bool needsQuotes(std::string_view text)
{
    // The reader drops NULs at the start of a line, so a cell that begins with
    // one keeps it only inside quotes.
    if (!text.empty() && text.front() == '\0') {
        return true;
    }
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = cp932::charLength(text, i);
        if (len == 1) {
            const auto b = static_cast<unsigned char>(text[i]);
            if (isBlank(b) || b == '"' || b == ',') {
                return true;
            }
        }
        i += len;
    }
    return false;
}

void appendField(std::string& out, std::string_view text, bool lastField)
{
    if (!needsQuotes(text)) {
        out.append(text);
        return;
    }
    out.push_back('"');
    bool endsWithLoneLeadByte = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = cp932::charLength(text, i);
        if (len == 1 && text[i] == '"') {
            out.push_back('"');
        }
        endsWithLoneLeadByte = len == 1 && i + 1 == text.size() &&
                               cp932::isLeadByte(static_cast<unsigned char>(text[i]));
        out.append(text.substr(i, len));
        i += len;
    }
    // A lone lead byte would take the closing quote as its second byte. Such a
    // cell can only have been read from the end of a line, and there the
    // reader ends the field without the quote.
    if (!(lastField && endsWithLoneLeadByte)) {
        out.push_back('"');
    }
}

template <typename CellAt>
void appendLine(std::string& out, CellAt cellAt)
{
    for (int c = 0; c < ColumnCount; ++c) {
        if (c > 0) {
            out.push_back(',');
        }
        appendField(out, cellAt(c), c == ColumnCount - 1);
    }
}

// Fills `fields` (cleared first) so that the reader can reuse its strings.
void splitInto(std::string_view line, std::vector<std::string>& fields)
{
    fields.clear();
    const std::size_t n = line.size();
    std::size_t p = 0;
    auto skipBlanks = [&] {
        while (p < n && isBlank(static_cast<unsigned char>(line[p]))) {
            ++p;
        }
    };
    skipBlanks();
    while (p < n) {
        std::string& field = fields.emplace_back();
        if (line[p] == '"') {
            ++p;
            while (p < n) {
                if (line[p] == '"') {
                    if (p + 1 < n && line[p + 1] == '"') {
                        field.push_back('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                const std::size_t len = cp932::charLength(line, p);
                field.append(line.substr(p, len));
                p += len;
            }
        } else {
            const std::size_t start = p;
            while (p < n && line[p] != ',' && !isBlank(static_cast<unsigned char>(line[p]))) {
                p += cp932::charLength(line, p);
            }
            field.assign(line.substr(start, p - start));
        }
        skipBlanks();
        if (p < n && line[p] == ',') {
            if (p + 1 == n) {
                fields.emplace_back();
            }
            ++p;
            skipBlanks();
        }
    }
}

// Removes the temporary file unless the write got as far as the rename.
class TempFileGuard {
public:
    explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
    ~TempFileGuard()
    {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    void release() { path_.clear(); }

private:
    std::string path_;
};

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void fail(int errnoValue, FileAccess access)
{
    throw AppError(FileErrorText(errnoValue, access));
}

void writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno, FileAccess::Write);
        }
        if (written == 0) {
            fail(ENOSPC, FileAccess::Write);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Appends the lines of rows `row`, `row` + 1, ... until `out` holds at least
// `enough` bytes or the book ends; returns the row to go on with.
int appendRows(std::string& out, const AddressBook& book, int row, std::size_t enough)
{
    for (; row < book.rowCount() && out.size() < enough; ++row) {
        appendLine(out, [&](int c) -> const std::string& { return book.cell(c, row); });
        out.append("\r\n");
    }
    return row;
}

// A big book goes out in pieces, so that it never stands twice in memory.
void writeRows(int fd, const AddressBook& book)
{
    constexpr std::size_t kChunk = 1 << 20;
    std::string buffer;
    buffer.reserve(kChunk + 4096);
    for (int row = 1; row < book.rowCount();) {
        row = appendRows(buffer, book, row, kChunk);
        writeAll(fd, buffer);
        buffer.clear();
    }
}

// Writes into the file itself: truncated, written, flushed to disk (not a
// device or pipe) and closed. It keeps its names, owner, group and
// permissions; a failure part-way leaves the lines written so far.
void writeInPlace(const std::string& path, const AddressBook& book, bool flushToDisk)
{
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!fd.valid()) {
        ThrowOpenError(errno, path, FileAccess::Write);
    }
    writeRows(fd.get(), book);
    if (flushToDisk && ::fsync(fd.get()) != 0) {
        fail(errno, FileAccess::Write);
    }
    if (!fd.close()) {
        fail(errno, FileAccess::Write);
    }
}

// The file a symbolic link points at, so that saving keeps the link.
std::string resolveTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return path;
    }
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) {
        return path;  // a dangling link is replaced by the new file
    }
    return std::string(resolved.get());
}

UniqueFd createTempBeside(const std::string& target, std::string& tempPath)
{
    // Kept well under NAME_MAX even when the target's own name is long.
    const std::string base = baseNameOf(target).substr(0, 200);
    const std::string stem = folderOf(target) + "/." + base + ".tmp" + std::to_string(::getpid());
    for (int attempt = 0;; ++attempt) {
        tempPath = stem + "-" + std::to_string(attempt);
        UniqueFd fd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.valid()) {
            return fd;
        }
        if (errno != EEXIST || attempt >= 100) {
            ThrowOpenError(errno, target, FileAccess::Write);
        }
    }
}

// Whether a new file renamed over the book may stand for the old one: the
// folder takes a new file, no other name leads to the old one, and the user
// owns it, as they will own the new one.
bool canReplace(const std::string& target, const struct stat& st)
{
    return st.st_nlink == 1 && st.st_uid == ::geteuid() &&
           ::access(folderOf(target).c_str(), W_OK | X_OK) == 0;
}

// Writes a new file beside the target, flushes it to disk and renames it over
// the target, so that a failure leaves the old file as it was. `old` is the
// target's status, or null when there is none yet. Returns false, having
// changed nothing, when the new file cannot have the old one's group.
bool replaceWithNewFile(const std::string& target, const struct stat* old, const AddressBook& book)
{
    std::string tempPath;
    UniqueFd fd = createTempBeside(target, tempPath);
    TempFileGuard guard(tempPath);
    if (old != nullptr) {
        // A new file gets the user's group, or a set-group-ID folder's.
        struct stat fresh {};
        if (::fstat(fd.get(), &fresh) == 0 && fresh.st_gid != old->st_gid &&
            ::fchown(fd.get(), static_cast<uid_t>(-1), old->st_gid) != 0) {
            return false;
        }
        if (::fchmod(fd.get(), old->st_mode & 07777) != 0) {
            fail(errno, FileAccess::Write);
        }
    }
    writeRows(fd.get(), book);
    if (::fsync(fd.get()) != 0) {
        fail(errno, FileAccess::Write);
    }
    if (!fd.close()) {
        fail(errno, FileAccess::Write);
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        fail(errno, FileAccess::Write);
    }
    guard.release();

    // The rename is done; syncing the folder only hardens it against a power cut,
    // so a folder that cannot be synced is no reason to report a failure.
    UniqueFd folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        ::fsync(folder.get());
    }
    return true;
}

}  // namespace

std::string EncodeBookLine(const BookRow& row)
{
    std::string line;
    appendLine(line, [&](int c) -> const std::string& { return row[static_cast<std::size_t>(c)]; });
    return line;
}

std::vector<std::string> SplitBookLine(std::string_view line)
{
    std::vector<std::string> fields;
    splitInto(line, fields);
    return fields;
}

std::string EncodeBookText(const AddressBook& book)
{
    std::string text;
    appendRows(text, book, 1, std::string::npos);
    return text;
}

void WriteBookFile(const std::string& path, const AddressBook& book)
{
    if (path.empty() || path.back() == '/') {
        fail(EINVAL, FileAccess::Write);
    }
    const std::string target = resolveTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        replaceWithNewFile(target, nullptr, book);
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        fail(EISDIR, FileAccess::Write);
    }
    // Devices and pipes cannot be replaced by a rename.
    if (!S_ISREG(st.st_mode)) {
        writeInPlace(target, book, false);
        return;
    }
    // A read-only book stays read-only, even though its folder would allow a rename.
    if (::access(target.c_str(), W_OK) != 0) {
        fail(errno, FileAccess::Write);
    }
    if (!canReplace(target, st) || !replaceWithNewFile(target, &st, book)) {
        writeInPlace(target, book, true);
    }
}

std::vector<int> ReadBookFile(const std::string& path, AddressBook& book)
{
    return ParseBookText(ReadWholeFile(path), book);
}

std::vector<int> ParseBookText(std::string_view text, AddressBook& book)
{
    const std::size_t n = text.size();
    std::vector<int> notTaken;
    std::vector<std::string> fields;
    std::size_t p = 0;
    int lineNumber = 1;
    int r = 1;
    for (;;) {
        // Blank lines and leading blanks, NUL included, give nothing.
        while (p < n && static_cast<unsigned char>(text[p]) <= 0x20) {
            if (text[p] == '\n') {
                ++lineNumber;
            }
            ++p;
        }
        if (p == n) {
            break;
        }
        std::size_t end = text.find('\n', p);
        const bool hasLineFeed = end != std::string_view::npos;
        if (!hasLineFeed) {
            end = n;
        }
        std::size_t contentEnd = end;
        if (hasLineFeed && contentEnd > p && text[contentEnd - 1] == '\r') {
            --contentEnd;
        }
        splitInto(text.substr(p, contentEnd - p), fields);
        if (fields.size() == static_cast<std::size_t>(ColumnCount)) {
            book.setRowCount(r + 1);
            for (int c = 0; c < ColumnCount; ++c) {
                book.setCell(c, r, std::move(fields[static_cast<std::size_t>(c)]));
            }
        } else {
            notTaken.push_back(lineNumber);
        }
        ++r;
        p = hasLineFeed ? end + 1 : n;
        if (hasLineFeed) {
            ++lineNumber;
        }
    }
    return notTaken;
}
