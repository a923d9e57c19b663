// SPDX-License-Identifier: MIT
// The platform services on Qt: message boxes, file dialogs, the font list, the browser.
#pragma once

#include <QFileDialog>
#include <QPointer>

#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/font_list.h"
#include "platform/url_opener.h"

class QWidget;

class MessageBoxDialogs final : public Dialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    // The boxes centre on and block this window.
    void setParent(QWidget* parent) { parent_ = parent; }
    bool ask(const QString& question) override;
    void notify(const QString& message) override;
    void showError(const QString& message) override;

private:
    QPointer<QWidget> parent_;
};

// One dialog of each kind for the whole run, so each keeps the last name chosen.
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr);
    ~QtFileDialogs() override;
    QtFileDialogs(const QtFileDialogs&) = delete;
    QtFileDialogs& operator=(const QtFileDialogs&) = delete;
    void setParent(QWidget* parent);
    QString openBook() override;
    QString saveBook() override;
    QString importContacts() override;

    QFileDialog& openDialog() { return *open_; }
    QFileDialog& saveDialog() { return *save_; }
    QFileDialog& importDialog() { return *import_; }

private:
    QPointer<QFileDialog> open_;
    QPointer<QFileDialog> save_;
    QPointer<QFileDialog> import_;
};

// The system's families; those that write Japanese also as "@" + family.
class SystemFontList final : public FontList {
public:
    QStringList faces() override;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    void open(const QString& url) override;
};
