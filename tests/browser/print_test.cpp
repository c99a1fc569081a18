// Printing from the browser: the Print button and the File menu's printing
// entries, found over the accessibility interfaces, on real message files.

#include "printing/print_commands.h"
#include "tests/browser/browser_fixture.h"
#include "tests/common/fault_injection.h"
#include "tests/common/pdf_tools.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/fonts.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QTest>
#include <cstdio>
#include <set>

using namespace vbtest;
using vb::Bytes;

namespace {

struct Accessible {
    QAccessible::Role role;
    std::string name, description;
    QAccessibleInterface *iface;
};

void collect(QAccessibleInterface *iface, std::vector<Accessible> &out) {
    if (!iface)
        return;
    out.push_back({iface->role(), iface->text(QAccessible::Name).toStdString(),
                   iface->text(QAccessible::Description).toStdString(), iface});
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), out);
}

std::vector<Accessible> accessibleTree(QObject *root) {
    std::vector<Accessible> out;
    collect(QAccessible::queryAccessibleInterface(root), out);
    return out;
}

const Accessible *findAccessible(const std::vector<Accessible> &all, QAccessible::Role role, const std::string &name) {
    for (const Accessible &a : all)
        if (a.role == role && a.name == name)
            return &a;
    return nullptr;
}

// The answer points into the list: keep the list while it is used.
const Accessible *findAccessible(std::vector<Accessible> &&, QAccessible::Role, const std::string &) = delete;

std::vector<std::string> kinds(const vb::ScriptedDialogs &d) {
    std::vector<std::string> out;
    for (const auto &r : d.log)
        out.push_back(r.kind + ":" + r.text);
    return out;
}

std::string words(const std::string &pdf) { return pageText(pdfWords(pdf), 1); }

class PrintTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        vb::installFontSubstitutes();
        QPrinter &p = vb::runPrinter(); // no printer installed
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString());
    }
    void logCategory() {
        category("Log Mode");
        message("KVX00001.TXT", logMessage("00001", vb::cp("日本語の題名"), vb::cp("山田"), "", "",
                                           "First body line\r\nSecond body line\r\n"));
        browser->DefaultRead();
    }
};

} // namespace

TEST_F(PrintTest, ThePrintButtonAndMenuEntriesAreFoundByRoleAndCaption) {
    const auto window = accessibleTree(browser.get());
    const Accessible *button = findAccessible(window, QAccessible::Button, "Print");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->description, "印刷");

    std::vector<std::string> file;
    for (const Accessible &a : accessibleTree(ui().MM_File))
        if (a.role == QAccessible::MenuItem)
            file.push_back(a.name);
    const std::vector<std::string> printing = {"PrinterSetup", "Print", "Print Preview", "Export PDF"};
    auto at = std::search(file.begin(), file.end(), printing.begin(), printing.end());
    EXPECT_NE(at, file.end()) << "File menu: " << ::testing::PrintToString(file);
}

TEST_F(PrintTest, PrintWithoutAPrinterSavesTheMessageOnViewAsPdf) {
    logCategory();
    const std::string pdf = msgDir() + "KVX00001.pdf";
    dialogs->saveAnswers = {vb::fsToBytes(pdf)};
    const std::vector<Accessible> tree = accessibleTree(browser.get());
    const Accessible *button = findAccessible(tree, QAccessible::Button, "Print");
    ASSERT_NE(button, nullptr);
    button->iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    EXPECT_EQ(kinds(*dialogs), (std::vector<std::string>{"question:Now Viewing Message Print OK?",
                                                         "save:No Printer : Save As PDF File"}));
    ASSERT_EQ(dialogs->saveRequests.size(), 1u);
    EXPECT_EQ(dialogs->saveRequests[0].directory, vb::fsToBytes(msgDir()));
    EXPECT_EQ(dialogs->saveRequests[0].proposedName, "KVX00001.pdf");
    const std::string text = words(pdf);
    for (const std::string &expected :
         {std::string("Velbrook v0.2 Title : 00001 日本語の題名"),
          std::string("Name : 山田 Mail Address : a@example.com"),
          std::string("Web Address : http://w/ Date : 2001/01/01"), std::string("First body line Second body line"),
          std::string("1 / 1 page Printed by Velbrook v0.2 ") + vb::printingDate()})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
    EXPECT_TRUE(errors().empty());
}

TEST_F(PrintTest, TheMenuEntryAndCtrlPAskTheSameQuestion) {
    logCategory();
    browser->show();
    QApplication::setActiveWindow(browser.get());
    const std::function<void()> ways[] = {
        [&] { ui().MM_File_Print->trigger(); },
        [&] { QTest::keyClick(browser.get(), Qt::Key_P, Qt::ControlModifier); },
    };
    for (const auto &print : ways) {
        dialogs->log.clear();
        dialogs->answers = {false};
        print();
        EXPECT_EQ(kinds(*dialogs), std::vector<std::string>{"question:Now Viewing Message Print OK?"});
    }
}

TEST_F(PrintTest, ExportPdfOfATextModeFileNamesTheFile) {
    category("Text Mode");
    message("note.TXT", "Plain text\r\n");
    browser->DefaultRead();
    const std::string pdf = dir.file("note.pdf");
    dialogs->saveAnswers = {vb::fsToBytes(pdf)};
    ui().MM_File_ExportPdf->trigger();
    EXPECT_EQ(kinds(*dialogs), std::vector<std::string>{"save:Export PDF"});
    EXPECT_EQ(dialogs->saveRequests[0].proposedName, "note.pdf");
    const std::string text = words(pdf);
    EXPECT_NE(text.find("File Name : note.TXT"), std::string::npos) << text;
    EXPECT_NE(text.find("Plain text"), std::string::npos) << text;
    EXPECT_EQ(text.find("Mail"), std::string::npos) << text;
}

TEST_F(PrintTest, SetupAndPreviewFromTheMenu) {
    logCategory();
    // The preview's Print button prints the message on view: without a
    // printer, as a PDF file offered in the message's folder.
    const std::string pdf = dir.file("preview.pdf");
    dialogs->saveAnswers = {vb::fsToBytes(pdf)};
    dialogs->onPrintPreview = [&](QDialog &preview) {
        auto *print = preview.findChild<QAbstractButton *>("PreviewPrint");
        ASSERT_NE(print, nullptr);
        print->click();
    };
    ui().MM_File_PrinterSetup->trigger();
    ui().MM_File_PrintPreview->trigger();
    EXPECT_EQ(kinds(*dialogs),
              (std::vector<std::string>{"printerSetup:", "printPreview:", "save:No Printer : Save As PDF File"}));
    EXPECT_EQ(dialogs->saveRequests.at(0).directory, vb::fsToBytes(msgDir()));
    EXPECT_NE(words(pdf).find("Title : 00001 日本語の題名"), std::string::npos);
}

TEST_F(PrintTest, ExportPdfThatCannotWriteSaysWhyAndKeepsTheFile) {
    logCategory();
    ::mkdir(dir.file("out").c_str(), 0755);
    const std::string pdf = dir.file("out/kept.pdf");
    putFile(pdf, "old");
    dialogs->saveAnswers = {vb::fsToBytes(pdf)};
    FaultInjector faults;
    // The first write of the new file fails, as on a full disk.
    vb::fileOps().write = [](int, const void *, size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    ui().MM_File_ExportPdf->trigger();
    vb::fileOps() = vb::systemFileOps();
    ASSERT_EQ(dialogs->saveRequests.size(), 1u);
    EXPECT_TRUE(dialogs->saveRequests[0].confirmOverwrite);
    EXPECT_EQ(errors(), std::vector<Bytes>{vb::cp("ファイル ") + vb::fsToBytes(pdf) + vb::cp(" を作成できません") +
                                           " (No space left on device)."});
    EXPECT_EQ(getFile(pdf), "old");
    EXPECT_EQ(listing(dir.file("out")), std::vector<std::string>{"kept.pdf"});
}

// Every word of the text reaches the paper, also where the screen has not
// yet shown it: the pieces of a line too long to lay out whole.
TEST_F(PrintTest, EveryWordOfALineShownInPiecesIsPrinted) {
    auto tokens = [](char letter, int count) {
        std::vector<std::string> out;
        char buf[16];
        for (int i = 0; i < count; ++i) {
            std::snprintf(buf, sizeof buf, "%c%06d", letter, i);
            out.push_back(buf);
        }
        return out;
    };
    auto joined = [](const std::vector<std::string> &words) {
        std::string line;
        for (const std::string &w : words)
            line += w + " "; // eight bytes a word: pieces are cut between words
        return line;
    };
    const struct {
        const char *name;
        std::string before;
        std::vector<std::string> words;
    } cases[] = {
        {"a line shown in pieces", "", tokens('v', 4500)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        category("Log Mode");
        message("KVX00001.TXT", logMessage("00001", "Long", "N", "", "", c.before + joined(c.words) + "\r\nend\r\n"));
        browser->DefaultRead();
        const std::string pdf = dir.file("long.pdf");
        std::remove(pdf.c_str());
        dialogs->saveAnswers = {vb::fsToBytes(pdf)};
        ui().MM_File_ExportPdf->trigger();
        std::set<std::string> printed;
        for (const vbtest::PdfWord &w : pdfWords(pdf))
            printed.insert(w.text);
        std::vector<std::string> missing;
        for (const std::string &w : c.words)
            if (!printed.count(w))
                missing.push_back(w);
        EXPECT_TRUE(missing.empty()) << missing.size() << " words missing, first " << missing.front();
        EXPECT_TRUE(printed.count("end"));
    }
}

// The pieces of a long line are laid out once the job is under way, each a
// step of its progress box: the box moves from the start, and Cancel there
// stops the export with no file left.
TEST_F(PrintTest, ALongLineIsLaidOutUnderTheProgressBoxWhereCancelStopsIt) {
    category("Log Mode");
    const std::string line(80 * 1024, 'w'); // five pieces
    message("KVX00001.TXT", logMessage("00001", "Long", "N", "", "", line + "\r\nend\r\n"));
    browser->DefaultRead();
    const std::string pdf = dir.file("long.pdf");
    for (const int cancelAt : {0, 3}) {
        SCOPED_TRACE(cancelAt ? "cancelled among the pieces" : "done");
        std::remove(pdf.c_str());
        dialogs->saveAnswers = {vb::fsToBytes(pdf)};
        dialogs->progressSeen.clear();
        dialogs->progressSteps = 0;
        dialogs->cancelAtStep = cancelAt;
        ui().MM_File_ExportPdf->trigger();
        ASSERT_GE(dialogs->progressSeen.size(), 3u);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(dialogs->progressSeen[i], std::make_pair(i, size_t(5))) << "step " << i;
        if (cancelAt) {
            EXPECT_EQ(dialogs->progressSeen.size(), 3u);
            EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdf)));
        } else {
            EXPECT_GT(dialogs->progressSeen.back().second, 5u);
            EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(pdf)));
        }
        EXPECT_TRUE(errors().empty());
    }
}
