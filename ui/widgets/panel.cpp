#include "ui/widgets/panel.h"

#include <QEvent>

namespace vb {
namespace {
const char *const kDock = "vbDock";
}

Panel::Panel(QWidget *parent) : QFrame(parent) {}

void Panel::dock(QWidget *w, Dock how) {
    w->setParent(this);
    w->setProperty(kDock, int(how));
    relayout();
}

void Panel::resizeEvent(QResizeEvent *e) {
    QFrame::resizeEvent(e);
    relayout();
}

bool Panel::event(QEvent *e) {
    // A docked child that changed its own size moves its neighbours.
    if (e->type() == QEvent::LayoutRequest)
        relayout();
    return QFrame::event(e);
}

void Panel::relayout() {
    QRect free = contentsRect();
    const QObjectList kids = children();
    for (int pass : {Top, Bottom, Left, Client}) {
        for (QObject *o : kids) {
            if (!o->isWidgetType())
                continue;
            QWidget *w = static_cast<QWidget *>(o);
            if (w->isHidden() || w->property(kDock).toInt() != pass)
                continue;
            switch (pass) {
            case Top:
                w->setGeometry(free.left(), free.top(), free.width(), w->height());
                free.setTop(free.top() + w->height());
                break;
            case Bottom:
                w->setGeometry(free.left(), free.bottom() + 1 - w->height(), free.width(), w->height());
                free.setBottom(free.bottom() - w->height());
                break;
            case Left:
                w->setGeometry(free.left(), free.top(), w->width(), free.height());
                free.setLeft(free.left() + w->width());
                break;
            case Client:
                w->setGeometry(free);
                break;
            }
        }
    }
}

} // namespace vb
