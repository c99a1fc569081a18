#include "ui/widgets/dialogs.h"

#include "ui/core/apptitle.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
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

bool QtDialogs::saveFileName(const SaveDialogRequest &request, Bytes *path) {
    QFileDialog dialog(parentWindow(), toUnicode(request.title), QString::fromStdString(bytesToFs(request.directory)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(toUnicode(request.filter));
    dialog.setDefaultSuffix(toUnicode(request.defaultSuffix));
    if (!request.fileName.empty())
        dialog.selectFile(QString::fromStdString(bytesToFs(request.fileName)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    *path = fsToBytes(dialog.selectedFiles().first().toStdString());
    return true;
}

void QtDialogs::printerSetup(QPrinter &printer) {
    QPrintDialog dialog(&printer, parentWindow());
    dialog.exec();
}

void QtDialogs::printPreview(QPrinter &printer, const PagePainter &paint) {
    QPrintPreviewDialog dialog(&printer, parentWindow());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter *p) { paint(p); });
    dialog.exec();
}

} // namespace vb
