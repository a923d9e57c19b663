// SPDX-License-Identifier: MIT
// The printer interface on the program's one QPrinter (owned by the main
// window), drawing with a QPainter: CUPS printers and PDF files alike.
#pragma once

#include <QFont>
#include <QPageSize>
#include <QPainter>

#include "print/printer_device.h"

class QPrinter;

class QtPrinterDevice final : public PrinterDevice {
public:
    // The resolution every card is printed at.
    static constexpr int kPostcardDpi = 600;
    // The paper of every card.
    static QPageSize postcardSize();

    explicit QtPrinterDevice(QPrinter& printer);
    ~QtPrinterDevice() override;
    QtPrinterDevice(const QtPrinterDevice&) = delete;
    QtPrinterDevice& operator=(const QtPrinterDevice&) = delete;

    // True from beginDocument() until the job has been handed over.
    bool printing() const { return painter_.isActive(); }

    void setPostcardPaper() override;
    bool takesPostcards() const override;
    QString printerName() const override;
    int dpiX() const override;
    int dpiY() const override;
    int physicalOffsetX() const override;
    int physicalOffsetY() const override;

    void beginDocument() override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() noexcept override;

    void setDigitFontPixelsPerInch(int pixelsPerInch) override;
    void setDigitFont(const std::string& face, int pointSize) override;
    int digitFontPointSize() const override { return digitPoints_; }
    int textWidth(const std::string& text) override;

    void setVerticalFont(const LogFontRecord& font) override;
    void setBrushClear() override;
    void drawText(int x, int y, const std::string& text) override;

    QString outputFile() const override;
    void setOutputFile(const QString& path) override;

private:
    QPoint physicalOffset() const;

    QPrinter& printer_;
    QPainter painter_;
    QFont digitFont_;
    int digitPixelsPerInch_ = 72;
    int digitPoints_ = 0;
    vertical::FaceRecord verticalFace_;
    bool verticalCurrent_ = false;
};
