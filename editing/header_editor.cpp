// The header editor's controls: their captions, row labels, limits, hints,
// names on the accessibility bus and arrangement, and the wiring of their
// events.

#include "editing/header_editor.h"

#include "ui/widgets/guard.h"
#include "ui/widgets/hints.h"
#include "ui/widgets/spinedit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <climits>

namespace vb {
namespace {

// Rows on the header panel; columns in the panel's own coordinates.
constexpr int kRowTop = 4, kRowPitch = 21, kRowHeight = 19;
constexpr int kNumberRow = 0, kFirstTextRow = 1, kDateRow = 5, kNextRow = 6, kBackRow = 8; // the next links take two
constexpr int kLabelLeft = 3, kLabelWidth = 86;
constexpr int kInputLeft = 92, kDefaultLeft = 436, kButtonWidth = 52;
constexpr int kNowLeft = kDefaultLeft - 4 - kButtonWidth; // "Now", left of the date row's "Default"
constexpr int kSlotPitch = 68, kBoxWidth = 16, kNumberWidth = 50;
// The header panel on the editor's panel, and the file row and the option
// boxes below it.
constexpr int kPanelLeft = 4, kPanelTop = 24, kPanelWidth = 492, kPanelHeight = kRowTop + 9 * kRowPitch + 2;
constexpr int kFileTop = kPanelTop + kPanelHeight + 4, kOptionsTop = kFileTop + kRowPitch + 3;
constexpr int kNumberMax = 99999, kNumberChars = 5;

int rowTop(int row) { return kRowTop + row * kRowPitch; }

QLabel *rowLabel(QWidget *parent, const char *caption, int top, const char *hint) {
    auto *label = new QLabel(QString::fromUtf8(caption), parent);
    label->setGeometry(kLabelLeft, top, kLabelWidth, kRowHeight);
    if (hint)
        setHint(label, hint);
    return label;
}

// A text field of a row, named on the accessibility bus by its row label.
QLineEdit *lineEdit(QWidget *parent, const char *name, QLabel *label, int top, int width, const char *hint) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(kInputLeft, top, width, kRowHeight);
    edit->setMaxLength(INT_MAX); // no length limit
    edit->setAccessibleName(label->text());
    label->setBuddy(edit);
    setHint(edit, hint);
    return edit;
}

SpinEdit *numberEdit(QWidget *parent, const QString &name, const QString &accessibleName, const QRect &place) {
    auto *spin = new SpinEdit(0, kNumberMax, kNumberChars, parent);
    spin->setObjectName(name);
    spin->setGeometry(place);
    spin->setAccessibleName(accessibleName);
    setHint(spin, "発言番号の設定");
    return spin;
}

QCheckBox *linkBox(QWidget *parent, const QString &name, const QString &accessibleName, const QRect &place) {
    auto *box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setGeometry(place);
    box->setAccessibleName(accessibleName);
    setHint(box, "番号設定を有効にする");
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const char *caption, const QRect &place, const char *hint) {
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    setHint(b, hint);
    return b;
}

QPushButton *defaultButton(QWidget *parent, const char *name, int top) {
    return button(parent, name, "Default", QRect(kDefaultLeft, top, kButtonWidth, kRowHeight), "初期値に戻す");
}

QCheckBox *optionBox(QWidget *parent, const char *name, const char *caption, int top, const char *hint) {
    auto *box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(8, top, 320, 18);
    setHint(box, hint);
    return box;
}

} // namespace

HeaderEditor::HeaderEditor(TF3 *window, QWidget *panel) : QObject(panel), window_(window), panel_(panel) {
    QFont small = panel_->font();
    small.setPixelSize(12);
    panel_->setFont(small);
    // In the order of the Tab key.
    buildLogHeaderPanel();
    buildNumberRow();
    buildTextRows();
    buildNextRows();
    buildBackRow();
    buildPanelCaption();
    buildFileRow();
    buildOptionBoxes();
    buildLeaveButtons();
    connectHandlers();
}

void HeaderEditor::buildLogHeaderPanel() {
    Pnl_LogHeader = new QFrame(panel_);
    Pnl_LogHeader->setObjectName("Pnl_LogHeader");
    Pnl_LogHeader->setFrameShape(QFrame::StyledPanel);
    Pnl_LogHeader->setFrameShadow(QFrame::Raised);
    Pnl_LogHeader->setGeometry(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
}

void HeaderEditor::buildNumberRow() {
    QWidget *p = Pnl_LogHeader;
    Lbl_Header_Number = rowLabel(p, "Number", rowTop(kNumberRow), nullptr);
    SE_Header_Number = numberEdit(p, QStringLiteral("SE_Header_Number"), Lbl_Header_Number->text(),
                                  QRect(kInputLeft, rowTop(kNumberRow), 70, kRowHeight));
    Lbl_Header_Number->setBuddy(SE_Header_Number);
    Btn_Header_Number = defaultButton(p, "Btn_Header_Number", rowTop(kNumberRow));
}

void HeaderEditor::buildTextRows() {
    const struct {
        QLabel *&label;
        QLineEdit *&edit;
        QPushButton *&restore;
        const char *caption, *labelHint, *editName, *editHint, *buttonName;
    } rows[] = {
        // clang-format off
        {Lbl_Header_Title, E_Header_Title, Btn_Header_Title, "Title",        "ヘッダ情報 タイトル",         "E_Header_Title", "タイトル情報を設定",       "Btn_Header_Title"},
        {Lbl_Header_Name,  E_Header_Name,  Btn_Header_Name,  "Name",         "ヘッダ情報 名前",             "E_Header_Name",  "名前情報を設定",           "Btn_Header_Name"},
        {Lbl_Header_Mail,  E_Header_Mail,  Btn_Header_Mail,  "Mail Address", "ヘッダ情報 メールアドレス",   "E_Header_Mail",  "メールアドレス情報を設定", "Btn_Header_Mail"},
        {Lbl_Header_Web,   E_Header_Web,   Btn_Header_Web,   "Web Address",  "ヘッダ情報 ウェブアドレス",   "E_Header_Web",   "ウェブアドレス情報を設定", "Btn_Header_Web"},
        {Lbl_Header_Date,  E_Header_Date,  Btn_Header_Date,  "Date",         "ヘッダ情報 作成日",           "E_Header_Date",  "作成日情報を設定",         "Btn_Header_Date"},
        // clang-format on
    };
    QWidget *p = Pnl_LogHeader;
    int row = kFirstTextRow;
    for (const auto &r : rows) {
        // The date row leaves room for "Now" beside its "Default".
        const int right = &r.edit == &E_Header_Date ? kNowLeft : kDefaultLeft;
        r.label = rowLabel(p, r.caption, rowTop(row), r.labelHint);
        r.edit = lineEdit(p, r.editName, r.label, rowTop(row), right - 4 - kInputLeft, r.editHint);
        r.restore = defaultButton(p, r.buttonName, rowTop(row));
        ++row;
    }
    Btn_Header_Date_Now = button(p, "Btn_Header_Date_Now", "Now",
                                 QRect(kNowLeft, rowTop(kDateRow), kButtonWidth, kRowHeight), "現在の日付、日時を適用");
}

void HeaderEditor::buildNextRows() {
    // Slots 1 to 5 on the upper row, 6 to 10 on the lower one.
    QWidget *p = Pnl_LogHeader;
    Lbl_Header_Next = rowLabel(p, "Next Message", rowTop(kNextRow), "ヘッダ情報 下位関連発言");
    for (int k = 1; k <= 10; ++k) {
        const int left = kInputLeft + ((k - 1) % 5) * kSlotPitch;
        const int top = rowTop(k <= 5 ? kNextRow : kNextRow + 1);
        const QString slot = QString::number(k);
        const QString accessible = Lbl_Header_Next->text() + QLatin1Char(' ') + slot;
        CB_Next[size_t(k - 1)] =
            linkBox(p, QStringLiteral("CB_Next") + slot, accessible, QRect(left, top, kBoxWidth, kRowHeight));
        SE_Next[size_t(k - 1)] = numberEdit(p, QStringLiteral("SE_Next") + slot, accessible,
                                            QRect(left + kBoxWidth, top, kNumberWidth, kRowHeight));
    }
    Lbl_Header_Next->setBuddy(CB_Next[0]);
    Btn_Header_Next = defaultButton(p, "Btn_Header_Next", rowTop(kNextRow));
}

void HeaderEditor::buildBackRow() {
    QWidget *p = Pnl_LogHeader;
    const int top = rowTop(kBackRow);
    Lbl_Header_Back = rowLabel(p, "Back Message", top, "ヘッダ情報 上位関連発言");
    CB_Back =
        linkBox(p, QStringLiteral("CB_Back"), Lbl_Header_Back->text(), QRect(kInputLeft, top, kBoxWidth, kRowHeight));
    SE_Back = numberEdit(p, QStringLiteral("SE_Back"), Lbl_Header_Back->text(),
                         QRect(kInputLeft + kBoxWidth, top, kNumberWidth, kRowHeight));
    Lbl_Header_Back->setBuddy(CB_Back);
    Btn_Header_Back = defaultButton(p, "Btn_Header_Back", top);
}

void HeaderEditor::buildPanelCaption() {
    // The panel's own caption, on the back row where no control covers it.
    const int left = kInputLeft + kSlotPitch + 8;
    Lbl_Header_LogOnly = new QLabel(QString::fromUtf8("ログモード指定時のみ入力可"), Pnl_LogHeader);
    Lbl_Header_LogOnly->setObjectName("Lbl_Header_LogOnly");
    Lbl_Header_LogOnly->setAlignment(Qt::AlignCenter);
    Lbl_Header_LogOnly->setGeometry(left, rowTop(kBackRow), kDefaultLeft - 8 - left, kRowHeight);
    Pnl_LogHeader->setAccessibleName(Lbl_Header_LogOnly->text());
}

void HeaderEditor::buildFileRow() {
    // Below the header panel, on the editor's panel: the panel's offset added.
    Lbl_Header_File = rowLabel(panel_, "File Name", kFileTop, "ファイル名情報");
    Lbl_Header_File->move(kPanelLeft + kLabelLeft, kFileTop);
    E_Header_File =
        lineEdit(panel_, "E_Header_File", Lbl_Header_File, kFileTop, kDefaultLeft - 4 - kInputLeft, "ファイル名を設定");
    E_Header_File->move(kPanelLeft + kInputLeft, kFileTop);
    Btn_Header_File = defaultButton(panel_, "Btn_Header_File", kFileTop);
    Btn_Header_File->move(kPanelLeft + kDefaultLeft, kFileTop);
}

void HeaderEditor::buildOptionBoxes() {
    const struct {
        QCheckBox *&box;
        const char *name, *caption, *hint;
    } boxes[] = {
        // clang-format off
        {CB_LogFile,       "CB_LogFile",       "Save As Log File (Insert Information)", "ヘッダ情報を組込む(ヘッダ編集時必須)"},
        {CB_AutoFileName,  "CB_AutoFileName",  "Auto File Name Set (Log Mode)",         "ファイル名を自動設定 (Log Mode時)"},
        {CB_DeleteOldFile, "CB_DeleteOldFile", "Delete Old File",                       "古いファイルを削除する"},
        // clang-format on
    };
    int top = kOptionsTop;
    for (const auto &b : boxes) {
        b.box = optionBox(panel_, b.name, b.caption, top, b.hint);
        top += 20;
    }
}

void HeaderEditor::buildLeaveButtons() {
    const int bottom = 315 - 7, height = 24;
    Btn_Header_OK =
        button(panel_, "Btn_Header_OK", "OK", QRect(340, bottom - height, 75, height), "設定を有効にして更新");
    Btn_Header_OK->setDefault(true);
    Btn_Header_Cancel = button(panel_, "Btn_Header_Cancel", "Cancel", QRect(420, bottom - height, 75, height),
                               "設定をキャンセルしてメイン画面に戻る");
}

void HeaderEditor::connectHandlers() {
    const std::pair<QPushButton *, void (HeaderEditor::*)()> clicks[] = {
        {Btn_Header_Number, &HeaderEditor::Def_Number},
        {Btn_Header_Title, &HeaderEditor::Def_Title},
        {Btn_Header_Name, &HeaderEditor::Def_Name},
        {Btn_Header_Mail, &HeaderEditor::Def_Mail},
        {Btn_Header_Web, &HeaderEditor::Def_Web},
        {Btn_Header_Date, &HeaderEditor::Def_Date},
        {Btn_Header_Next, &HeaderEditor::Def_ResNext},
        {Btn_Header_Back, &HeaderEditor::Def_ResBack},
        {Btn_Header_File, &HeaderEditor::Def_File},
        {Btn_Header_Date_Now, &HeaderEditor::Btn_Header_Date_NowClick},
        {Btn_Header_OK, &HeaderEditor::Btn_Header_OKClick},
        {Btn_Header_Cancel, &HeaderEditor::Btn_Header_CancelClick},
    };
    for (const auto &[b, handler] : clicks)
        connectGuarded(b, &QPushButton::clicked, this, [this, handler = handler] { (this->*handler)(); });
    // Every change of state, by the user or by the program.
    connectGuarded(CB_LogFile, &QCheckBox::toggled, this, [this] { CB_LogFileClick(); });

    // Enter is OK and Escape is Cancel while the editor shows.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), panel_), &QShortcut::activated, Btn_Header_OK, &QPushButton::click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), panel_), &QShortcut::activated, Btn_Header_Cancel,
            &QPushButton::click);
}

} // namespace vb
