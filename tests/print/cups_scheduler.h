// SPDX-License-Identifier: MIT
// A CUPS scheduler and queues of the tests' own (root only): started when none
// runs, stopped by their own process ids, queues removed and the default
// printer given back afterwards.
#pragma once

#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace cups_test {

struct CommandResult {
    int exitCode = -1;
    QString output;
};

inline CommandResult Command(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

inline bool WaitFor(const std::function<bool()>& done, int seconds)
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

inline QString SystemProgram(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                           QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
}

inline bool SchedulerRunning()
{
    return Command(QStringLiteral("lpstat"), {QStringLiteral("-r")})
        .output.contains(QStringLiteral("scheduler is running"));
}

// A program the tests start in the background and stop at the end.
class Background {
public:
    Background() = default;
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;
    ~Background() { stop(); }

    bool start(const QString& program, const QStringList& args)
    {
        process_ = std::make_unique<QProcess>();
        // Their logs would bury the tests' own output.
        process_->setProcessChannelMode(QProcess::MergedChannels);
        process_->setStandardOutputFile(QProcess::nullDevice());
        process_->start(program, args);
        return process_->waitForStarted(10000);
    }
    void stop()
    {
        if (process_ && process_->state() != QProcess::NotRunning) {
            process_->terminate();
            if (!process_->waitForFinished(20000)) {
                process_->kill();
                process_->waitForFinished();
            }
        }
        process_.reset();
    }

private:
    std::unique_ptr<QProcess> process_;
};

// The scheduler: the one that runs, or one of the test's own. Empty `why()`
// when it runs.
class Scheduler {
public:
    Scheduler()
    {
        if (SchedulerRunning()) {
            return;
        }
        const QString cupsd = SystemProgram("cupsd");
        if (cupsd.isEmpty()) {
            why_ = QStringLiteral("CUPS (cupsd) is not installed");
            return;
        }
        if (!own_.start(cupsd, {QStringLiteral("-f")}) || !WaitFor(SchedulerRunning, 30)) {
            why_ = QStringLiteral("cupsd did not come up");
        }
    }
    const QString& why() const { return why_; }

private:
    Background own_;
    QString why_;
};

// Queues added for a test, removed again, and the default printer as it was.
class Queues {
public:
    Queues() : previousDefault_(Command(QStringLiteral("lpstat"), {QStringLiteral("-d")}).output) {}
    Queues(const Queues&) = delete;
    Queues& operator=(const Queues&) = delete;
    ~Queues()
    {
        for (const QString& name : added_) {
            // A job left behind would wait for the next queue of this name.
            Command(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("-x"), name});
            Command(SystemProgram("lpadmin"), {QStringLiteral("-x"), name});
        }
        static const QRegularExpression name(QStringLiteral(R"(destination:\s*(\S+))"));
        const auto m = name.match(previousDefault_);
        if (m.hasMatch() && !added_.contains(m.captured(1))) {
            Command(SystemProgram("lpadmin"), {QStringLiteral("-d"), m.captured(1)});
        }
    }

    // lpadmin -p <name> -E <args>; the output of lpadmin on failure. Jobs an
    // earlier run left in a queue of this name are cancelled first.
    std::optional<QString> add(const QString& name, const QStringList& args)
    {
        const bool existed =
            Command(QStringLiteral("lpstat"), {QStringLiteral("-p"), name}).exitCode == 0;
        if (existed) {
            Command(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("-x"), name});
        }
        const CommandResult r =
            Command(SystemProgram("lpadmin"),
                    QStringList{QStringLiteral("-p"), name, QStringLiteral("-E")} + args);
        if (r.exitCode != 0) {
            return r.output;
        }
        if (!existed) {
            added_ << name;
        }
        return std::nullopt;
    }
    bool makeDefault(const QString& name)
    {
        return Command(SystemProgram("lpadmin"), {QStringLiteral("-d"), name}).exitCode == 0;
    }

private:
    QString previousDefault_;
    QStringList added_;
};

// Job numbers of a queue's completed jobs.
inline std::set<int> CompletedJobs(const QString& queue)
{
    const QString out =
        Command(QStringLiteral("lpstat"),
                {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue})
            .output;
    std::set<int> jobs;
    const QRegularExpression id(
        QStringLiteral(R"(^)") + QRegularExpression::escape(queue) + QStringLiteral(R"(-(\d+)\s)"),
        QRegularExpression::MultilineOption);
    for (auto it = id.globalMatch(out); it.hasNext();) {
        jobs.insert(it.next().captured(1).toInt());
    }
    return jobs;
}

}  // namespace cups_test
