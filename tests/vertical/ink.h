// SPDX-License-Identifier: MIT
// Helpers for looking at where vertical text puts its ink.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

namespace vertical_test {

// The substitutions the program installs at start-up.
inline QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Bounding box of the pixels for which `isInk` holds; empty when none.
inline QRect inkBox(const QImage& image, const std::function<bool(QColor)>& isInk)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(image.pixelColor(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Anything clearly darker than the white ground.
inline QRect darkInk(const QImage& image)
{
    return inkBox(image, [](QColor c) { return c.lightness() < 160; });
}

}  // namespace vertical_test
