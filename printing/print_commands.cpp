#include "printing/print_commands.h"

#include "printing/painter_canvas.h"
#include "printing/print_preview.h"
#include "platform/apptitle.h"
#include "platform/atomic_file.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/guard.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QPdfWriter>
#include <QPrinter>
#include <cerrno>
#include <cstring>
#include <memory>

namespace vb {
namespace {

constexpr char kPrintQuestion[] = "Now Viewing Message Print OK?";
constexpr char kNoPrinterTitle[] = "No Printer : Save As PDF File";
constexpr char kExportTitle[] = "Export PDF";
// The labels of the progress boxes.
constexpr char kPrintingLabel[] = "Print";
constexpr char kPreviewLabel[] = "Print Preview";

SaveRequest pdfRequest(const char *title, const Bytes &directory, const Bytes &fileName) {
    SaveRequest r{title, directory, "pdf", "PDF File|*.pdf", proposedPdfName(fileName)};
    r.confirmOverwrite = true;
    return r;
}

[[noreturn]] void failPrinter(const QPrinter &printer) {
    throw RuntimeError(fromUnicode(printer.printerName()) + cp(" に印刷できません"));
}

// "ファイル %s を作成できません" with the system's reason after it.
[[noreturn]] void failCreating(const Bytes &path, int err) {
    try {
        failCannotCreate(path);
    } catch (const RuntimeError &e) {
        throw RuntimeError(e.text() + " (" + fromUnicode(QString::fromLocal8Bit(std::strerror(err))) + ")");
    }
}

// The job's steps shown in a progress box labelled label.
PrintProgress progressBox(const Bytes &label, std::shared_ptr<Progress> &box) {
    box = dialogs().progress(label);
    return [&box](size_t done, size_t total) { return box->advance(done, total); };
}

} // namespace

QPrinter &runPrinter() {
    static std::unique_ptr<QPrinter> printer;
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (printer->outputFormat() == QPrinter::PdfFormat)
            printer->setResolution(kPdfResolution);
    }
    return *printer;
}

bool printerUsable(const QPrinter &printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return printer.isValid() && !printer.printerName().isEmpty();
}

bool paintPages(const PrintContent &content, QPagedPaintDevice &device, const PrintProgress &progress,
                bool *cancelled) {
    PainterCanvas canvas(device);
    PagePrinter printer(canvas, content);
    const bool done = printer.print(progress);
    if (cancelled)
        *cancelled = printer.cancelled();
    return done;
}

bool writePdf(const PrintContent &content, const QPageLayout &layout, const Bytes &path,
              const PrintProgress &progress) {
    // The pages go straight into a temporary file beside the target, which
    // replaces the target only once it is complete.
    AtomicFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        failCreating(path, file.errorCode());
    bool cancelled = false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(kPdfResolution);
        pdf.setPageLayout(layout);
        pdf.setCreator(toUnicode(appTitle()));
        pdf.setTitle(toUnicode(content.title));
        if (!paintPages(content, pdf, progress, &cancelled)) {
            if (cancelled)
                return false; // the temporary file goes with file
            failCreating(path, file.errorCode() ? file.errorCode() : EIO);
        }
    }
    if (!file.commit())
        failCreating(path, file.errorCode());
    return true;
}

Bytes proposedPdfName(const Bytes &fileName) {
    Bytes name = baseName(fileName);
    const size_t dot = name.rfind('.');
    if (dot != Bytes::npos && dot > 0)
        name.erase(dot);
    return name.empty() ? name : name + ".pdf";
}

Bytes printingDate() { return fromUnicode(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))); }

bool runPrint(const PrintContent &content, const Bytes &directory) {
    if (!dialogs().question(kPrintQuestion))
        return false;
    return printPages(content, directory);
}

bool printPages(const PrintContent &content, const Bytes &directory) {
    QPrinter &printer = runPrinter();
    std::shared_ptr<Progress> box;
    if (!printerUsable(printer)) {
        Bytes path;
        if (!dialogs().saveFileName(pdfRequest(kNoPrinterTitle, directory, content.fileName), path))
            return false;
        return writePdf(content, printer.pageLayout(), path, progressBox(kPrintingLabel, box));
    }
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return writePdf(content, printer.pageLayout(), fsToBytes(printer.outputFileName().toStdString()),
                        progressBox(kPrintingLabel, box));
    bool cancelled = false;
    if (!paintPages(content, printer, progressBox(kPrintingLabel, box), &cancelled)) {
        if (cancelled)
            return false;
        failPrinter(printer);
    }
    return true;
}

void runPrinterSetup() { dialogs().printerSetup(runPrinter()); }

void runPrintPreview(const PrintContent &content, const Bytes &directory) {
    // The pages are laid out on the device they are printed on: the printer,
    // or a PDF writer in its paper when they go to a PDF file. Nothing is
    // drawn on it.
    QPrinter &printer = runPrinter();
    QBuffer unwritten;
    std::unique_ptr<QPdfWriter> pdf;
    QPagedPaintDevice *page = &printer;
    if (!printerUsable(printer) || printer.outputFormat() == QPrinter::PdfFormat) {
        pdf = std::make_unique<QPdfWriter>(&unwritten);
        pdf->setResolution(kPdfResolution);
        pdf->setPageLayout(printer.pageLayout());
        page = pdf.get();
    }
    PrintPreview preview(content, *page, QApplication::activeWindow());
    {
        std::shared_ptr<Progress> box;
        if (!preview.measure(progressBox(kPreviewLabel, box)))
            return;
    }
    connectGuarded(&preview, &PrintPreview::printRequested, &preview, [&] {
        if (printPages(content, directory))
            preview.accept();
    });
    dialogs().printPreview(preview);
}

bool runExportPdf(const PrintContent &content, const Bytes &directory) {
    Bytes path;
    if (!dialogs().saveFileName(pdfRequest(kExportTitle, directory, content.fileName), path))
        return false;
    std::shared_ptr<Progress> box;
    return writePdf(content, runPrinter().pageLayout(), path, progressBox(kExportTitle, box));
}

} // namespace vb
