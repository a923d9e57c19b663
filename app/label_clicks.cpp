// SPDX-License-Identifier: MIT
#include "app/label_clicks.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

LabelClicks::LabelClicks(QLabel* label, Hover hover, std::function<void()> onClick)
    : QObject(label), label_(label), hover_(hover), onClick_(std::move(onClick))
{
    label->installEventFilter(this);
    label->setMouseTracking(hover == Hover::BlueUnderPointer);
}

bool LabelClicks::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != label_) {
        return false;
    }
    const bool hovers = hover_ == Hover::BlueUnderPointer;
    switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                label_->rect().contains(mouse->position().toPoint())) {
                onClick_();
            }
            break;
        }
        case QEvent::MouseMove:
            if (hovers) {
                setColor(Qt::blue);
            }
            break;
        case QEvent::Leave:
            if (hovers) {
                setColor(Qt::black);
            }
            break;
        default:
            break;
    }
    return false;
}

void LabelClicks::setColor(const QColor& color)
{
    QPalette p = label_->palette();
    if (p.color(QPalette::WindowText) != color) {
        p.setColor(QPalette::WindowText, color);
        label_->setPalette(p);
    }
}
