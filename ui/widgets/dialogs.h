#pragma once
// Every modal question, notice and standard dialog goes through this one
// interface. The program installs the Qt implementation; tests install one
// of their own that answers and records every question.

#include "ui/core/codepage.h"

#include <QFont>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace vb {

// What the save dialog shows: its title, the directory it opens in, the name
// it proposes, the suffix added to a name typed without one, the file types.
struct SaveDialogRequest {
    Bytes title;
    Bytes directory;
    Bytes fileName;
    Bytes defaultSuffix;
    Bytes filter;
};

// Draws the pages on the printer it is given.
using PagePainter = std::function<void(QPrinter *)>;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box with OK, captioned with the application title.
    virtual void message(const Bytes &text) = 0;
    // A box with "OK" (default) and "キャンセル" (Escape); true on OK.
    virtual bool question(const Bytes &text) = 0;
    // The general error report.
    virtual void error(const Bytes &text) = 0;
    // The save dialog; the chosen path in *path, false on Cancel.
    virtual bool saveFileName(const SaveDialogRequest &request, Bytes *path) = 0;
    // The printer-setup dialog: the printer, paper and output file it leaves
    // chosen stay in printer.
    virtual void printerSetup(QPrinter &printer) = 0;
    // The print preview of the pages paint draws, which can print them too.
    virtual void printPreview(QPrinter &printer, const PagePainter &paint) = 0;
};

Dialogs &dialogs();
// Installs an implementation; returns the previous one.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> d);

class QtDialogs : public Dialogs {
public:
    void message(const Bytes &text) override;
    bool question(const Bytes &text) override;
    void error(const Bytes &text) override;
    bool saveFileName(const SaveDialogRequest &request, Bytes *path) override;
    void printerSetup(QPrinter &printer) override;
    void printPreview(QPrinter &printer, const PagePainter &paint) override;
};

} // namespace vb
