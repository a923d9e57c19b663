// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include "app/fcitx_input_method.h"
#include "app/frm_main.h"
#include "app/japanese_ui.h"
#include "app/qt_services.h"
#include "book/recovery_store.h"
#include "platform/clock.h"
#include "platform/termination_signals.h"
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
    FcitxInputMethodSwitch inputMethod;
    const std::string appDir = QCoreApplication::applicationDirPath().toStdString();
    Services services{dialogs, files,       fonts,  clock,
                      urls,    inputMethod, appDir, RecoveryStore::defaultFolder()};
    frmMain window(services);
    dialogs.setParent(&window);
    files.setParent(&window);

    // Ends that do not pass through the window's close box keep unsaved work.
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &window, &frmMain::endBySignal);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager& session) {
                         const bool mayAsk = session.allowsInteraction();
                         if (!window.sessionEnding(mayAsk)) {
                             session.cancel();
                         }
                         if (mayAsk) {
                             session.release();
                         }
                     });

    window.show();
    QTimer::singleShot(0, &window, &frmMain::offerRecoveryCopies);
    return app.exec();
}
