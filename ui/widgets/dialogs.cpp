#include "ui/widgets/dialogs.h"

#include "platform/apptitle.h"
#include "ui/widgets/fontdialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>

namespace vb {
namespace {

std::unique_ptr<Dialogs> &current() {
    static std::unique_ptr<Dialogs> d = std::make_unique<QtDialogs>();
    return d;
}

QWidget *parentWindow() { return QApplication::activeWindow(); }

// Steps of the progress bar.
constexpr int kProgressSteps = 1000;
// The box appears once a job has run this long.
constexpr int kProgressShowMs = 500;
// While it shows, waiting events are handled at least this often.
constexpr int kProgressEventsMs = 40;

class QtProgress : public Progress {
public:
    explicit QtProgress(const Bytes &label)
        : dialog_(toUnicode(label), QString::fromUtf8("キャンセル"), 0, kProgressSteps, parentWindow()) {
        dialog_.setWindowTitle(toUnicode(appTitle()));
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
        dialog_.setMinimumDuration(kProgressShowMs);
        dialog_.setAccessibleName(toUnicode(label));
        dialog_.setValue(0);
        started_.start();
        events_.start();
    }
    bool advance(size_t done, size_t total) override {
        const int value = total ? int(double(done) / double(total) * kProgressSteps) : 0;
        if (value > dialog_.value() && value < kProgressSteps)
            dialog_.setValue(value);
        // The box may judge the rest too short to show itself; after half a
        // second it shows all the same.
        if (!dialog_.isVisible() && started_.elapsed() >= kProgressShowMs)
            dialog_.show();
        if (dialog_.isVisible() && events_.elapsed() >= kProgressEventsMs) {
            QCoreApplication::processEvents();
            events_.restart();
        }
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
    QElapsedTimer started_, events_;
};

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

namespace {

bool askOkCancel(const Bytes &text, bool okByDefault) {
    QMessageBox box(QMessageBox::NoIcon, toUnicode(appTitle()), toUnicode(text), QMessageBox::NoButton, parentWindow());
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QString::fromUtf8("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(okByDefault ? ok : cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

} // namespace

bool QtDialogs::question(const Bytes &text) { return askOkCancel(text, true); }

bool QtDialogs::cautiousQuestion(const Bytes &text) { return askOkCancel(text, false); }

int QtDialogs::choose(const Bytes &text, const std::vector<Bytes> &captions, int defaultIndex, int escapeIndex) {
    QMessageBox box(QMessageBox::NoIcon, toUnicode(appTitle()), toUnicode(text), QMessageBox::NoButton, parentWindow());
    std::vector<QPushButton *> buttons;
    for (const Bytes &caption : captions) {
        // "&" in a caption marks the letter that presses it with Alt.
        buttons.push_back(box.addButton(toUnicode(caption), QMessageBox::ActionRole));
        QString plain = toUnicode(caption);
        buttons.back()->setAccessibleName(plain.remove(QLatin1Char('&')));
    }
    box.setDefaultButton(buttons.at(size_t(defaultIndex)));
    box.setEscapeButton(buttons.at(size_t(escapeIndex)));
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return int(i);
    return escapeIndex;
}

void QtDialogs::error(const Bytes &text) {
    QMessageBox box(QMessageBox::Critical, toUnicode(appTitle()), toUnicode(text), QMessageBox::Ok, parentWindow());
    box.exec();
}

bool QtDialogs::askText(const Bytes &prompt, Bytes &text) {
    QInputDialog box(parentWindow());
    box.setWindowTitle(toUnicode(appTitle()));
    box.setLabelText(toUnicode(prompt));
    box.setTextValue(toUnicode(text));
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QString::fromUtf8("キャンセル"));
    if (auto *edit = box.findChild<QLineEdit *>())
        edit->setAccessibleName(toUnicode(prompt));
    if (box.exec() != QDialog::Accepted)
        return false;
    text = fromUnicode(box.textValue());
    return true;
}

bool QtDialogs::saveFileName(const SaveRequest &request, Bytes &chosen) {
    // "caption|pattern|caption|pattern" becomes Qt's "caption (pattern)" list.
    QStringList filters;
    const QStringList parts = toUnicode(request.filters).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QLatin1Char(')');
    // Paths cross to the file system's own spelling of their names.
    QFileDialog dialog(parentWindow(), toUnicode(request.title),
                       QFile::decodeName(QByteArray::fromStdString(bytesToFs(request.directory))));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(toUnicode(request.defaultSuffix));
    if (!request.proposedName.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(bytesToFs(request.proposedName))));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    chosen = fsToBytes(QFile::encodeName(dialog.selectedFiles().front()).toStdString());
    return true;
}

bool QtDialogs::chooseFont(Bytes &face, int &size, bool fixedPitchOnly) {
    FontDialog dialog(toUnicode(face), size, fixedPitchOnly, parentWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    face = fromUnicode(dialog.face());
    size = dialog.size();
    return true;
}

void QtDialogs::printerSetup(QPrinter &printer) {
    QPrintDialog dialog(&printer, parentWindow());
    dialog.exec();
}

std::unique_ptr<Progress> QtDialogs::progress(const Bytes &label) { return std::make_unique<QtProgress>(label); }

void QtDialogs::printPreview(QDialog &preview) { preview.exec(); }

} // namespace vb
