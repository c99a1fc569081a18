#pragma once
// The printing commands the browser offers: Print, PrinterSetup, Print
// Preview and Export PDF, all drawing with the same page printer. One printer
// serves the whole run: the system's default until the printer-setup dialog
// chooses another printer, paper or output file.

#include "printing/page_printer.h"

class QPageLayout;
class QPagedPaintDevice;
class QPrinter;

namespace vb {

// Resolution of the PDF files written, in pixels per inch.
constexpr int kPdfResolution = 600;

QPrinter &runPrinter();
// True when printer can take a job: an installed printer, or a PDF file
// chosen for it in the printer-setup dialog.
bool printerUsable(const QPrinter &printer);

// Draws every page on device; false when the device cannot be drawn on.
bool paintPages(const PrintContent &content, QPagedPaintDevice &device);
// Writes the pages as a PDF file at path in the given paper and margins, whole
// and atomically: a file that cannot be written is left as it was.
void writePdf(const PrintContent &content, const QPageLayout &layout, const Bytes &path);

// The name proposed for the PDF file of a message: its file name with the
// extension .pdf.
Bytes proposedPdfName(const Bytes &fileName);
// Today's date as the maker notice shows it.
Bytes printingDate();

// Print: asks "Now Viewing Message Print OK?", then prints on the run's
// printer; without a usable printer offers to save the pages as a PDF file in
// directory. True when pages were printed or saved.
bool runPrint(const PrintContent &content, const Bytes &directory);
// PrinterSetup: the printer-setup dialog over the run's printer.
void runPrinterSetup();
// Print Preview: the pages as the run's printer would print them.
void runPrintPreview(const PrintContent &content);
// Export PDF: the save dialog, then the PDF file; true when it was written.
bool runExportPdf(const PrintContent &content, const Bytes &directory);

} // namespace vb
