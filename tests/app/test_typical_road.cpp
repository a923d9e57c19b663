// SPDX-License-Identifier: MIT
// One user's road from a file to printed cards, through the real window: open
// a book, look a postal code up, convert the addresses, preview and print.
// With FUMI_SCREENSHOT_DIR set, each stage is saved there as a picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "postal/yubin_form.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/helpers.h"
#include "text/cp932.h"

namespace {

QString shotDir()
{
    return qEnvironmentVariable("FUMI_SCREENSHOT_DIR");
}

void save(const QImage& image, const char* name)
{
    if (!shotDir().isEmpty()) {
        QDir().mkpath(shotDir());
        image.save(shotDir() + u("/") + u(name) + u(".png"));
    }
}

// The window with a dialog drawn over it where it stands.
QImage withDialog(QWidget& window, QWidget& dialog)
{
    QImage image = window.grab().toImage();
    QPainter p(&image);
    const QPoint at = window.mapFromGlobal(dialog.mapToGlobal(QPoint(0, 0)));
    p.drawPixmap(at, dialog.grab());
    return image;
}

void writeFile(const QString& path, const std::string& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class TypicalRoad : public ::testing::Test, public MainWindowFixture {
protected:
    QTemporaryDir dir;
};

TEST_F(TypicalRoad, FromACsvFileToAPrintedCard)
{
    window->show();
    const std::string csv = cp932::fromUnicodeLossy(
        u("1,山田太郎;花子,,様;様,東京都千代田区千代田1-1,皇居内,,512345\r\n"
          "2,佐藤一郎,5300001,様,大阪府大阪市北区梅田3-1-1,,,234567\r\n"));
    const QString book = dir.filePath(u("住所録.csv"));
    writeFile(book, csv);

    // 1. Open: card 1 is in the editor, its postal code still empty.
    files.openAnswers.push_back(book);
    ui().N5->trigger();
    ASSERT_TRUE(dialogs.log.empty()) << dialogs.texts().join(u("|")).toStdString();
    ui().PageControl->setCurrentIndex(0);
    EXPECT_EQ(card().txtName->text(), u("山田太郎"));
    EXPECT_EQ(card().txtYuubinNo->text(), u(""));
    EXPECT_EQ(window->state().currentFile(), book);
    save(window->grab().toImage(), "road-1-opened");

    // 2. Look the postal code up from the address: the dialog lists
    //    千代田区千代田; double-clicking its line fills the code.
    card().txtAddress->setText(u("千代田区千代田"));
    QListWidget* results = window->yubinForm().KekkaList();
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(window->yubinForm().isVisible());
        ASSERT_GE(results->count(), 1);
        results->setCurrentRow(0);
        save(withDialog(*window, window->yubinForm()), "road-2-lookup");
        window->yubinForm().btnYubinInputClick();
    });
    card().SpeedButton2->click();
    EXPECT_EQ(card().txtYuubinNo->text(), u("1000001"));
    EXPECT_TRUE(window->state().cardChanged());
    card().txtAddress->setText(u("東京都千代田区千代田1-1"));
    card().btnSaveCard->click();
    EXPECT_EQ(window->book().cell(ColPostalCode, 1), "1000001");

    // And the other way: the code 100 lists every line that begins with it.
    card().txtYuubinNo->setText(u("100"));
    QTimer::singleShot(0, [&] {
        EXPECT_GT(results->count(), 10);
        save(withDialog(*window, window->yubinForm()), "road-2-lookup-100");
        window->yubinForm().reject();  // the close box changes nothing
    });
    card().SpeedButton1->click();
    EXPECT_EQ(card().txtYuubinNo->text(), u("100"));
    card().txtYuubinNo->setText(u("1000001"));
    card().btnSaveCard->click();

    // 3. Convert the addresses to kanji numerals; the print list is rebuilt.
    ui().PageControl->setCurrentIndex(2);
    print().btnChgToKanji->click();
    EXPECT_EQ(window->book().cell(ColAddress1, 1),
              cp932::fromUnicodeLossy(u("東京都千代田区千代田一ー一")));
    ASSERT_EQ(print().PrintList->count(), 2);

    // 4. Preview the converted card.
    print().PrintList->setCurrentRow(0);
    EXPECT_EQ(print().lblPAddress1->text(), u("東京都千代田区千代田一ー一"));
    save(window->grab().toImage(), "road-3-preview");

    // 5. Print the ticked cards into one file, a page each.
    print().PrintList->item(0)->setCheckState(Qt::Checked);
    print().PrintList->item(1)->setCheckState(Qt::Checked);
    const QString pdf = dir.filePath(u("cards.pdf"));
    window->printTab().printer().setOutputFormat(QPrinter::PdfFormat);
    window->printTab().printer().setOutputFileName(pdf);
    dialogs.log.clear();
    print().btnPrintChecked->click();
    EXPECT_TRUE(dialogs.log.empty()) << dialogs.texts().join(u("|")).toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(dir.filePath(u("cards-1.pdf"))));
    if (!shotDir().isEmpty()) {
        QFile::remove(shotDir() + u("/road-4-printed.pdf"));
        QFile::copy(pdf, shotDir() + u("/road-4-printed.pdf"));
    }

    // 6. Save, then the file holds the converted addresses and the found code.
    dialogs.answer({true});
    ui().N7->trigger();
    QFile saved(book);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_TRUE(bytes.startsWith(
        QByteArray::fromStdString(cp932::fromUnicodeLossy(u("1,山田太郎;花子,1000001,様;様,"
                                                            "東京都千代田区千代田一ー一,")))));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
}

}  // namespace
