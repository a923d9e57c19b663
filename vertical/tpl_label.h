// SPDX-License-Identifier: MIT
// A label that can write its caption as one vertical column. With Vertical
// false it is an ordinary QLabel.
#pragma once

#include <QLabel>
#include <QPoint>
#include <QString>

#include "vertical/vertical_text.h"

namespace vertical {

struct Placement {
    QPoint ref;
    int flags = AlignLeft | AlignTop;
};

// Where a column of `extent` goes inside a rectangle of width × height, by
// the label's horizontal alignment (left, centre, right: the column touches
// the left edge, is centred, touches the right edge) and its vertical
// alignment (top, centre, bottom: the text starts at the top, is centred,
// ends at the bottom). Divisions truncate toward zero, so a centred text
// longer than the rectangle starts above it.
Placement placeColumn(Qt::Alignment alignment, int width, int height, Extent extent);

// The face record a label's font writes with: "@" and the family, at the
// font's pixel size. A family that already starts with "@" (the print
// preview is given such names) keeps one "@": any number of them select the
// vertical forms once, so "@ＭＳ 明朝" shows as "ＭＳ 明朝" does.
FaceRecord faceForLabelFont(const QFont& font);

}  // namespace vertical

class TplLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool Vertical READ vertical WRITE setVertical)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit TplLabel(QWidget* parent = nullptr);

    bool vertical() const { return vertical_; }
    // Repaints only when the value changes.
    void setVertical(bool vertical);

    // Fits the label to its caption at each paint: a line's width and height,
    // swapped in vertical mode.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintVertical();
    void fitToCaption(QSize size);

    bool vertical_ = false;
    bool autoSize_ = false;
};
