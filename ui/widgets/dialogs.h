#pragma once
// Every modal question, notice and standard dialog goes through this one
// interface. The program installs the Qt implementation; tests install one
// of their own that answers and records every question.

#include "platform/codepage.h"

#include <QFont>
#include <functional>
#include <memory>
#include <vector>

class QDialog;
class QPrinter;
class QWidget;

namespace vb {

// What a save dialog shows: its title, the folder it opens in, the suffix
// added to a name typed without one, the filters as "caption|pattern|..."
// pairs, and the name proposed (may be empty). With confirmOverwrite the
// dialog asks its own question before a file that exists is chosen.
struct SaveRequest {
    Bytes title;
    Bytes directory;
    Bytes defaultSuffix;
    Bytes filters;
    Bytes proposedName;
    bool confirmOverwrite = false;
};

// The progress of a long job, with a way to cancel it.
class Progress {
public:
    virtual ~Progress() = default;
    // done of total steps are done; false once the user asked to cancel.
    virtual bool advance(size_t done, size_t total) = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box with OK, captioned with the application title.
    virtual void message(const Bytes &text) = 0;
    // A box with "OK" (default) and "キャンセル" (Escape); true on OK.
    virtual bool question(const Bytes &text) = 0;
    // The same box with "キャンセル" as the default button: for a step that
    // would lose something another program wrote, so that a bare Enter does not.
    virtual bool cautiousQuestion(const Bytes &text) { return question(text); }
    // The general error report.
    virtual void error(const Bytes &text) = 0;
    // A box with one button per caption; returns the index of the one
    // pressed. Enter presses defaultIndex, Escape escapeIndex.
    virtual int choose(const Bytes &text, const std::vector<Bytes> &captions, int defaultIndex, int escapeIndex) = 0;
    // A one-line text box under a prompt, with OK and Cancel; true on OK,
    // text then holding what was typed (it starts out holding the proposal).
    virtual bool askText(const Bytes &prompt, Bytes &text) = 0;
    // The save dialog; true with the chosen full path, false when cancelled.
    // It asks about replacing an existing file only with confirmOverwrite.
    virtual bool saveFileName(const SaveRequest &request, Bytes &chosen) = 0;
    // The font dialog (ui/widgets/fontdialog.h), starting on face and size;
    // true on OK, face and size then holding the choice (9 to 100 points).
    virtual bool chooseFont(Bytes &face, int &size, bool fixedPitchOnly) = 0;
    // The printer-setup dialog: the printer, paper and output file it leaves
    // chosen stay in printer.
    virtual void printerSetup(QPrinter &printer) = 0;
    // The print preview (printing/print_preview.h), shown until it is closed.
    virtual void printPreview(QDialog &preview) = 0;
    // A progress box for a job that may take long, captioned with the
    // application title, showing label, a bar and "キャンセル". It appears
    // once the job has run for half a second, keeps the windows painted while
    // it runs, and goes when the returned object does.
    virtual std::unique_ptr<Progress> progress(const Bytes &label) = 0;
};

Dialogs &dialogs();
// Installs an implementation; returns the previous one.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> d);

class QtDialogs : public Dialogs {
public:
    void message(const Bytes &text) override;
    bool question(const Bytes &text) override;
    bool cautiousQuestion(const Bytes &text) override;
    void error(const Bytes &text) override;
    int choose(const Bytes &text, const std::vector<Bytes> &captions, int defaultIndex, int escapeIndex) override;
    bool askText(const Bytes &prompt, Bytes &text) override;
    bool saveFileName(const SaveRequest &request, Bytes &chosen) override;
    bool chooseFont(Bytes &face, int &size, bool fixedPitchOnly) override;
    void printerSetup(QPrinter &printer) override;
    void printPreview(QDialog &preview) override;
    std::unique_ptr<Progress> progress(const Bytes &label) override;
};

} // namespace vb
