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

// Draws every page on device, a page at a time, telling progress how far it
// has come; false when the device cannot be drawn on, or when progress
// stopped the job (*cancelled then true; a printer drops the job).
bool paintPages(const PrintContent &content, QPagedPaintDevice &device, const PrintProgress &progress = nullptr,
                bool *cancelled = nullptr);
// Writes the pages as a PDF file at path in the given paper and margins,
// streamed into a temporary file beside it that replaces it only when whole:
// every write is checked, and a file that cannot be written, with its reason,
// or a job that progress stopped (false) leaves the target as it was and no
// other file behind. True when written.
bool writePdf(const PrintContent &content, const QPageLayout &layout, const Bytes &path,
              const PrintProgress &progress = nullptr);

// The name proposed for the PDF file of a message: its file name with the
// extension .pdf.
Bytes proposedPdfName(const Bytes &fileName);
// Today's date as the maker notice shows it.
Bytes printingDate();

// Every job below shows a progress box (Dialogs::progress) with which the
// user may cancel it; a cancelled job prints or writes nothing.
//
// Print: asks "Now Viewing Message Print OK?", then prints the pages.
bool runPrint(const PrintContent &content, const Bytes &directory);
// Prints the pages on the run's printer; without a usable printer offers to
// save them as a PDF file in directory. True when pages were printed or saved.
bool printPages(const PrintContent &content, const Bytes &directory);
// PrinterSetup: the printer-setup dialog over the run's printer.
void runPrinterSetup();
// Print Preview: the pages as the run's printer would print them
// (printing/print_preview.h), laid out first under a progress box; its Print
// button prints them as printPages does and closes it.
void runPrintPreview(const PrintContent &content, const Bytes &directory);
// Export PDF: the save dialog (which asks before a file is replaced), then the
// PDF file; true when it was written.
bool runExportPdf(const PrintContent &content, const Bytes &directory);

} // namespace vb
