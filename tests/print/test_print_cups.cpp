// SPDX-License-Identifier: MIT
// End to end: three ticked cards through the batch print command into a CUPS
// scheduler of the test's own, with a cups-pdf queue as the default printer.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <set>

#include "print/print_commands.h"
#include "print/qt_printer_device.h"
#include "tests/print/poppler_page.h"
#include "tests/support/fakes.h"
#include "vertical/japanese_faces.h"

namespace {

const QString QueueName = QStringLiteral("PDF");
const QString Ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

struct CommandResult {
    int exitCode = -1;
    QString output;
};

CommandResult Command(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

bool WaitFor(const std::function<bool()>& done, int seconds)
{
    const QDateTime deadline = QDateTime::currentDateTime().addSecs(seconds);
    while (QDateTime::currentDateTime() < deadline) {
        if (done()) {
            return true;
        }
        QThread::msleep(250);
    }
    return done();
}

bool SchedulerRunning()
{
    return Command(QStringLiteral("lpstat"), {QStringLiteral("-r")})
        .output.contains(QStringLiteral("scheduler is running"));
}

// Job numbers of the queue's completed jobs.
std::set<int> CompletedJobs()
{
    const QString out =
        Command(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"),
                                           QStringLiteral("-o"), QueueName})
            .output;
    std::set<int> jobs;
    static const QRegularExpression id(QStringLiteral(R"(^PDF-(\d+)\s)"),
                                       QRegularExpression::MultilineOption);
    for (auto it = id.globalMatch(out); it.hasNext();) {
        jobs.insert(it.next().captured(1).toInt());
    }
    return jobs;
}

QStringList PdfsIn(const QDir& dir)
{
    QStringList found;
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
        found << file.absoluteFilePath();
    }
    return found;
}

class CupsPdfQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0) {
            GTEST_SKIP() << "starting a CUPS scheduler needs root";
        }
        const QStringList sbin{QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")};
        cupsd_ = QStandardPaths::findExecutable(QStringLiteral("cupsd"), sbin);
        lpadmin_ = QStandardPaths::findExecutable(QStringLiteral("lpadmin"), sbin);
        if (cupsd_.isEmpty() || lpadmin_.isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty()) {
            GTEST_SKIP() << "CUPS (cupsd, lpadmin, lpstat) is not installed";
        }
        if (!QFileInfo::exists(Ppd)) {
            GTEST_SKIP() << "printer-driver-cups-pdf is not installed";
        }
        if (!poppler_page::ToolsPresent()) {
            GTEST_SKIP() << "poppler-utils are not installed";
        }

        // A scheduler that already runs is used as it is and left running.
        if (!SchedulerRunning()) {
            scheduler_ = std::make_unique<QProcess>();
            scheduler_->setProcessChannelMode(QProcess::ForwardedChannels);
            scheduler_->start(cupsd_, {QStringLiteral("-f")});
            ASSERT_TRUE(scheduler_->waitForStarted(10000)) << "cupsd did not start";
            ASSERT_TRUE(WaitFor(SchedulerRunning, 30)) << "cupsd did not come up";
        }

        queueExisted_ =
            Command(QStringLiteral("lpstat"), {QStringLiteral("-p"), QueueName}).exitCode == 0;
        previousDefault_ = Command(QStringLiteral("lpstat"), {QStringLiteral("-d")}).output;
        const CommandResult added = Command(
            lpadmin_, {QStringLiteral("-p"), QueueName, QStringLiteral("-E"), QStringLiteral("-v"),
                       QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), Ppd});
        ASSERT_EQ(added.exitCode, 0) << added.output.toStdString();
        const CommandResult madeDefault = Command(lpadmin_, {QStringLiteral("-d"), QueueName});
        ASSERT_EQ(madeDefault.exitCode, 0) << madeDefault.output.toStdString();
    }

    void TearDown() override
    {
        if (!lpadmin_.isEmpty() && !queueExisted_) {
            Command(lpadmin_, {QStringLiteral("-x"), QueueName});
        }
        restoreDefault();
        if (scheduler_) {
            // Ours alone, stopped by its own process id.
            scheduler_->terminate();
            if (!scheduler_->waitForFinished(20000)) {
                scheduler_->kill();
                scheduler_->waitForFinished();
            }
        }
    }

    void restoreDefault()
    {
        static const QRegularExpression name(QStringLiteral(R"(destination:\s*(\S+))"));
        const auto m = name.match(previousDefault_);
        if (m.hasMatch() && m.captured(1) != QueueName && !lpadmin_.isEmpty()) {
            Command(lpadmin_, {QStringLiteral("-d"), m.captured(1)});
        }
    }

    QString cupsd_;
    QString lpadmin_;
    std::unique_ptr<QProcess> scheduler_;
    bool queueExisted_ = false;
    QString previousDefault_;
};

AddressBook FourCards()
{
    AddressBook book;
    book.setRowCount(5);
    for (int row = 1; row <= 4; ++row) {
        book.setRow(row, {std::to_string(row), sj("山田太郎"), "1000001", sj("様"),
                          sj("東京都千代田区千代田"), sj("一丁目"), "", ""});
    }
    return book;
}

}  // namespace

TEST_F(CupsPdfQueue, BatchOfThreeTickedCardsGivesThreeOnePageJobs)
{
    const QDir out(QDir::home().filePath(QStringLiteral("PDF")));
    const QStringList earlier = PdfsIn(out);
    const std::set<int> before = CompletedJobs();

    ASSERT_FALSE(QPrinterInfo::defaultPrinter().isNull()) << "the queue is not the default";
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_EQ(printer.printerName(), QueueName);
    QtPrinterDevice device(printer);
    FakeDialogs dialogs;
    PrintListState list;
    list.items = {{1, true}, {2, false}, {3, true}, {4, true}};
    const auto options = [] {
        return CardPrintOptions{{"Arial", sj("@ＭＳ 明朝"), 1},
                                {"5300001", sj("大阪府大阪市"), "", sj("鈴木一郎"), ""},
                                true};
    };
    ASSERT_EQ(PrintChecked(list, FourCards(), options, device, dialogs), 3);
    EXPECT_TRUE(dialogs.log.empty());

    std::set<int> fresh;
    const bool jobsDone = WaitFor(
        [&] {
            fresh.clear();
            for (int job : CompletedJobs()) {
                if (!before.count(job)) {
                    fresh.insert(job);
                }
            }
            return fresh.size() >= 3;
        },
        90);
    EXPECT_TRUE(jobsDone) << "completed jobs: " << fresh.size();
    EXPECT_EQ(fresh.size(), 3u);

    QStringList pdfs;
    WaitFor(
        [&] {
            pdfs.clear();
            for (const QString& pdf : PdfsIn(out)) {
                if (!earlier.contains(pdf)) {
                    pdfs << pdf;
                }
            }
            return pdfs.size() >= 3;
        },
        30);
    ASSERT_EQ(pdfs.size(), 3) << "in " << out.path().toStdString();
    for (const QString& pdf : pdfs) {
        const auto info = poppler_page::ReadInfo(pdf);
        ASSERT_TRUE(info) << pdf.toStdString();
        EXPECT_EQ(info->pages, 1) << pdf.toStdString();
        EXPECT_NEAR(info->widthMm, 100, 1.0) << pdf.toStdString();
        EXPECT_NEAR(info->heightMm, 148, 1.0) << pdf.toStdString();
    }
    for (const QString& pdf : pdfs) {
        QFile::remove(pdf);
    }
}
