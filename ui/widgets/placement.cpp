#include "ui/widgets/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vb {
namespace {

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
    OnShow(QWidget *w, QSize outer, bool centre) : QObject(w), outer_(outer), centre_(centre) {
        setObjectName(QString::fromLatin1(kPending));
        w->installEventFilter(this);
    }
    bool eventFilter(QObject *obj, QEvent *ev) override {
        if (ev->type() == QEvent::Show) {
            QWidget *w = static_cast<QWidget *>(obj);
            w->removeEventFilter(this);
            setObjectName(QString());
            apply(w, outer_, centre_);
            deleteLater();
        }
        return false;
    }

private:
    QSize outer_;
    bool centre_;
};

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
    if (w->isVisible())
        return;
    // Only the latest placement waits for the show.
    delete w->findChild<QObject *>(QString::fromLatin1(kPending), Qt::FindDirectChildrenOnly);
    new OnShow(w, outer, centre);
}

} // namespace vb
