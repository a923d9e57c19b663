// SPDX-License-Identifier: MIT
// A printer that records every call, for layout and command tests.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/app_error.h"
#include "print/print_texts.h"
#include "print/printer_device.h"

class RecordingPrinterDevice final : public PrinterDevice {
public:
    struct Draw {
        int x = 0;
        int y = 0;
        std::string text;
        std::optional<LogFontRecord> verticalFont;  // empty for digits
        int digitPoints = 0;
        bool brushClear = false;
    };
    struct Job {
        QString outputFile;
        std::vector<Draw> draws;
        std::vector<std::size_t> pageStarts{0};  // the first draw of each page
        std::vector<int> digitSizesSet;
        int digitPixelsPerInch = 0;
        bool ended = false;
        bool aborted = false;
    };

    int resolutionX = 600;
    int resolutionY = 600;
    int offsetXDots = 0;
    int offsetYDots = 0;
    // Width of "4" in dots at a point size; the default is a little over
    // half an em at 600 dpi, so 19 pt is far too wide and 8 pt fits 38 dots.
    std::function<int(int points)> widthOfFour = [](int points) { return points * 5 - 3; };
    bool noPrinter = false;
    bool postcards = true;
    bool busy = false;
    int failOnDrawNumber = -1;  // throws on that draw of the current job (0-based)
    QString file;

    int paperSets = 0;
    std::vector<Job> jobs;

    void setPostcardPaper() override
    {
        if (busy) {
            throw AppError(QString::fromUtf8(print_texts::PrintingNow));
        }
        if (noPrinter) {
            throw AppError(QString::fromUtf8(print_texts::NoDefaultPrinter));
        }
        ++paperSets;
    }
    bool takesPostcards() const override { return postcards; }
    QString printerName() const override { return QStringLiteral("Recorder"); }
    int dpiX() const override { return resolutionX; }
    int dpiY() const override { return resolutionY; }
    int physicalOffsetX() const override { return offsetXDots; }
    int physicalOffsetY() const override { return offsetYDots; }

    void beginDocument() override
    {
        jobs.push_back({});
        jobs.back().outputFile = file;
        inJob_ = true;
        brushClear_ = false;
        vertical_.reset();
    }
    void newPage() override
    {
        Job& job = current();
        job.pageStarts.push_back(job.draws.size());
        brushClear_ = false;
        vertical_.reset();
    }
    void endDocument() override
    {
        jobs.back().ended = true;
        inJob_ = false;
    }
    void abortDocument() noexcept override
    {
        jobs.back().aborted = true;
        inJob_ = false;
    }

    void setDigitFontPixelsPerInch(int ppi) override { current().digitPixelsPerInch = ppi; }
    void setDigitFont(const std::string& face, int pointSize) override
    {
        digitFace = face;
        digitPoints_ = pointSize;
        vertical_.reset();
        current().digitSizesSet.push_back(pointSize);
    }
    int digitFontPointSize() const override { return digitPoints_; }
    int textWidth(const std::string&) override { return widthOfFour(digitPoints_); }

    void setVerticalFont(const LogFontRecord& font) override { vertical_ = font; }
    void setBrushClear() override { brushClear_ = true; }
    void drawText(int x, int y, const std::string& text) override
    {
        Job& job = current();
        if (static_cast<int>(job.draws.size()) == failOnDrawNumber) {
            throw AppError(QStringLiteral("drawing failed"));
        }
        job.draws.push_back({x, y, text, vertical_, vertical_ ? 0 : digitPoints_, brushClear_});
    }

    QString outputFile() const override { return file; }
    void setOutputFile(const QString& path) override { file = path; }

    std::string digitFace;

private:
    Job& current()
    {
        if (!inJob_) {
            throw AppError(QStringLiteral("drawn outside a job"));
        }
        return jobs.back();
    }

    bool inJob_ = false;
    bool brushClear_ = false;
    std::optional<LogFontRecord> vertical_;
    int digitPoints_ = 0;
};
