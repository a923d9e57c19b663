// The about box, the web commands of the last menu, the hint lines and the
// lottery-number check.
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "app/frm_main.h"
#include "app/web_links.h"
#include "platform/dialogs.h"
#include "ui_frmMain.h"

namespace {

// Gives a label a click, and for hint lines the blue-under-the-pointer look.
class LabelClicks final : public QObject {
public:
    LabelClicks(QLabel* label, bool hover, std::function<void()> onClick)
        : QObject(label), label_(label), hover_(hover), onClick_(std::move(onClick))
    {
        label->installEventFilter(this);
        label->setMouseTracking(hover);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != label_) {
            return false;
        }
        switch (event->type()) {
            case QEvent::MouseButtonRelease:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                    label_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
                    onClick_();
                }
                break;
            case QEvent::MouseMove:
                if (hover_) {
                    setColor(Qt::blue);
                }
                break;
            case QEvent::Leave:
                if (hover_) {
                    setColor(Qt::black);
                }
                break;
            default:
                break;
        }
        return false;
    }

private:
    void setColor(const QColor& color)
    {
        QPalette p = label_->palette();
        if (p.color(QPalette::WindowText) != color) {
            p.setColor(QPalette::WindowText, color);
            label_->setPalette(p);
        }
    }

    QLabel* label_;
    bool hover_;
    std::function<void()> onClick_;
};

}  // namespace

void frmMain::lblnengaClick()
{
    OpenLotteryCheck(ui_->lblnenga->text(), appVersion_, *services_.clock, *services_.urls);
}

void frmMain::connectLinks()
{
    auto page = [this](WebPage p) {
        return [this, p] { OpenWebPage(p, appVersion_, *services_.urls); };
    };
    on(ui_->N14, &QAction::triggered,
       [this] { services_.dialogs->notify(AboutText(appVersion_)); });
    on(ui_->N23, &QAction::triggered, page(WebPage::Home));
    on(ui_->N19, &QAction::triggered, page(WebPage::Update));
    on(ui_->N20, &QAction::triggered, page(WebPage::MaterialSite));

    auto guardedClick = [this](std::function<void()> f) {
        return [this, f = std::move(f)] { guarded(f); };
    };
    new LabelClicks(ui_->Label21, true, guardedClick(page(WebPage::LotteryFeature)));
    new LabelClicks(ui_->Label22, true, guardedClick(page(WebPage::MaterialSite)));
    new LabelClicks(ui_->Label23, true, guardedClick(page(WebPage::ComposingSite)));
    new LabelClicks(ui_->Label17, true, guardedClick(page(WebPage::LinkPage)));
    new LabelClicks(ui_->lblnenga, false, guardedClick([this] { lblnengaClick(); }));
}
