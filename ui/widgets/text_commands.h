#pragma once
// The Edit menu's text commands (Undo, Redo, Cut, Copy, Paste, Select All)
// on a line field or a text box, and which of them its text allows now: a
// read-only text allows only Copy (with a selection) and Select All.

class QWidget;

namespace vb {

enum class TextCommand { Undo, Redo, Cut, Copy, Paste, SelectAll };

// Whether the command can do anything on w (a QLineEdit or QPlainTextEdit;
// false for any other widget).
bool textCommandAllowed(QWidget *w, TextCommand command);
// Runs the command on w when it is allowed; otherwise does nothing.
void runTextCommand(QWidget *w, TextCommand command);

} // namespace vb
