// The main window on fake services, for tests that drive it like a user.
#pragma once

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

#include "app/frm_main.h"
#include "tests/support/fakes.h"

class MainWindowFixture {
public:
    explicit MainWindowFixture(QStringList faces = {QStringLiteral("Arial"),
                                                    QStringLiteral("IPAMincho"),
                                                    QStringLiteral("@IPAMincho")})
        : fonts(std::move(faces))
    {
        services.dialogs = &dialogs;
        services.files = &files;
        services.fonts = &fonts;
        services.clock = &clock;
        services.urls = &urls;
        services.appDir = qEnvironmentVariable("FUMI_RUNTIME_DIR").toStdString();
        window = std::make_unique<frmMain>(services);
    }

    FakeDialogs dialogs;
    FakeFileDialogs files;
    FakeFontList fonts;
    FixedClock clock{45'296'789};
    FakeUrlOpener urls;
    Services services;
    std::unique_ptr<frmMain> window;
};
