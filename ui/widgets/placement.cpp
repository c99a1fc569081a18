#include "ui/widgets/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vb {
namespace {

// Shrinks the window to its screen's available area and moves it inside.
void fit(QWidget *w) {
    const QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize extra = w->frameGeometry().size() - w->geometry().size();
    const QSize client = w->size().boundedTo(area.size() - extra).expandedTo(QSize(1, 1));
    if (client != w->size())
        w->resize(client);
    const QSize outer = client + extra;
    const QPoint at = w->frameGeometry().topLeft();
    w->move(std::clamp(at.x(), area.x(), std::max(area.x(), area.x() + area.width() - outer.width())),
            std::clamp(at.y(), area.y(), std::max(area.y(), area.y() + area.height() - outer.height())));
}

void apply(QWidget *w, QSize outer, bool centre) {
    if (outer.isValid()) {
        const QSize extra = w->frameGeometry().size() - w->geometry().size();
        w->resize(std::max(outer.width() - extra.width(), 1), std::max(outer.height() - extra.height(), 1));
    }
    if (centre)
        centreOnScreen(w);
}

const char *const kPending = "vbPendingPlacement";

// Applies the placement once more when the window is first shown.
class OnShow : public QObject {
public:
    OnShow(QWidget *w, QSize outer, bool centre, bool fitted)
        : QObject(w), outer_(outer), centre_(centre), fitted_(fitted) {
        setObjectName(QString::fromLatin1(kPending));
        w->installEventFilter(this);
    }
    bool eventFilter(QObject *obj, QEvent *ev) override {
        if (ev->type() == QEvent::Show) {
            QWidget *w = static_cast<QWidget *>(obj);
            w->removeEventFilter(this);
            setObjectName(QString());
            apply(w, outer_, centre_);
            if (fitted_)
                fit(w);
            deleteLater();
        }
        return false;
    }

private:
    QSize outer_;
    bool centre_;
    bool fitted_;
};

// Only the latest placement waits for the show.
void placeOnShow(QWidget *w, QSize outer, bool centre, bool fitted) {
    if (w->isVisible())
        return;
    delete w->findChild<QObject *>(QString::fromLatin1(kPending), Qt::FindDirectChildrenOnly);
    new OnShow(w, outer, centre, fitted);
}

} // namespace

void centreOnScreen(QWidget *w) {
    const QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = w->frameGeometry().size();
    w->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void placeOuter(QWidget *w, QSize outer, bool centre) {
    apply(w, outer, centre);
    placeOnShow(w, outer, centre, false);
}

void placePanelWindow(QWidget *window, QWidget *panel) {
    panel->move(0, 0);
    window->setFixedSize(panel->size());
    placeOuter(window, QSize(), true);
}

void fitToScreen(QWidget *w) {
    fit(w);
    placeOnShow(w, QSize(), false, true);
}

} // namespace vb
