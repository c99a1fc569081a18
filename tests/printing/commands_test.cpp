// The printing commands with scripted dialogs: the question, the printer kept
// from the printer-setup dialog, the PDF offered when there is no printer,
// Export PDF, and the real print preview.

#include "printing/print_commands.h"
#include "printing/print_preview.h"
#include "tests/common/fault_injection.h"
#include "tests/common/pdf_tools.h"
#include "tests/common/scripted_dialogs.h"
#include "tests/common/testfiles.h"
#include "tests/printing/pdf_fixture.h"
#include "platform/errors.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPrinter>
#include <QTimer>
#include <sys/stat.h>

using namespace vbtest;
using vb::Bytes;

namespace {

std::vector<std::string> kinds(const vb::ScriptedDialogs &d) {
    std::vector<std::string> out;
    for (const auto &r : d.log)
        out.push_back(r.kind + ":" + r.text);
    return out;
}

const std::string kQuestion = "question:Now Viewing Message Print OK?";

class CommandsTest : public PdfTest {
protected:
    void SetUp() override {
        PdfTest::SetUp();
        dialogs = vb::installScriptedDialogs();
        // No printer: the state of a machine without one.
        QPrinter &p = vb::runPrinter();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString());
        p.setPageLayout(a4());
    }
    void TearDown() override {
        vb::runPrinter().setOutputFileName(QString());
        vb::installScriptedDialogs();
    }
    Bytes msgDir() const { return vb::fsToBytes(dir.path()); }

    vb::ScriptedDialogs *dialogs = nullptr;
};

} // namespace

TEST_F(CommandsTest, CancelAtTheQuestionPrintsNothing) {
    const std::string out = dir.file("printer.pdf");
    vb::runPrinter().setOutputFileName(QString::fromStdString(out));
    dialogs->answers = {false};
    EXPECT_FALSE(vb::runPrint(japanese(3), msgDir()));
    EXPECT_EQ(kinds(*dialogs), std::vector<std::string>{kQuestion});
    EXPECT_FALSE(exists(out));
}

TEST_F(CommandsTest, WithoutAPrinterPrintOffersAPdfFile) {
    struct Case {
        const char *answer; // the save dialog's: a file name, or "" for Cancel
        bool printed;
    } const table[] = {{"saved.pdf", true}, {"", false}};
    for (const Case &c : table) {
        SCOPED_TRACE(c.answer);
        dialogs->log.clear();
        dialogs->saveRequests.clear();
        const std::string path = dir.file(c.answer);
        dialogs->saveAnswers = {*c.answer ? vb::fsToBytes(path) : Bytes()};
        EXPECT_EQ(vb::runPrint(japanese(100), msgDir()), c.printed);
        EXPECT_EQ(kinds(*dialogs), (std::vector<std::string>{kQuestion, "save:No Printer : Save As PDF File"}));
        ASSERT_EQ(dialogs->saveRequests.size(), 1u);
        const vb::SaveRequest &r = dialogs->saveRequests[0];
        EXPECT_EQ(r.directory, msgDir());
        EXPECT_EQ(r.proposedName, "KVX00001.pdf");
        EXPECT_EQ(r.defaultSuffix, "pdf");
        EXPECT_NE(r.filters.find("*.pdf"), Bytes::npos);
        EXPECT_EQ(pdfInfo(path).pages, c.printed ? 2 : 0);
    }
    EXPECT_FALSE(exists(dir.file("KVX00001.pdf")));
}

TEST_F(CommandsTest, ThePrinterChosenInSetupServesLaterJobs) {
    const std::string out = dir.file("chosen.pdf");
    dialogs->onPrinterSetup = [&](QPrinter &p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(out));
        p.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF()));
    };
    vb::runPrinterSetup();
    EXPECT_TRUE(vb::runPrint(japanese(3), msgDir()));
    EXPECT_EQ(pdfInfo(out).pages, 1);
    EXPECT_TRUE(vb::runPrint(japanese(100), msgDir()));
    const PdfInfo info = pdfInfo(out);
    EXPECT_EQ(info.pages, 4); // landscape A5: 30 lines a page
    EXPECT_EQ(info.pageSize, "595 x 420 pts (A5)");
    EXPECT_EQ(kinds(*dialogs), (std::vector<std::string>{"printerSetup:", kQuestion, kQuestion}));
}

TEST_F(CommandsTest, ExportPdfWritesTheFileWithoutAQuestion) {
    const std::string path = dir.file("export.pdf");
    dialogs->saveAnswers = {vb::fsToBytes(path), ""};
    EXPECT_TRUE(vb::runExportPdf(japanese(100), msgDir()));
    EXPECT_EQ(pdfInfo(path).pages, 2);
    EXPECT_FALSE(vb::runExportPdf(japanese(3), msgDir())); // Cancel
    EXPECT_EQ(pdfInfo(path).pages, 2);
    EXPECT_EQ(kinds(*dialogs), (std::vector<std::string>{"save:Export PDF", "save:Export PDF"}));
    EXPECT_EQ(dialogs->saveRequests[0].proposedName, "KVX00001.pdf");
}

TEST_F(CommandsTest, TheProposedPdfNameIsTheMessagesFileName) {
    const std::pair<Bytes, Bytes> table[] = {
        {"KVX00001.TXT", "KVX00001.pdf"},
        {"/logs/a/Note.DOC", "Note.pdf"},
        {"New", "New.pdf"},
        {"a.b.c", "a.b.pdf"},
        {".hidden", ".hidden.pdf"},
        {"", ""},
    };
    for (const auto &[file, pdf] : table)
        EXPECT_EQ(vb::proposedPdfName(file), pdf) << file;
}

TEST_F(CommandsTest, ThePreviewShowsThePagesOfThePrint) {
    struct Case {
        int lines, pages;
    } const table[] = {{3, 1}, {100, 2}, {130, 3}};
    vb::setDialogs(std::make_unique<vb::QtDialogs>());
    for (const Case &c : table) {
        QString shown;
        QTimer::singleShot(0, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<vb::PrintPreview *>(w); dialog && dialog->isVisible()) {
                    if (auto *number = dialog->findChild<QLineEdit *>("PreviewPageNumber"))
                        shown = number->text();
                    dialog->reject();
                }
            }
        });
        vb::runPrintPreview(japanese(c.lines), msgDir());
        EXPECT_EQ(shown.toStdString(), "1 / " + std::to_string(c.pages)) << c.lines << " lines";
    }
}

TEST_F(CommandsTest, ACancelledJobWritesNothing) {
    // Cancelled while the lines are measured, and while pages are drawn.
    const std::string path = dir.file("export.pdf");
    for (const bool existing : {false, true}) {
        for (const int step : {1, 3}) {
            SCOPED_TRACE(std::to_string(step) + (existing ? " over a file" : ""));
            if (existing)
                putFile(path, "old");
            dialogs->saveAnswers = {vb::fsToBytes(path)};
            dialogs->progressSteps = 0;
            dialogs->cancelAtStep = step;
            EXPECT_FALSE(vb::runExportPdf(japanese(130), msgDir()));
            EXPECT_EQ(dialogs->progressSteps, step);
            EXPECT_EQ(listing(dir.path()),
                      existing ? std::vector<std::string>{"export.pdf"} : std::vector<std::string>{});
            if (existing) {
                EXPECT_EQ(getFile(path), "old");
            }
        }
    }
    EXPECT_EQ(dialogs->progressLabels.back(), "Export PDF");
    EXPECT_TRUE(dialogs->errors().empty());
}

TEST_F(CommandsTest, AFailingWriteLeavesTheOldFileAndSaysWhy) {
    // Every call of the file layer made by the export fails in turn: the
    // export either fails with the system's reason, the old file kept and no
    // other file left, or writes a whole PDF.
    const std::string path = dir.file("out.pdf");
    FaultInjector faults;
    faults.arm(0, 0);
    putFile(path, "old");
    ASSERT_TRUE(vb::writePdf(japanese(100), a4(), vb::fsToBytes(path)));
    const size_t calls = faults.calls().size();
    ASSERT_GE(calls, 5u);
    int failures = 0;
    for (size_t k = 1; k <= calls; ++k) {
        const std::string call = faults.calls()[k - 1];
        SCOPED_TRACE("call " + std::to_string(k) + " " + call);
        putFile(path, "old");
        faults.arm(int(k), ENOSPC);
        try {
            vb::writePdf(japanese(100), a4(), vb::fsToBytes(path));
            faults.disarm();
            EXPECT_EQ(pdfInfo(path).pages, 2);
        } catch (const vb::RuntimeError &e) {
            faults.disarm();
            ++failures;
            EXPECT_EQ(e.text(), vb::cp("ファイル ") + vb::fsToBytes(path) + vb::cp(" を作成できません") +
                                    " (No space left on device)");
            EXPECT_EQ(getFile(path), "old");
        }
        EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"out.pdf"});
    }
    EXPECT_GE(failures, 4); // the temporary file, a write, its sync, its close, the rename
}

TEST_F(CommandsTest, ExportPdfAsksBeforeReplacingAFile) {
    // The real save dialog: the name of an existing file is accepted, the
    // dialog asks, and the answer decides.
    vb::setDialogs(std::make_unique<vb::QtDialogs>());
    const std::string path = dir.file("old.pdf");
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "replace" : "keep");
        putFile(path, "old");
        QString asked;
        // The steps go on until the round ends, and not after: their state
        // goes with it.
        QObject round;
        std::function<void()> step = [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (dialog && asked.isEmpty()) {
                // As the user does, once the dialog is up: the name typed
                // over the proposed one, then the dialog's Save button.
                auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
                if (!name || !buttons) {
                    ADD_FAILURE() << "the save dialog has no name field or buttons";
                    dialog->reject();
                    return;
                }
                if (dialog->isVisible()) {
                    name->setText(QString::fromStdString(path));
                    // Clicked from the event loop: the question it leads to
                    // runs a loop of its own, in which this step goes on.
                    QMetaObject::invokeMethod(buttons->button(QDialogButtonBox::Save), "click",
                                              Qt::QueuedConnection);
                }
            } else if (box) {
                asked = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            } else if (dialog) {
                dialog->reject(); // the question was declined: the user gives up
                return;
            }
            QTimer::singleShot(10, &round, step);
        };
        QTimer::singleShot(10, &round, step);
        EXPECT_EQ(vb::runExportPdf(japanese(3), msgDir()), replace);
        EXPECT_TRUE(asked.contains(QStringLiteral("old.pdf"))) << asked.toStdString();
        if (replace) {
            EXPECT_EQ(pdfInfo(path).pages, 1);
        } else {
            EXPECT_EQ(getFile(path), "old");
        }
        EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"old.pdf"});
    }
}
