// The title filter: a field above the title list narrows the list to the
// titles holding a text. Moves and commands then count the lines shown; a
// link, a jump or a search result whose title is filtered out clears the
// filter before it is shown.

#include "browser/browser_window.h"
#include "messages/matcher.h"
#include "ui/widgets/guard.h"
#include "ui/widgets/hints.h"
#include "ui/widgets/textfield.h"

#include <QKeyEvent>
#include <QToolButton>

namespace vb {
namespace {

// Escape empties the field it is installed on, before any shortcut of the
// window sees the key.
class EscapeClears : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *obj, QEvent *ev) override {
        const bool key = ev->type() == QEvent::ShortcutOverride || ev->type() == QEvent::KeyPress;
        if (!key || static_cast<QKeyEvent *>(ev)->key() != Qt::Key_Escape ||
            static_cast<QKeyEvent *>(ev)->modifiers() != Qt::NoModifier)
            return false;
        // Accepting the override keeps the key from the window's shortcuts.
        ev->accept();
        if (ev->type() == QEvent::KeyPress)
            static_cast<QLineEdit *>(obj)->clear();
        return true;
    }
};

// The titles that hold the filter's text.
class TitlesHolding : public TitleList::Filter {
public:
    explicit TitlesHolding(const Bytes &text) { matcher_.compile(text, false); }
    bool keeps(std::string_view line) const override { return matcher_.contains(line); }

private:
    Matcher matcher_;
};

} // namespace

void TF1::buildFilter() {
    Edt_TitleFilter = new TextField;
    Edt_TitleFilter->setObjectName("Edt_TitleFilter");
    Edt_TitleFilter->setAccessibleName(QStringLiteral("Filter"));
    Edt_TitleFilter->setPlaceholderText(QStringLiteral("Filter titles (Ctrl+L)"));
    // The clear button shows only over some text, so it is made when the
    // first text comes: finding its icon in the desktop's icon theme takes
    // longer than building the rest of the window.
    connect(Edt_TitleFilter, &QLineEdit::textChanged, Edt_TitleFilter, [field = Edt_TitleFilter](const QString &text) {
        if (text.isEmpty() || field->isClearButtonEnabled())
            return;
        field->setClearButtonEnabled(true);
        // Named for screen readers, which otherwise meet a bare button.
        for (QToolButton *button : field->findChildren<QToolButton *>()) {
            button->setAccessibleName(QStringLiteral("Clear Filter"));
            button->setAccessibleDescription(QStringLiteral("絞り込みを解除 (Esc)"));
        }
    });
    setHint(Edt_TitleFilter, "この文字列を含むタイトルだけを表示 (Esc で解除)");
    Edt_TitleFilter->resize(Pnl_TitleList->width(), Edt_TitleFilter->sizeHint().height());
    Edt_TitleFilter->installEventFilter(new EscapeClears(Edt_TitleFilter));
    Pnl_TitleList->dock(Edt_TitleFilter, Panel::Top);
    connectGuarded(Edt_TitleFilter, &QLineEdit::textChanged, this, [this] { TitleFilter_Change(); });
    connect(LB_Title, &TitleList::filtered, this, &TF1::showCount);
    addEntries(MM_View, {{&TF1::MM_View_Filter, "Filter Titles", "MM_View_Filter", "タイトルの絞り込み",
                          QKeySequence(Qt::CTRL | Qt::Key_L), &TF1::MM_View_FilterClick, false}});
}

void TF1::MM_View_FilterClick() {
    Edt_TitleFilter->setFocus(Qt::ShortcutFocusReason);
    Edt_TitleFilter->selectAll();
}

void TF1::TitleFilter_Change() {
    dropRefresh(true);
    const Bytes text = Edt_TitleFilter->bytes();
    LB_Title->setFilter(text.empty() ? nullptr : std::make_unique<TitlesHolding>(text));
    // The message on view stays selected whenever its title is shown.
    if (LB_Title->selectedIndex() < 0 && shownLine_ >= 0)
        LB_Title->setSelectedIndex(LB_Title->rowOfLine(shownLine_));
}

void TF1::showCount() {
    const bool filtered = LB_Title->isFiltered();
    if (!filtered && !countFiltered_)
        return; // the caption the listing gave stands
    countFiltered_ = filtered;
    Bytes caption = "Total Message : " + std::to_string(FLB.names().size()) + " ";
    if (filtered)
        caption += "(" + std::to_string(LB_Title->count()) + " shown)";
    Pnl_FLBCount->setText(toUnicode(caption));
}

int TF1::rowForLine(int line) {
    int row = LB_Title->revealLine(line); // in thread view, its thread opened to it
    if (row < 0 && line >= 0 && line < LB_Title->lineCount()) {
        Edt_TitleFilter->clear(); // the filter goes, and with it the hidden rows
        row = LB_Title->revealLine(line);
    }
    return row;
}

bool TF1::showLine(int line) {
    if (!mayDiscardEdits())
        return false;
    selectAndLoad(rowForLine(line));
    return true;
}

} // namespace vb
