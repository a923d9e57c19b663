// SPDX-License-Identifier: MIT
// The few printer operations a postcard needs, so that the layout can be
// tested against a recording fake and printed for real on a QPrinter.
#pragma once

#include <QString>

#include <cstddef>
#include <string>

#include "vertical/vertical_text.h"

// The logical-font record of a vertical font, field by field as Windows
// builds it. Only the fields the renderer understands take effect.
struct LogFontRecord {
    int lfHeight = 0;  // negative: character height in dots
    int lfWidth = 0;
    int lfEscapement = 0;  // tenths of a degree
    int lfOrientation = 0;
    int lfWeight = 400;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    int lfCharSet = 1;  // DEFAULT_CHARSET
    int lfOutPrecision = 0;
    int lfClipPrecision = 0;
    int lfQuality = 0;
    int lfPitchAndFamily = 0;
    std::string lfFaceName;  // code page 932 bytes, at most vertical::kFaceNameBytes
};

// What the renderer takes from a record: the face, the character height, the
// escapement and the weight.
vertical::FaceRecord ToFaceRecord(const LogFontRecord& font);

class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    // Takes the current printer and sets its paper to 100 x 148 mm. Throws
    // AppError when there is no printer or when a job is still being handed over.
    virtual void setPostcardPaper() = 0;
    // After setPostcardPaper(): whether the printer offers 100 x 148 mm paper
    // (or custom sizes that hold it); a PDF file always does.
    virtual bool takesPostcards() const = 0;
    // The printer's name as the system lists it.
    virtual QString printerName() const = 0;

    // Resolution in dots per inch, and the printable area's distance from the
    // paper's corner in dots; valid after setPostcardPaper().
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
    virtual int physicalOffsetX() const = 0;
    virtual int physicalOffsetY() const = 0;

    // One job; its first page begins with it. abortDocument() ends a job that
    // failed half-way.
    virtual void beginDocument() = 0;
    // Ends the current page of a job and begins the next (a PDF file takes
    // all the cards of one print). Throws AppError on failure.
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    virtual void abortDocument() noexcept = 0;

    // The upright digit font: sizes in points at the given pixels per inch.
    virtual void setDigitFontPixelsPerInch(int pixelsPerInch) = 0;
    virtual void setDigitFont(const std::string& face, int pointSize) = 0;
    virtual int digitFontPointSize() const = 0;
    virtual int textWidth(const std::string& text) = 0;

    // Makes a vertical font current; later texts are drawn as columns.
    virtual void setVerticalFont(const LogFontRecord& font) = 0;

    // From here on texts are drawn without a background box.
    virtual void setBrushClear() = 0;

    // With the digit font, (x, y) is the top-left corner of the character
    // cell; with a vertical font it is the column's top-right corner.
    virtual void drawText(int x, int y, const std::string& text) = 0;

    // The file that jobs are written to, or empty when they go to a printer.
    virtual QString outputFile() const = 0;
    virtual void setOutputFile(const QString& path) = 0;
};
