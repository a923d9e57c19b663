// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

#include "book/recovery_store.h"
#include "tests/support/helpers.h"

namespace {

TEST(RecoveryStore, KeepsWholeCopiesWithTheirBookPathNewestFirst)
{
    QTemporaryDir dir;
    const RecoveryStore store(dir.filePath(u("state/fumiyose/recovery")).toStdString());
    EXPECT_TRUE(store.copies().empty()) << "no folder yet: no copies";

    const RecoveryCopy first = store.keep("/home/a/年賀状.csv", "1,a,,,,,,\r\n");
    const RecoveryCopy second = store.keep("", std::string(100'000, 'x'));
    EXPECT_EQ(readBytes(first.copyPath), "1,a,,,,,,\r\n");
    EXPECT_EQ(readBytes(second.copyPath), std::string(100'000, 'x'));

    const std::vector<RecoveryCopy> copies = store.copies();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].copyPath, second.copyPath);
    EXPECT_EQ(copies[0].bookPath, "");
    EXPECT_EQ(copies[1].bookPath, "/home/a/年賀状.csv");

    // Address books: only their owner may read the copies.
    struct stat st {};
    ASSERT_EQ(::stat(store.folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(first.copyPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    store.remove(first);
    store.remove(first);  // gone already: no failure
    ASSERT_EQ(store.copies().size(), 1u);
    store.remove(second);
    EXPECT_TRUE(store.copies().empty());
    EXPECT_TRUE(QDir(QString::fromStdString(store.folder())).isEmpty()) << "no note is left";
}

TEST(RecoveryStore, AFolderThatCannotBeMadeIsAFailureThatLeavesNothing)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(u("file")).toStdString(), "");
    const RecoveryStore store(dir.filePath(u("file/recovery")).toStdString());
    EXPECT_FALSE(errorOf([&] { store.keep("/a.csv", "x"); }).isEmpty());
    EXPECT_TRUE(store.copies().empty());
}

TEST(RecoveryStore, TheDefaultFolderFollowsXdgStateHome)
{
    ::setenv("XDG_STATE_HOME", "/var/state", 1);
    EXPECT_EQ(RecoveryStore::defaultFolder(), "/var/state/fumiyose/recovery");
    ::setenv("XDG_STATE_HOME", "relative", 1);  // not absolute: ignored, as XDG asks
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(RecoveryStore::defaultFolder(), "/home/u/.local/state/fumiyose/recovery");
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(RecoveryStore::defaultFolder(), "/home/u/.local/state/fumiyose/recovery");
}

}  // namespace
