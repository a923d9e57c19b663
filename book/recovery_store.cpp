// SPDX-License-Identifier: MIT
#include "book/recovery_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "platform/app_error.h"
#include "platform/file_reader.h"
#include "platform/file_writer.h"

namespace {

constexpr std::string_view kCopySuffix = ".csv";
constexpr std::string_view kNoteSuffix = ".path";

void makeFolders(const std::string& folder)
{
    // Each missing folder on the way, private to the user: copies are address books.
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            throw AppError(FileErrorText(errno, FileAccess::Write));
        }
        if (slash == std::string::npos) {
            return;
        }
    }
}

// book-20261208-143000-4242-0: when, by which process, and a count that keeps
// two copies of one second apart.
std::string newId(const std::string& folder)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char when[32];
    std::strftime(when, sizeof when, "%Y%m%d-%H%M%S", &local);
    const std::string stem = "book-" + std::string(when) + "-" + std::to_string(::getpid()) + "-";
    for (int n = 0;; ++n) {
        std::string id = stem + std::to_string(n);
        std::string copy = folder;
        copy.append("/").append(id).append(kCopySuffix);
        struct stat st {};
        if (::stat(copy.c_str(), &st) != 0) {
            return id;
        }
    }
}

void writeWhole(const std::string& path, std::string_view bytes)
{
    NewFile file(path, 0600);
    WriteAll(file.fd(), bytes);
    file.commit();
}

std::string readNote(const std::string& path)
{
    try {
        return ReadWholeFile(path, 64 * 1024);
    } catch (const AppError&) {
        return {};  // a note that is gone or unreadable: the copy stands alone
    }
}

}  // namespace

std::string RecoveryStore::defaultFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.local/state";
    }
    return base + "/fumiyose/recovery";
}

RecoveryCopy RecoveryStore::keep(const std::string& bookPath, std::string_view bookText) const
{
    makeFolders(folder_);
    const std::string id = newId(folder_);
    RecoveryCopy copy{folder_ + "/" + id + std::string(kCopySuffix), bookPath};
    const std::string note = folder_ + "/" + id + std::string(kNoteSuffix);
    try {
        // The note first: a copy is never without the path it belongs to.
        writeWhole(note, bookPath);
        writeWhole(copy.copyPath, bookText);
    } catch (const AppError&) {
        remove(copy);
        throw;
    }
    return copy;
}

void RecoveryStore::remove(const RecoveryCopy& copy) const noexcept
{
    const std::string& path = copy.copyPath;
    if (path.size() <= kCopySuffix.size()) {
        return;
    }
    ::unlink(path.c_str());
    ::unlink((path.substr(0, path.size() - kCopySuffix.size()) + std::string(kNoteSuffix)).c_str());
    SyncFolder(folder_);
}

std::vector<RecoveryCopy> RecoveryStore::copies() const
{
    struct Found {
        RecoveryCopy copy;
        std::int64_t modified;
    };
    std::vector<Found> found;
    const FolderListing dir = ListFolder(folder_);
    if (!dir) {
        return {};
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.front() == '.' || name.size() <= kCopySuffix.size() ||
            name.compare(name.size() - kCopySuffix.size(), kCopySuffix.size(), kCopySuffix) != 0) {
            continue;
        }
        const std::string path = folder_ + "/" + name;
        const std::optional<FileStamp> stamp = StampOfFile(path);
        if (!stamp) {
            continue;
        }
        const std::string stem = path.substr(0, path.size() - kCopySuffix.size());
        found.push_back({{path, readNote(stem + std::string(kNoteSuffix))}, stamp->modifiedNs});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.modified != b.modified ? a.modified > b.modified
                                        : a.copy.copyPath > b.copy.copyPath;
    });
    std::vector<RecoveryCopy> result;
    result.reserve(found.size());
    for (Found& f : found) {
        result.push_back(std::move(f.copy));
    }
    return result;
}
