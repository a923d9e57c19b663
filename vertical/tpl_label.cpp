// SPDX-License-Identifier: MIT
#include "vertical/tpl_label.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include "text/cp932.h"

namespace vertical {

Placement placeColumn(Qt::Alignment alignment, int width, int height, Extent extent)
{
    Placement placement;
    if (alignment & Qt::AlignHCenter) {
        placement.ref.setX((extent.across + width) / 2);
    } else if (alignment & Qt::AlignRight) {
        placement.ref.setX(width);
    } else {
        placement.flags |= AlignBottom;
    }
    if (alignment & Qt::AlignVCenter) {
        placement.ref.setY((height - extent.along) / 2);
    } else if (alignment & Qt::AlignBottom) {
        placement.ref.setY(height);
        placement.flags |= AlignRight;
    }
    return placement;
}

FaceRecord faceForLabelFont(const QFont& font)
{
    QString family = font.family();
    while (family.startsWith(QLatin1Char('@'))) {
        family.remove(0, 1);
    }
    FaceRecord face;
    face.face = cp932::fromUnicodeLossy(QLatin1Char('@') + family);
    face.height = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    face.escapement = -900;
    face.weight = font.weight();
    return face;
}

}  // namespace vertical

TplLabel::TplLabel(QWidget* parent) : QLabel(parent) {}

void TplLabel::setVertical(bool vertical)
{
    if (vertical == vertical_) {
        return;
    }
    vertical_ = vertical;
    update();
}

void TplLabel::setAutoSize(bool autoSize)
{
    if (autoSize == autoSize_) {
        return;
    }
    autoSize_ = autoSize;
    update();
}

void TplLabel::fitToCaption(QSize size)
{
    if (autoSize_ && size != this->size()) {
        resize(size);
    }
}

void TplLabel::paintEvent(QPaintEvent* event)
{
    if (!vertical_) {
        if (autoSize_) {
            const QFontMetrics metrics(font());
            fitToCaption(QSize(metrics.horizontalAdvance(text()), metrics.height()));
        }
        QLabel::paintEvent(event);
        return;
    }
    paintVertical();
}

// The background, when the label is not transparent, is filled by Qt itself
// (autoFillBackground) before this runs. Word wrap, accelerators and
// right-to-left are ignored: one column, an "&" drawn as it stands.
void TplLabel::paintVertical()
{
    const vertical::FaceRecord face = vertical::faceForLabelFont(font());
    const QString caption = text();
    const vertical::Extent extent = vertical::measure(face, caption);
    fitToCaption(QSize(extent.across, extent.along));
    const vertical::Placement placement =
        vertical::placeColumn(alignment(), width(), height(), extent);

    QPainter painter(this);
    QColor color = palette().color(foregroundRole());
    if (!isEnabled()) {
        vertical::draw(painter, face, placement.ref + QPoint(1, 1), placement.flags, caption,
                       palette().color(QPalette::Light));
        color = palette().color(QPalette::Dark);
    }
    vertical::draw(painter, face, placement.ref, placement.flags, caption, color);
}
