// SPDX-License-Identifier: MIT
// Saving where a new file renamed over the book would lose something: the
// folder cannot be written, the book has a second name, another owner or a
// group the user cannot give. The book is then written in place.
#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "book/book_file.h"
#include "tests/book/book_file_fixture.h"
#include "tests/support/helpers.h"
#include "tests/support/small_disk.h"

namespace {

namespace fs = std::filesystem;

// What a save in place keeps of a file.
struct FileIdentity {
    ino_t inode;
    uid_t owner;
    gid_t group;
    mode_t mode;
    bool operator==(const FileIdentity&) const = default;
    friend void PrintTo(const FileIdentity& f, std::ostream* out)
    {
        *out << "inode " << f.inode << ", " << f.owner << ":" << f.group << ", mode " << std::oct
             << f.mode << std::dec;
    }
};

FileIdentity identityOf(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return {st.st_ino, st.st_uid, st.st_gid, st.st_mode & 07777};
}

// Starts a program (looked up in PATH); its process id, or -1.
pid_t start(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    return ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// The exit status of a program, or -1 when it could not run or did not exit.
int run(const std::vector<std::string>& args)
{
    const pid_t pid = start(args);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// The user nobody, who saves through the test's copy of book_file_writer. Root
// ignores file permissions, so the tests that need a user who is refused
// something run the save as nobody. Needs root and setpriv.
class Nobody {
public:
    // Nothing when the tests cannot act as nobody here.
    static std::optional<Nobody> in(const std::string& testFolder)
    {
        const passwd* user = ::getpwnam("nobody");
        if (::geteuid() != 0 || user == nullptr) {
            return std::nullopt;
        }
        Nobody nobody(user->pw_uid, user->pw_gid, testFolder);
        // nobody has to reach the writer, which lies beside the books.
        fs::permissions(testFolder, fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
        fs::copy_file(FUMI_BOOK_FILE_WRITER, nobody.writer_);
        // nobody keeps the recovery copies of a save in place here.
        fs::create_directory(nobody.recovery_);
        fs::permissions(nobody.recovery_, fs::perms::all);
        if (run(nobody.asNobody({"true"})) != 0) {
            return std::nullopt;
        }
        return nobody;
    }

    uid_t uid() const { return uid_; }
    gid_t gid() const { return gid_; }

    // Whether nobody saved the book of this file text to `path`.
    bool save(const std::string& path, const std::string& fileText) const
    {
        return run(asNobody({writer_, path, fileText, recovery_})) == 0;
    }

private:
    Nobody(uid_t uid, gid_t gid, const std::string& testFolder)
        : uid_(uid),
          gid_(gid),
          writer_(testFolder + "/book_file_writer"),
          recovery_(testFolder + "/recovery-of-nobody")
    {
    }

    std::vector<std::string> asNobody(std::vector<std::string> command) const
    {
        std::vector<std::string> args = {"setpriv", "--reuid=" + std::to_string(uid_),
                                         "--regid=" + std::to_string(gid_), "--clear-groups"};
        args.insert(args.end(), command.begin(), command.end());
        return args;
    }

    uid_t uid_;
    gid_t gid_;
    std::string writer_;
    std::string recovery_;
};

// Lets this process write files up to `bytes` long; a write past that fails as
// on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    sighandler_t handler_;
};

const std::string kNewText = EncodeBookLine(kSampleCard) + "\r\n";

TEST_F(BookFileTest, ABookWithOneNameIsReplacedAndOneWithTwoIsWrittenInPlace)
{
    const std::string book = path("book.csv");
    writeBytes(book, "old\r\n");
    const FileIdentity alone = identityOf(book);
    WriteBookFile(book, bookOf({kSampleCard}), recovery());
    EXPECT_NE(identityOf(book).inode, alone.inode) << "a new file took the book's name";

    fs::create_hard_link(book, path("second.csv"));
    const FileIdentity linked = identityOf(book);
    WriteBookFile(book, bookOf({kSampleCard, kSampleCard}), recovery());
    EXPECT_EQ(identityOf(book), linked);
    EXPECT_EQ(readBytes(book), kNewText + kNewText);
    EXPECT_EQ(readBytes(path("second.csv")), kNewText + kNewText);
    EXPECT_EQ(namesIn(folder()), (std::vector<std::string>{"book.csv", "second.csv"}));
}

TEST_F(BookFileTest, AWritableBookInAFolderTheUserCannotWriteIsWrittenInPlace)
{
    const std::string place = path("place");
    fs::create_directory(place);
    const std::string book = place + "/book.csv";
    writeBytes(book, "old\r\n");
    if (::geteuid() == 0) {
        const std::optional<Nobody> nobody = Nobody::in(folder());
        if (!nobody) {
            GTEST_SKIP() << "cannot save as nobody here";
        }
        // The folder stays root's; the book is nobody's.
        ASSERT_EQ(::chown(book.c_str(), nobody->uid(), nobody->gid()), 0);
        const FileIdentity before = identityOf(book);
        EXPECT_TRUE(nobody->save(book, kNewText));
        EXPECT_EQ(identityOf(book), before);
    } else {
        const FileIdentity before = identityOf(book);
        fs::permissions(place, fs::perms::owner_read | fs::perms::owner_exec);
        const QString error =
            errorOf([&] { WriteBookFile(book, bookOf({kSampleCard}), recovery()); });
        fs::permissions(place, fs::perms::owner_all);
        EXPECT_EQ(error, u(""));
        EXPECT_EQ(identityOf(book), before);
    }
    EXPECT_EQ(readBytes(book), kNewText);
    EXPECT_EQ(namesIn(place), std::vector<std::string>{"book.csv"});
}

TEST_F(BookFileTest, ABookOfAnotherOwnerOrOfAGroupTheUserCannotGiveKeepsThem)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a book to another user";
    }
    const std::optional<Nobody> nobody = Nobody::in(folder());
    if (!nobody) {
        GTEST_SKIP() << "cannot save as nobody here";
    }
    const std::string place = path("place");
    fs::create_directory(place);
    fs::permissions(place, fs::perms::all);
    const std::string book = place + "/book.csv";

    // Root saves nobody's book.
    writeBytes(book, "old\r\n");
    ASSERT_EQ(::chown(book.c_str(), nobody->uid(), nobody->gid()), 0);
    ASSERT_EQ(::chmod(book.c_str(), 0640), 0);
    FileIdentity before = identityOf(book);
    WriteBookFile(book, bookOf({kSampleCard}), recovery());
    EXPECT_EQ(identityOf(book), before);
    EXPECT_EQ(readBytes(book), kNewText);

    // nobody saves a book of root's group, in a folder that nobody may write.
    writeBytes(book, "old\r\n");
    ASSERT_EQ(::chown(book.c_str(), nobody->uid(), 0), 0);
    ASSERT_EQ(::chmod(book.c_str(), 0664), 0);
    before = identityOf(book);
    EXPECT_TRUE(nobody->save(book, kNewText));
    EXPECT_EQ(identityOf(book), before);
    EXPECT_EQ(readBytes(book), kNewText);
    EXPECT_EQ(namesIn(place), std::vector<std::string>{"book.csv"});
}

TEST_F(BookFileTest, NoRecoveryCopyNoWriteInPlace)
{
    // The size limit stops the copy before the book: the only copy stays whole.
    const std::string book = path("book.csv");
    writeBytes(book, "old\r\n");
    fs::create_hard_link(book, path("second.csv"));
    const AddressBook many = bookOf(std::vector<BookRow>(3000, kSampleCard));
    QString error;
    {
        const FileSizeLimit limit(64 * 1024);
        error = errorOf([&] { WriteBookFile(book, many, recovery()); });
    }
    EXPECT_EQ(error.section(u("\n\r"), 0, 0), u("ディスクがいっぱいです"));
    EXPECT_TRUE(error.contains(u("控えを作れなかった"))) << error.toStdString();
    EXPECT_EQ(readBytes(book), "old\r\n");
    EXPECT_TRUE(recovery().copies().empty());
}

TEST_F(BookFileTest, AFullDiskInPlaceKeepsTheOldBook)
{
    const std::string place = path("disk");
    fs::create_directory(place);
    const SmallDisk disk(place, "64k");
    if (!disk.mounted()) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    const std::string book = place + "/book.csv";
    writeBytes(book, "old\r\n");
    fs::create_hard_link(book, place + "/second.csv");  // so it is written in place
    const AddressBook many = bookOf(std::vector<BookRow>(3000, kSampleCard));
    EXPECT_EQ(errorOf([&] { WriteBookFile(book, many, recovery()); }), u("ディスクがいっぱいです"));
    EXPECT_EQ(readBytes(book), "old\r\n");
    EXPECT_TRUE(recovery().copies().empty()) << "the book was not touched";
}

// Starts the writer saving `book` in place from the text in `textFile`.
pid_t startSaving(const std::string& book, const std::string& textFile,
                  const std::string& recoveryFolder)
{
    return start({FUMI_BOOK_FILE_WRITER, book, "@" + textFile, recoveryFolder});
}

TEST_F(BookFileTest, ASaveInPlaceKilledAnywhereLeavesTheOldBookOrAWholeCopy)
{
    const std::string book = path("book.csv");
    const std::string oldText = EncodeBookText(bookOf(std::vector<BookRow>(300, kSampleCard)));
    BookRow changed = kSampleCard;
    changed[ColMemo] = "memo";
    // Large enough that a kill lands in the middle of the write now and then.
    const std::string newText = EncodeBookText(bookOf(std::vector<BookRow>(40'000, changed)));
    writeBytes(path("new.txt"), newText);
    const auto startOver = [&] {
        writeBytes(book, oldText);
        fs::remove(path("second.csv"));
        fs::create_hard_link(book, path("second.csv"));  // so it is written in place
    };

    // One whole save, for how long one takes; the kills spread over its second half.
    startOver();
    const auto started = std::chrono::steady_clock::now();
    const pid_t whole = startSaving(book, path("new.txt"), recovery().folder());
    ASSERT_GT(whole, 0);
    ::waitpid(whole, nullptr, 0);
    const auto took = std::chrono::steady_clock::now() - started;
    ASSERT_TRUE(readBytes(book) == newText);
    ASSERT_TRUE(recovery().copies().empty());

    constexpr int kRounds = 40;
    int cut = 0;
    for (int round = 0; round < kRounds; ++round) {
        startOver();
        const pid_t pid = startSaving(book, path("new.txt"), recovery().folder());
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(took / 2 + took * round / (2 * kRounds));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        const std::string now = readBytes(book);
        if (now != oldText && now != newText) {
            ++cut;
            const std::vector<RecoveryCopy> copies = recovery().copies();
            ASSERT_EQ(copies.size(), 1u) << "round " << round << ": a cut book and no copy";
            EXPECT_TRUE(readBytes(copies[0].copyPath) == newText);
            EXPECT_EQ(copies[0].bookPath, book);
        }
        for (const RecoveryCopy& copy : recovery().copies()) {
            recovery().remove(copy);
        }
    }
    RecordProperty("cut books", cut);
}

}  // namespace
