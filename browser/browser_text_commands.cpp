// The Edit menu's text commands: Undo, Redo, Cut, Copy, Paste and Select All
// on the line or text with the focus (the message text when the focus is
// elsewhere), each enabled only while its text allows it.

#include "browser/browser_window.h"
#include "ui/widgets/text_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace vb {
namespace {

// Calls back when the watched text is made read-only or writable.
class ReadOnlyWatch : public QObject {
public:
    ReadOnlyWatch(QObject *parent, std::function<void()> changed) : QObject(parent), changed_(std::move(changed)) {}
    bool eventFilter(QObject *watched, QEvent *e) override {
        if (e->type() == QEvent::ReadOnlyChange)
            changed_();
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> changed_;
};

} // namespace

void TF1::buildTextCommands() {
    using K = QKeySequence;
    addEntries(MM_Edit, {kSeparator,
                         {&TF1::MM_Edit_Undo, "Undo", "MM_Edit_Undo", "元に戻す", K(K::Undo), nullptr, false},
                         {&TF1::MM_Edit_Redo, "Redo", "MM_Edit_Redo", "やり直し", K(K::Redo), nullptr, false},
                         kSeparator,
                         {&TF1::MM_Edit_Cut, "Cut", "MM_Edit_Cut", "切り取り", K(K::Cut), nullptr, false},
                         {&TF1::MM_Edit_Copy, "Copy", "MM_Edit_Copy", "コピー", K(K::Copy), nullptr, false},
                         {&TF1::MM_Edit_Paste, "Paste", "MM_Edit_Paste", "貼り付け", K(K::Paste), nullptr, false},
                         kSeparator,
                         {&TF1::MM_Edit_SelectAll, "Select All", "MM_Edit_SelectAll", "すべて選択", K(K::SelectAll),
                          nullptr, false}});
    for (const auto &[entry, command] : textCommandEntries())
        connect(entry, &QAction::triggered, this, [this, command = command] {
            runTextCommand(textCommandTarget(), command);
            updateTextCommands();
        });

    // The state is kept current, as the keys work without the menu open.
    // Every update runs in the context of one object that the window's
    // destructor deletes first: the panes go after the window's own part,
    // and the focus moves on as they go.
    textCommandsWatch_ = new QObject(this);
    QObject *const context = textCommandsWatch_;
    const auto update = [this] { updateTextCommands(); };
    connect(MM_Edit, &QMenu::aboutToShow, context, update);
    connect(qApp, &QApplication::focusChanged, context, update);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, context, update);
    connect(Memo_log, &QPlainTextEdit::selectionChanged, context, update);
    connect(Memo_log, &QPlainTextEdit::undoAvailable, context, update);
    connect(Memo_log, &QPlainTextEdit::redoAvailable, context, update);
    connect(Memo_log, &QPlainTextEdit::textChanged, context, update);
    Memo_log->installEventFilter(new ReadOnlyWatch(context, update));
    for (QLineEdit *line : findChildren<QLineEdit *>()) {
        connect(line, &QLineEdit::selectionChanged, context, update);
        connect(line, &QLineEdit::textChanged, context, update);
        line->installEventFilter(new ReadOnlyWatch(context, update));
    }
    updateTextCommands();
}

std::array<std::pair<MenuEntry *, TextCommand>, 6> TF1::textCommandEntries() const {
    return {{{MM_Edit_Undo, TextCommand::Undo},
             {MM_Edit_Redo, TextCommand::Redo},
             {MM_Edit_Cut, TextCommand::Cut},
             {MM_Edit_Copy, TextCommand::Copy},
             {MM_Edit_Paste, TextCommand::Paste},
             {MM_Edit_SelectAll, TextCommand::SelectAll}}};
}

QWidget *TF1::textCommandTarget() const {
    QWidget *focus = QApplication::focusWidget();
    if (focus && isAncestorOf(focus) && (qobject_cast<QLineEdit *>(focus) || qobject_cast<QPlainTextEdit *>(focus)))
        return focus;
    return Memo_log;
}

void TF1::updateTextCommands() {
    QWidget *target = textCommandTarget();
    for (const auto &[entry, command] : textCommandEntries())
        entry->setEnabled(textCommandAllowed(target, command));
}

} // namespace vb
