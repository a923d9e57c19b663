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

#include "book/book_texts.h"
#include "platform/app_error.h"
#include "platform/file_reader.h"
#include "platform/file_writer.h"
#include "text/cp932.h"
#include "text/program_text.h"

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

// Fills `fields` (cleared first) so that the reader can reuse its strings,
// with at most `maxFields`: the rest of a longer line is not looked at.
void splitInto(std::string_view line, std::vector<std::string>& fields,
               std::size_t maxFields = std::string_view::npos)
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
    while (p < n && fields.size() < maxFields) {
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

[[noreturn]] void fail(int errnoValue, FileAccess access)
{
    throw AppError(FileErrorText(errnoValue, access));
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
        WriteAll(fd, buffer);
        buffer.clear();
    }
}

FileStamp stampOf(int fd)
{
    const std::optional<FileStamp> stamp = StampOfDescriptor(fd);
    if (!stamp) {
        fail(errno, FileAccess::Write);
    }
    return *stamp;
}

// Writes into the file itself, keeping its names, owner, group and
// permissions. The whole new text is first kept as a recovery copy, so that a
// kill or a failure part-way never leaves the book's only copy cut; the
// room it needs is reserved before a byte of the old book is overwritten.
FileStamp writeInPlace(const std::string& path, const std::string& text,
                       const RecoveryStore& recovery)
{
    RecoveryCopy copy;
    try {
        copy = recovery.keep(path, text);
    } catch (const AppError& e) {
        throw AppError(uiText(book_texts::kNoRecoveryCopy).arg(e.message()));
    }
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    const int openError = errno;
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        recovery.remove(copy);  // the book was not touched
        if (!fd.valid()) {
            ThrowOpenError(openError, path, FileAccess::Write);
        }
        throw AppError(uiText(file_texts::kNotRegularFile));
    }
    const auto size = static_cast<off_t>(text.size());
    // A full disk is found here, while the old book is still whole. A file
    // system that reserves nothing in advance goes on without.
    if (size > 0 && ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL) {
        const int error = errno;
        recovery.remove(copy);
        fail(error, FileAccess::Write);
    }
    FileStamp stamp;
    try {
        ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
        WriteAll(fd.get(), text);
        if (::ftruncate(fd.get(), size) != 0) {
            fail(errno, FileAccess::Write);
        }
        SyncToDisk(fd.get());
        stamp = stampOf(fd.get());
        if (!fd.close()) {
            fail(errno, FileAccess::Write);
        }
    } catch (const AppError& e) {
        throw AppError(uiText(book_texts::kInPlaceIncomplete)
                           .arg(e.message(), QString::fromLocal8Bit(copy.copyPath.c_str())));
    }
    recovery.remove(copy);
    return stamp;
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

// Whether a new file renamed over the book may stand for the old one: the
// folder takes a new file, no other name leads to the old one, and the user
// owns it, as they will own the new one.
bool canReplace(const std::string& target, const struct stat& st)
{
    return st.st_nlink == 1 && st.st_uid == ::geteuid() &&
           ::access(FolderOf(target).c_str(), W_OK | X_OK) == 0;
}

// Writes a new file beside the target, flushes it to disk and renames it over
// the target, so that a failure leaves the old file as it was. `old` is the
// target's status, or null when there is none yet. Returns nothing, having
// changed nothing, when the new file cannot have the old one's group.
std::optional<FileStamp> replaceWithNewFile(const std::string& target, const struct stat* old,
                                            const AddressBook& book)
{
    NewFile file(target, old != nullptr ? (old->st_mode & 07777) : 0666);
    if (old != nullptr) {
        // A new file gets the user's group, or a set-group-ID folder's.
        struct stat fresh {};
        if (::fstat(file.fd(), &fresh) == 0 && fresh.st_gid != old->st_gid &&
            ::fchown(file.fd(), static_cast<uid_t>(-1), old->st_gid) != 0) {
            return std::nullopt;
        }
        // The mode as it was, not as the umask leaves it.
        if (::fchmod(file.fd(), old->st_mode & 07777) != 0) {
            fail(errno, FileAccess::Write);
        }
    }
    writeRows(file.fd(), book);
    const FileStamp written = stampOf(file.fd());
    file.commit();
    // The rename gives a new change time, not a new modification time: the
    // stamp stands.
    return written;
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

FileStamp WriteBookFile(const std::string& path, const AddressBook& book,
                        const RecoveryStore& recovery)
{
    if (path.empty() || path.back() == '/') {
        fail(EINVAL, FileAccess::Write);
    }
    const std::string target = resolveTarget(path);
    RemoveStaleTemporaries(target);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            fail(errno, FileAccess::Write);
        }
        return *replaceWithNewFile(target, nullptr, book);
    }
    // A folder, a FIFO or a device holds no book; opening a FIFO would wait.
    if (!S_ISREG(st.st_mode)) {
        throw AppError(uiText(file_texts::kNotRegularFile));
    }
    // A read-only book stays read-only, even though its folder would allow a rename.
    if (::access(target.c_str(), W_OK) != 0) {
        fail(errno, FileAccess::Write);
    }
    if (canReplace(target, st)) {
        if (const std::optional<FileStamp> stamp = replaceWithNewFile(target, &st, book)) {
            return *stamp;
        }
    }
    return writeInPlace(target, EncodeBookText(book), recovery);
}

std::vector<int> ReadBookFile(const std::string& path, AddressBook& book)
{
    return ParseBookText(ReadWholeFile(path, kMaxBookFileBytes), book);
}

bool HoldsNoLine(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
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
        // A ninth field is enough to leave the line out: a line of millions of
        // commas is not made into millions of fields.
        splitInto(text.substr(p, contentEnd - p), fields, ColumnCount + 1);
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
