#include "ui/widgets/hints.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QVariant>
#include <QWidget>

namespace vb {

void setHint(QWidget *w, const char *utf8) {
    w->setToolTip(QString::fromUtf8(utf8));
    // Screen readers read the hint as the control's description.
    w->setAccessibleDescription(w->toolTip());
}

namespace {

const char *const kHintProperty = "vbHintsShown";

class HintSwitch : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *obj, QEvent *ev) override {
        if (ev->type() == QEvent::ToolTip && obj->isWidgetType()) {
            if (!hintAllowed(static_cast<QWidget *>(obj)))
                return true;
        }
        return false;
    }
};

} // namespace

void installHintSwitch() {
    static HintSwitch *filter = nullptr;
    if (!filter && qApp) {
        filter = new HintSwitch(qApp);
        qApp->installEventFilter(filter);
    }
}

void setHintsShown(QWidget *window, bool shown) { window->setProperty(kHintProperty, shown); }

bool hintAllowed(const QWidget *w) {
    const QWidget *window = w->window();
    while (qobject_cast<const QMenu *>(window) && window->parentWidget())
        window = window->parentWidget()->window();
    return hintsShown(window);
}

bool hintsShown(const QWidget *window) {
    const QVariant v = window->property(kHintProperty);
    return !v.isValid() || v.toBool();
}

} // namespace vb
