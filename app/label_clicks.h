// SPDX-License-Identifier: MIT
// Gives a label a click, and for the hint lines the blue-under-the-pointer look.
#pragma once

#include <QObject>

#include <functional>

class QColor;
class QLabel;

class LabelClicks final : public QObject {
public:
    enum class Hover { None, BlueUnderPointer };

    // Lives as long as the label; `onClick` runs on a left click released over it.
    LabelClicks(QLabel* label, Hover hover, std::function<void()> onClick);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setColor(const QColor& color);

    QLabel* label_;
    Hover hover_;
    std::function<void()> onClick_;
};
