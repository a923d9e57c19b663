// SPDX-License-Identifier: MIT
#include <QApplication>

#include "app/frm_main.h"
#include "app/japanese_ui.h"
#include "app/qt_services.h"
#include "platform/clock.h"
#include "vertical/japanese_faces.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("fumiyose"));
    QApplication::setApplicationDisplayName(QStringLiteral("ふみよせ"));
    // The menu entry and the AppStream entry carry this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.fumiyose"));
    SubstituteJapaneseFaces();
    UseJapaneseQtTexts(app);  // without Qt's catalogue its own texts stay English

    MessageBoxDialogs dialogs;
    SystemClock clock;
    SystemFontList fonts;
    DesktopUrlOpener urls;
    QtFileDialogs files;
    const std::string appDir = QCoreApplication::applicationDirPath().toStdString();
    Services services{dialogs, files, fonts, clock, urls, appDir};
    frmMain window(services);
    dialogs.setParent(&window);
    files.setParent(&window);
    window.show();
    return app.exec();
}
