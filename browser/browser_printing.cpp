// Printing the message on view: the browser hands the text as shown, its
// font, the title on display and the record of the message to the printing
// commands.

#include "browser/browser_window.h"
#include "browser/memo_print_lines.h"
#include "platform/files.h"
#include "printing/print_commands.h"

#include <optional>

namespace vb {
namespace {

class MemoPrintLines : public PrintLines {
public:
    explicit MemoPrintLines(const Memo &memo) : memo_(memo) {}
    bool prepare(const PrintProgress &progress) override {
        lines_.emplace(memo_, progress);
        if (lines_->complete())
            return true;
        lines_.reset();
        return false;
    }
    size_t size() const override { return shown().size(); }
    Bytes line(size_t k) override { return shown().at(k); }

private:
    Memo::ShownLines &shown() const {
        if (!lines_)
            lines_.emplace(memo_);
        return *lines_;
    }
    const Memo &memo_;
    mutable std::optional<Memo::ShownLines> lines_;
};

} // namespace

std::shared_ptr<PrintLines> memoPrintLines(const Memo &memo) { return std::make_shared<MemoPrintLines>(memo); }

PrintContent TF1::printContent() const {
    PrintContent c;
    c.source = memoPrintLines(*Memo_log);
    c.fontFace = Memo_log->fontFace();
    c.fontPoints = Memo_log->fontPoints();
    c.title = caption(Lbl_Info_Title);
    const CurrentMessage &m = onView_.Current;
    c.name = m.Name;
    c.mail = m.Mail;
    c.web = m.Web;
    c.date = m.Date;
    c.fileName = m.FileName;
    c.logMode = logMode();
    c.printedOn = printingDate();
    return c;
}

// The folder of the message on view, where a PDF of it is offered.
Bytes TF1::printFolder() const {
    const size_t cut = onView_.path.rfind(kSep);
    return cut == Bytes::npos ? listedDirectory() : onView_.path.substr(0, cut + 1);
}

void TF1::Btn_PrintClick() { runPrint(printContent(), printFolder()); }

void TF1::MM_File_PrinterSetupClick() { runPrinterSetup(); }

void TF1::MM_File_PrintPreviewClick() { runPrintPreview(printContent(), printFolder()); }

void TF1::MM_File_ExportPdfClick() { runExportPdf(printContent(), printFolder()); }

} // namespace vb
