#include "browser/find_panel.h"

#include "ui/widgets/hints.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QListWidget>
#include <algorithm>
#include <limits>

namespace vb {

FindPanel::FindPanel(QWidget *parent) : QWidget(parent) {
    setObjectName("Pnl_Find");
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);

    auto *caption = new QLabel(QStringLiteral("Find"), this);
    Edt_FindText = new TextField(this);
    Edt_FindText->setObjectName("Edt_FindText");
    Edt_FindText->setAccessibleName(QStringLiteral("Find"));
    // Nothing typed or pasted is cut: a text too long to search is refused
    // when the search starts.
    Edt_FindText->setMaxLength(std::numeric_limits<int>::max());
    setHint(Edt_FindText, "検索する文字列 (Enter で検索、Esc で中止)");
    caption->setBuddy(Edt_FindText);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(Edt_FindText, 0, 1, 1, 3);
    connect(Edt_FindText, &QLineEdit::returnPressed, this, &FindPanel::findRequested);

    Chk_FindRegex = new QCheckBox(QStringLiteral("Regular expression"), this);
    Chk_FindRegex->setObjectName("Chk_FindRegex");
    setHint(Chk_FindRegex, "正規表現として検索");
    Chk_FindThisMessage = new QCheckBox(QStringLiteral("This message only"), this);
    Chk_FindThisMessage->setObjectName("Chk_FindThisMessage");
    setHint(Chk_FindThisMessage, "表示中のメッセージだけを検索");
    grid->addWidget(Chk_FindRegex, 1, 0, 1, 4);
    grid->addWidget(Chk_FindThisMessage, 2, 0, 1, 4);

    const struct {
        FlatButton *FindPanel::*button;
        void (FindPanel::*clicked)();
        const char *caption, *name, *hint;
    } buttons[] = {
        // clang-format off
        {&FindPanel::Btn_Find,      &FindPanel::findRequested,  "Find",       "Btn_Find",      "カテゴリ内の全メッセージを検索"},
        {&FindPanel::Btn_FindStop,  &FindPanel::stopRequested,  "Stop",       "Btn_FindStop",  "検索の中止 (Esc)"},
        {&FindPanel::Btn_FindClose, &FindPanel::closeRequested, "Close Find", "Btn_FindClose", "検索を閉じる"},
        // clang-format on
    };
    int column = 1;
    for (const auto &item : buttons) {
        auto *b = new FlatButton(item.caption, this);
        b->setObjectName(QString::fromLatin1(item.name));
        setHint(b, item.hint);
        grid->addWidget(b, 3, column++);
        connect(b, &QAbstractButton::clicked, this, item.clicked);
        this->*item.button = b;
    }
    Btn_FindStop->setEnabled(false);

    Lbl_FindStatus = new QLabel(this);
    Lbl_FindStatus->setObjectName("Lbl_FindStatus");
    Lbl_FindStatus->setWordWrap(true);
    Lbl_FindStatus->setTextFormat(Qt::PlainText);
    grid->addWidget(Lbl_FindStatus, 4, 0, 1, 4);

    LB_FindResults = new QListWidget(this);
    LB_FindResults->setObjectName("LB_FindResults");
    LB_FindResults->setAccessibleName(QStringLiteral("Search results"));
    LB_FindResults->setUniformItemSizes(true);
    setHint(LB_FindResults, "検索結果 (選ぶとそのメッセージを表示、F3 / Shift+F3 で次 / 前)");
    grid->addWidget(LB_FindResults, 5, 0, 1, 4);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);
    connect(LB_FindResults, &QListWidget::itemClicked, this, &FindPanel::pickCurrent);
    connect(LB_FindResults, &QListWidget::itemActivated, this, &FindPanel::pickCurrent);
    // Keyboard moves in the list show the result they land on.
    connect(LB_FindResults, &QListWidget::currentRowChanged, this, [this] {
        if (QApplication::mouseButtons() == Qt::NoButton)
            pickCurrent();
    });
}

void FindPanel::pickCurrent() {
    const int row = LB_FindResults->currentRow();
    if (!quiet_ && row >= 0)
        emit resultPicked(row);
}

QString FindPanel::pattern() const { return Edt_FindText->text(); }

bool FindPanel::regex() const { return Chk_FindRegex->isChecked(); }

bool FindPanel::thisMessageOnly() const { return Chk_FindThisMessage->isChecked(); }

void FindPanel::prepare(bool thisMessageOnly) {
    Chk_FindThisMessage->setChecked(thisMessageOnly);
    Edt_FindText->setFocus();
    Edt_FindText->selectAll();
}

void FindPanel::setRunning(bool running) { Btn_FindStop->setEnabled(running); }

void FindPanel::setStatus(const Bytes &text, bool error) {
    Lbl_FindStatus->setText(toUnicode(text));
    Lbl_FindStatus->setStyleSheet(error ? QStringLiteral("color: #c00000;") : QString());
}

Bytes FindPanel::status() const { return fromUnicode(Lbl_FindStatus->text()); }

void FindPanel::clearResults() {
    quiet_ = true;
    LB_FindResults->clear();
    quiet_ = false;
}

void FindPanel::addResult(const QString &row) { LB_FindResults->addItem(row); }

void FindPanel::setCurrentResult(int row) {
    quiet_ = true;
    LB_FindResults->setCurrentRow(row);
    quiet_ = false;
}

void FindPanel::keepResultRows(int rows) {
    // The height of one row as the items are drawn, measured on a list of
    // its own, so that the list in use sees no change.
    QListWidget probe;
    probe.setFont(LB_FindResults->font());
    probe.addItem(QStringLiteral("Xg"));
    const int rowHeight = std::max(probe.sizeHintForRow(0), LB_FindResults->fontMetrics().height());
    LB_FindResults->setMinimumHeight(rows * rowHeight + 2 * LB_FindResults->frameWidth());
}

} // namespace vb
