// SPDX-License-Identifier: MIT
// The main window on fake services, for tests that drive it like a user.
#pragma once

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

#include "app/card_tab.h"
#include "app/frm_main.h"
#include "app/list_tab.h"
#include "app/print_tab.h"
#include "tests/support/fakes.h"
#include "ui_frmMain.h"

class MainWindowFixture {
public:
    explicit MainWindowFixture(QStringList faces = {QStringLiteral("Arial"),
                                                    QStringLiteral("IPAMincho"),
                                                    QStringLiteral("@IPAMincho")})
        : fonts(std::move(faces)),
          services{dialogs,
                   files,
                   fonts,
                   clock,
                   urls,
                   inputMethod,
                   qEnvironmentVariable("FUMI_RUNTIME_DIR").toStdString(),
                   state.filePath(QStringLiteral("recovery")).toStdString()},
          window(std::make_unique<frmMain>(services))
    {
    }

    // The forms of the window and of its three tabs.
    Ui::frmMain& ui() { return window->ui(); }
    Ui::CardTab& card() { return window->cardTab().ui(); }
    Ui::ListTab& list() { return window->listTab().ui(); }
    Ui::PrintTab& print() { return window->printTab().ui(); }

    QTemporaryDir state;  // the window's own folder of recovery copies
    FakeDialogs dialogs;
    FakeFileDialogs files;
    FakeFontList fonts;
    FixedClock clock{45'296'789};
    FakeUrlOpener urls;
    FakeInputMethodSwitch inputMethod;
    Services services;
    std::unique_ptr<frmMain> window;
};
