// SPDX-License-Identifier: MIT
// The ways the program ends besides its close box: the event loop ending with
// the window on screen, the desktop session ending, and SIGTERM.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <csignal>

#include "book/book_file.h"
#include "platform/termination_signals.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/helpers.h"

namespace {

class MainWindowEndingTest : public ::testing::Test, public MainWindowFixture {
protected:
    RecoveryStore recovery() const { return RecoveryStore(services.recoveryFolder); }

    // A card stored and another being typed: work that ending would lose.
    void makeUnsavedWork()
    {
        card().txtName->setText(u("山田太郎"));
        card().txtYuubinNo->setText(u("1000001"));
        card().txtAddress->setText(u("東京都千代田区"));
        card().btnSaveCard->click();
        card().txtMemo->setText(u("書きかけ"));
    }
};

// Run under MALLOC_PERTURB_ (and the sanitizer build): the grid's model read
// the book after the window had freed it.
TEST_F(MainWindowEndingTest, TheBookOutlivesEveryWidgetThatShowsIt)
{
    makeUnsavedWork();
    for (int tab : {0, 2, 1}) {
        ui().PageControl->setCurrentIndex(tab);
        window->show();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QApplication::exec();
    }
    window.reset();  // the window on screen, the loop over
    SUCCEED();
}

TEST_F(MainWindowEndingTest, ASessionThatMayNotAskLeavesACopyOfTheUnsavedWork)
{
    EXPECT_TRUE(window->sessionEnding(false));
    EXPECT_TRUE(recovery().copies().empty()) << "nothing unsaved, nothing kept";

    makeUnsavedWork();
    EXPECT_TRUE(window->sessionEnding(false));
    EXPECT_TRUE(dialogs.log.empty());
    const std::vector<RecoveryCopy> copies = recovery().copies();
    ASSERT_EQ(copies.size(), 1u);
    AddressBook kept;
    ParseBookText(readBytes(copies[0].copyPath), kept);
    EXPECT_EQ(kept.cell(ColName, 1), sj("山田太郎"));
    EXPECT_EQ(kept.cell(ColMemo, 1), sj("書きかけ"));
}

TEST_F(MainWindowEndingTest, ASessionThatMayAskAsksOnceAndStopsWhenTheSaveDidNotHappen)
{
    makeUnsavedWork();
    // Yes to both, and the save dialog cancelled: the session should wait.
    dialogs.answer({true, true});
    EXPECT_FALSE(window->sessionEnding(true));
    EXPECT_TRUE(window->state().hasUnsavedWork());
    // No to saving: the session may end, and closing asks nothing more.
    dialogs.log.clear();
    dialogs.answer({false});
    EXPECT_TRUE(window->sessionEnding(true));
    EXPECT_EQ(dialogs.texts(), QStringList{u(book_command_texts::kSaveQuestion)});
    dialogs.log.clear();
    window->close();
    EXPECT_TRUE(dialogs.log.empty());
}

// SIGTERM through the program's own handling, in a child that re-runs this
// test: it keeps the unsaved work in a folder both can see, then dies by the
// signal.
TEST_F(MainWindowEndingTest, SigtermKeepsTheUnsavedWorkThenEndsByTheSignal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const QString shared = qEnvironmentVariable("FUMI_RUNTIME_DIR") + u("/../tests/sigterm-copies");
    const RecoveryStore copies(shared.toStdString());
    const auto endBySigterm = [&] {
        for (const RecoveryCopy& copy : copies.copies()) {
            copies.remove(copy);
        }
        Services elsewhere = services;
        elsewhere.recoveryFolder = shared.toStdString();
        frmMain ending(elsewhere);
        ending.cardTab().ui().txtName->setText(u("佐藤"));  // an unstored edit
        TerminationSignals terminations;
        QObject::connect(&terminations, &TerminationSignals::received, &ending,
                         &frmMain::endBySignal);
        std::raise(SIGTERM);
        for (;;) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    };
    EXPECT_EXIT(endBySigterm(), ::testing::KilledBySignal(SIGTERM), "");
    const std::vector<RecoveryCopy> kept = copies.copies();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(readBytes(kept[0].copyPath).find(sj("佐藤")), std::string::npos);
    copies.remove(kept[0]);
}

}  // namespace
