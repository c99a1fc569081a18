#include "ui/widgets/controls.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QMenu>

namespace vb {

void setCaption(QLabel *label, const Bytes &text) { label->setText(toUnicode(text)); }

Bytes caption(const QLabel *label) { return fromUnicode(label->text()); }

ComboList::ComboList(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
}

void ComboList::addLine(const Bytes &line) { addItem(toUnicode(line)); }

Bytes ComboList::line(int i) const { return fromUnicode(itemText(i)); }

namespace {
QString displayCaption(const Bytes &caption) {
    QString s = toUnicode(caption);
    s.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return s;
}
} // namespace

MenuEntry::MenuEntry(const Bytes &caption, QObject *parent) : QAction(parent) { setCaption(caption); }

void MenuEntry::setCaption(const Bytes &caption) {
    caption_ = caption;
    setText(displayCaption(caption));
}

FlatButton::FlatButton(const Bytes &caption, QWidget *parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
    setCaption(caption);
}

void FlatButton::setCaption(const Bytes &caption) {
    caption_ = caption;
    setText(displayCaption(caption));
}

void setDialogFrame(QWidget *window, const QString &caption) {
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

QLabel *makeHeading(QWidget *parent, const QString &text, int x, int y) {
    auto *heading = new QLabel(text, parent);
    QFont f = heading->font();
    f.setBold(true);
    f.setPixelSize(16);
    heading->setFont(f);
    heading->move(x, y);
    return heading;
}

} // namespace vb
