#include "printing/print_commands.h"

#include "printing/painter_canvas.h"
#include "ui/core/apptitle.h"
#include "ui/core/errors.h"
#include "ui/core/files.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/guard.h"

#include <QDate>
#include <QDir>
#include <QPrinter>
#include <QTemporaryFile>
#include <memory>

namespace vb {
namespace {

constexpr char kPrintQuestion[] = "Now Viewing Message Print OK?";
constexpr char kNoPrinterTitle[] = "No Printer : Save As PDF File";
constexpr char kExportTitle[] = "Export PDF";

SaveRequest pdfRequest(const char *title, const Bytes &directory, const Bytes &fileName) {
    return {title, directory, "pdf", "PDF File|*.pdf", proposedPdfName(fileName)};
}

[[noreturn]] void failPrinter(const QPrinter &printer) {
    throw RuntimeError(fromUnicode(printer.printerName()) + cp(" に印刷できません"));
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

bool paintPages(const PrintContent &content, QPagedPaintDevice &device) {
    PainterCanvas canvas(device);
    return PagePrinter(canvas, content).print();
}

void writePdf(const PrintContent &content, const QPageLayout &layout, const Bytes &path) {
    // The pages are drawn into a scratch file first; the file named is then
    // replaced whole.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/velbrook-XXXXXX.pdf"));
    if (!scratch.open())
        failCannotCreate(path);
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(layout);
    pdf.setCreator(toUnicode(appTitle()));
    pdf.setDocName(toUnicode(content.title));
    pdf.setOutputFileName(scratch.fileName());
    if (!paintPages(content, pdf))
        failCannotCreate(path);
    scratch.seek(0);
    const QByteArray data = scratch.readAll();
    int err = 0;
    if (data.isEmpty() || !writeFileAtomic(path, Bytes(data.constData(), size_t(data.size())), &err))
        failCannotCreate(path);
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
    QPrinter &printer = runPrinter();
    if (!printerUsable(printer)) {
        Bytes path;
        if (!dialogs().saveFileName(pdfRequest(kNoPrinterTitle, directory, content.fileName), path))
            return false;
        writePdf(content, printer.pageLayout(), path);
        return true;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        writePdf(content, printer.pageLayout(), fsToBytes(printer.outputFileName().toStdString()));
        return true;
    }
    if (!paintPages(content, printer))
        failPrinter(printer);
    return true;
}

void runPrinterSetup() { dialogs().printerSetup(runPrinter()); }

void runPrintPreview(const PrintContent &content) {
    dialogs().printPreview(runPrinter(), [&content](QPrinter *printer) {
        guarded([&] {
            if (!paintPages(content, *printer))
                failPrinter(*printer);
        });
    });
}

bool runExportPdf(const PrintContent &content, const Bytes &directory) {
    Bytes path;
    if (!dialogs().saveFileName(pdfRequest(kExportTitle, directory, content.fileName), path))
        return false;
    writePdf(content, runPrinter().pageLayout(), path);
    return true;
}

} // namespace vb
