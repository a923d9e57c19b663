#include <QApplication>

#include "app/frm_main.h"
#include "app/japanese_faces.h"
#include "app/qt_services.h"
#include "platform/clock.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("fumiyose"));
    QApplication::setApplicationDisplayName(QStringLiteral("ふみよせ"));
    SubstituteJapaneseFaces();

    MessageBoxDialogs dialogs(nullptr);
    SystemClock clock;
    SystemFontList fonts;
    DesktopUrlOpener urls;
    QtFileDialogs files(nullptr);
    Services services{&dialogs, &files, &fonts, &clock, &urls,
                      QCoreApplication::applicationDirPath().toStdString()};
    frmMain window(services);
    window.show();
    return app.exec();
}
