// SPDX-License-Identifier: MIT
#include "print/qt_printer_device.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

#include "platform/app_error.h"
#include "print/print_texts.h"
#include "text/cp932.h"
#include "text/program_text.h"

QtPrinterDevice::QtPrinterDevice(QPrinter& printer) : printer_(printer) {}

QtPrinterDevice::~QtPrinterDevice()
{
    abortDocument();
}

void QtPrinterDevice::setPostcardPaper()
{
    if (printing()) {
        throw AppError(uiText(print_texts::PrintingNow));
    }
    const bool toFile = !printer_.outputFileName().isEmpty();
    if (!toFile && printer_.printerName().isEmpty()) {
        // Qt falls back to PDF output when it started without a printer; take
        // the default printer if one has appeared since.
        const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
        if (fallback.isNull()) {
            throw AppError(uiText(print_texts::NoDefaultPrinter));
        }
        printer_.setPrinterName(fallback.printerName());
        if (printer_.printerName().isEmpty()) {
            throw AppError(uiText(print_texts::NoDefaultPrinter));
        }
    }
    // Only the size changes; orientation and margins stay as the printer has them.
    printer_.setPageSize(postcardSize());
    if (toFile) {
        // A PDF file has no unprintable edge: the page is the whole card, so
        // that every element lands at its millimetre.
        printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }
    // The digits are fitted in dots ("4" at most 38 wide); at 600 dpi that gives
    // digits that fill a postcard's boxes, at a printer's 1200 dpi half that.
    // Set on every card, since the printer dialog may choose another resolution.
    printer_.setResolution(kPostcardDpi);
}

QPageSize QtPrinterDevice::postcardSize()
{
    return QPageSize(QSizeF(100, 148), QPageSize::Millimeter);
}

bool QtPrinterDevice::takesPostcards() const
{
    if (!printer_.outputFileName().isEmpty()) {
        return true;
    }
    // Either way round, and within a millimetre of the card.
    const auto holdsACard = [](const QSizeF& mm) {
        const QSizeF upright = mm.width() <= mm.height() ? mm : mm.transposed();
        return std::abs(upright.width() - 100) <= 1 && std::abs(upright.height() - 148) <= 1;
    };
    const QPrinterInfo info(printer_);
    const QList<QPageSize> sizes = info.supportedPageSizes();
    if (std::any_of(sizes.begin(), sizes.end(), [&](const QPageSize& size) {
            return holdsACard(size.size(QPageSize::Millimeter));
        })) {
        return true;
    }
    if (!info.supportsCustomPageSizes()) {
        return false;
    }
    const QSizeF least = info.minimumPhysicalPageSize().size(QPageSize::Millimeter);
    const QSizeF most = info.maximumPhysicalPageSize().size(QPageSize::Millimeter);
    return least.width() <= 100 && least.height() <= 148 && most.width() >= 100 &&
           most.height() >= 148;
}

QString QtPrinterDevice::printerName() const
{
    return printer_.printerName();
}

int QtPrinterDevice::dpiX() const
{
    return printer_.logicalDpiX();
}

int QtPrinterDevice::dpiY() const
{
    return printer_.logicalDpiY();
}

QPoint QtPrinterDevice::physicalOffset() const
{
    const QPageLayout layout = printer_.pageLayout();
    const int resolution = printer_.resolution();
    return layout.paintRectPixels(resolution).topLeft() -
           layout.fullRectPixels(resolution).topLeft();
}

int QtPrinterDevice::physicalOffsetX() const
{
    return physicalOffset().x();
}

int QtPrinterDevice::physicalOffsetY() const
{
    return physicalOffset().y();
}

void QtPrinterDevice::beginDocument()
{
    if (printing()) {
        throw AppError(uiText(print_texts::PrintingNow));
    }
    if (!painter_.begin(&printer_)) {
        QString message = uiText(print_texts::CannotStartJob);
        if (!printer_.outputFileName().isEmpty()) {
            message += QStringLiteral("\n\r") + printer_.outputFileName();
        }
        throw AppError(message);
    }
    // A fresh canvas draws text on a white box until the brush is cleared.
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(Qt::white);
    painter_.setPen(Qt::black);
    verticalCurrent_ = false;
}

void QtPrinterDevice::newPage()
{
    if (!printer_.newPage()) {
        throw AppError(uiText(print_texts::JobFailed));
    }
    painter_.setBackgroundMode(Qt::OpaqueMode);
    verticalCurrent_ = false;
}

void QtPrinterDevice::endDocument()
{
    if (!painter_.isActive()) {
        return;
    }
    const bool ended = painter_.end();
    if (!ended || printer_.printerState() == QPrinter::Error) {
        throw AppError(uiText(print_texts::JobFailed));
    }
}

void QtPrinterDevice::abortDocument() noexcept
{
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
}

void QtPrinterDevice::setDigitFontPixelsPerInch(int pixelsPerInch)
{
    digitPixelsPerInch_ = std::max(pixelsPerInch, 1);
}

void QtPrinterDevice::setDigitFont(const std::string& face, int pointSize)
{
    digitPoints_ = pointSize;
    QFont font(cp932::toUnicode(face));
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    // s points are s * ppi / 72 dots of character height.
    font.setPixelSize(std::max(1, qRound(pointSize * digitPixelsPerInch_ / 72.0)));
    digitFont_ = font;
    verticalCurrent_ = false;
    if (painter_.isActive()) {
        painter_.setFont(digitFont_);
    }
}

int QtPrinterDevice::textWidth(const std::string& text)
{
    const QString unicode = cp932::toUnicode(text);
    if (verticalCurrent_) {
        return vertical::measure(verticalFace_, unicode).along;
    }
    const QFontMetrics metrics(digitFont_, &printer_);
    return metrics.horizontalAdvance(unicode);
}

void QtPrinterDevice::setVerticalFont(const LogFontRecord& font)
{
    verticalFace_ = ToFaceRecord(font);
    verticalCurrent_ = true;
}

void QtPrinterDevice::setBrushClear()
{
    if (painter_.isActive()) {
        painter_.setBackgroundMode(Qt::TransparentMode);
    }
}

void QtPrinterDevice::drawText(int x, int y, const std::string& text)
{
    if (!painter_.isActive() || text.empty()) {
        return;
    }
    const QString unicode = cp932::toUnicode(text);
    if (verticalCurrent_) {
        vertical::draw(painter_, verticalFace_, QPoint(x, y),
                       vertical::AlignTop | vertical::AlignLeft, unicode, Qt::black);
        return;
    }
    painter_.setFont(digitFont_);
    const QFontMetrics metrics(digitFont_, &printer_);
    painter_.drawText(QPoint(x, y + metrics.ascent()), unicode);
}

QString QtPrinterDevice::outputFile() const
{
    return printer_.outputFileName();
}

void QtPrinterDevice::setOutputFile(const QString& path)
{
    printer_.setOutputFileName(path);
}
