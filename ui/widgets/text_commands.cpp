#include "ui/widgets/text_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

namespace vb {
namespace {

bool clipboardHasText() {
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

bool allowedOnLine(const QLineEdit *e, TextCommand command) {
    const bool writable = !e->isReadOnly();
    // A hidden entry's text is never handed out.
    const bool shown = e->echoMode() == QLineEdit::Normal;
    switch (command) {
    case TextCommand::Undo:
        return writable && e->isUndoAvailable();
    case TextCommand::Redo:
        return writable && e->isRedoAvailable();
    case TextCommand::Cut:
        return writable && shown && e->hasSelectedText();
    case TextCommand::Copy:
        return shown && e->hasSelectedText();
    case TextCommand::Paste:
        return writable && clipboardHasText();
    case TextCommand::SelectAll:
        return !e->text().isEmpty();
    }
    return false;
}

bool allowedOnText(const QPlainTextEdit *t, TextCommand command) {
    const bool writable = !t->isReadOnly();
    const bool selection = t->textCursor().hasSelection();
    switch (command) {
    case TextCommand::Undo:
        return writable && t->document()->isUndoAvailable();
    case TextCommand::Redo:
        return writable && t->document()->isRedoAvailable();
    case TextCommand::Cut:
        return writable && selection;
    case TextCommand::Copy:
        return selection;
    case TextCommand::Paste:
        return writable && t->canPaste();
    case TextCommand::SelectAll:
        return !t->document()->isEmpty();
    }
    return false;
}

} // namespace

bool textCommandAllowed(QWidget *w, TextCommand command) {
    if (const auto *e = qobject_cast<QLineEdit *>(w))
        return allowedOnLine(e, command);
    if (const auto *t = qobject_cast<QPlainTextEdit *>(w))
        return allowedOnText(t, command);
    return false;
}

void runTextCommand(QWidget *w, TextCommand command) {
    if (!textCommandAllowed(w, command))
        return;
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        switch (command) {
        case TextCommand::Undo:
            return e->undo();
        case TextCommand::Redo:
            return e->redo();
        case TextCommand::Cut:
            return e->cut();
        case TextCommand::Copy:
            return e->copy();
        case TextCommand::Paste:
            return e->paste();
        case TextCommand::SelectAll:
            return e->selectAll();
        }
    } else if (auto *t = qobject_cast<QPlainTextEdit *>(w)) {
        switch (command) {
        case TextCommand::Undo:
            return t->undo();
        case TextCommand::Redo:
            return t->redo();
        case TextCommand::Cut:
            return t->cut();
        case TextCommand::Copy:
            return t->copy();
        case TextCommand::Paste:
            return t->paste();
        case TextCommand::SelectAll:
            return t->selectAll();
        }
    }
}

} // namespace vb
