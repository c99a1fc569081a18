#include "ui/widgets/dialogs.h"

#include "ui/core/apptitle.h"
#include "ui/widgets/fontdialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace vb {
namespace {

std::unique_ptr<Dialogs> &current() {
    static std::unique_ptr<Dialogs> d = std::make_unique<QtDialogs>();
    return d;
}

QWidget *parentWindow() { return QApplication::activeWindow(); }

} // namespace

Dialogs &dialogs() { return *current(); }

std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> d) {
    std::swap(current(), d);
    return d;
}

void QtDialogs::message(const Bytes &text) {
    QMessageBox box(QMessageBox::NoIcon, toUnicode(appTitle()), toUnicode(text), QMessageBox::Ok, parentWindow());
    box.exec();
}

bool QtDialogs::question(const Bytes &text) {
    QMessageBox box(QMessageBox::NoIcon, toUnicode(appTitle()), toUnicode(text), QMessageBox::NoButton, parentWindow());
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QString::fromUtf8("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

void QtDialogs::error(const Bytes &text) {
    QMessageBox box(QMessageBox::Critical, toUnicode(appTitle()), toUnicode(text), QMessageBox::Ok, parentWindow());
    box.exec();
}

bool QtDialogs::chooseFont(Bytes &face, int &size, bool fixedPitchOnly) {
    FontDialog dialog(toUnicode(face), size, fixedPitchOnly, parentWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    face = fromUnicode(dialog.face());
    size = dialog.size();
    return true;
}

} // namespace vb
