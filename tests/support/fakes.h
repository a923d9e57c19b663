// SPDX-License-Identifier: MIT
// Scripted stand-ins for the platform services.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "import/column_choice.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/font_list.h"
#include "platform/input_method_switch.h"
#include "platform/url_opener.h"

// Answers questions from a script and records every text it is shown.
class FakeDialogs final : public Dialogs {
public:
    struct Entry {
        enum Kind { Question, Notice, Error } kind;
        QString text;
    };

    void answer(std::initializer_list<bool> answers) { answers_.insert(answers_.end(), answers); }

    bool ask(const QString& question) override
    {
        log.push_back({Entry::Question, question});
        if (answers_.empty()) {
            unexpectedQuestions.push_back(question);
            return false;
        }
        const bool a = answers_.front();
        answers_.pop_front();
        return a;
    }
    void notify(const QString& message) override { log.push_back({Entry::Notice, message}); }
    void showError(const QString& message) override { log.push_back({Entry::Error, message}); }

    QStringList texts() const
    {
        QStringList out;
        for (const Entry& e : log) {
            out << e.text;
        }
        return out;
    }
    bool answersLeft() const { return !answers_.empty(); }

    std::vector<Entry> log;
    QStringList unexpectedQuestions;

private:
    std::deque<bool> answers_;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(std::uint32_t ms = 0) : ms_(ms) {}
    void set(std::uint32_t ms) { ms_ = ms; }
    std::uint32_t millisecondsOfDayUtc() const override { return ms_; }

private:
    std::uint32_t ms_;
};

class FakeUrlOpener final : public UrlOpener {
public:
    void open(const QString& url) override { opened << url; }
    QStringList opened;
};

// Each switch asked for, in order: true for Japanese, false for direct input.
class FakeInputMethodSwitch final : public InputMethodSwitch {
public:
    void setJapanese(bool on) override { switches.push_back(on); }
    std::vector<bool> switches;
};

class FakeFileDialogs final : public FileDialogs {
public:
    QString openBook() override { return take(openAnswers); }
    QString saveBook() override { return take(saveAnswers); }
    QString importContacts() override { return take(importAnswers); }
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> importAnswers;
    int opens = 0;

private:
    QString take(std::deque<QString>& q)
    {
        ++opens;
        if (q.empty()) {
            return {};
        }
        QString s = q.front();
        q.pop_front();
        return s;
    }
};

// The column dialog: records what it was shown and answers with `answer`
// (nothing: cancelled), or with the guess when `acceptGuess` is set.
class FakeColumnChooser final : public ColumnChooser {
public:
    std::optional<ColumnChoice> choose(const std::vector<CsvRecord>& records,
                                       const ColumnChoice& guess) override
    {
        ++shown;
        shownRecords = records.size();
        shownGuess = guess;
        return acceptGuess ? std::optional<ColumnChoice>(guess) : answer;
    }
    std::optional<ColumnChoice> answer;
    bool acceptGuess = false;
    int shown = 0;
    std::size_t shownRecords = 0;
    ColumnChoice shownGuess;
};

class FakeFontList final : public FontList {
public:
    explicit FakeFontList(QStringList faces) : faces_(std::move(faces)) {}
    QStringList faces() override { return faces_; }

private:
    QStringList faces_;
};

// Code page 932 bytes of a UTF-8 literal, for readable tests.
std::string sj(const char* utf8);
// The UTF-8 text of code page 932 bytes.
std::string utf8(const std::string& cp932Bytes);
