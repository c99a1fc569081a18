// The setup window's controls, their places, hints and handlers, and
// closing.

#include "setup/setup_window.h"

#include "platform/apptitle.h"
#include "ui/widgets/guard.h"
#include "ui/widgets/hints.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace vb {
namespace {

QLabel *label(QWidget *parent, const char *caption, int x, int y) {
    auto *l = new QLabel(QString::fromUtf8(caption), parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const char *caption, const QRect &place) {
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    return b;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const char *caption, const QRect &place) {
    auto *c = new QCheckBox(QString::fromUtf8(caption), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(place);
    return c;
}

// A text field with its row label in front of it.
TextField *field(QWidget *parent, const char *name, QLabel *rowLabel, const char *accessibleName, int limit,
                 const QRect &place) {
    auto *f = new TextField(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setByteLimit(limit);
    f->setGeometry(place);
    f->setAccessibleName(QString::fromUtf8(accessibleName));
    rowLabel->setBuddy(f);
    return f;
}

// A radio pair in a container of its own, so that the pairs are independent.
QWidget *radioPair(QWidget *parent, const QRect &place, QRadioButton *&first, const char *firstName,
                   const char *firstCaption, const QPoint &secondAt, QRadioButton *&second, const char *secondName,
                   const char *secondCaption) {
    auto *box = new QWidget(parent);
    box->setGeometry(place);
    first = new QRadioButton(QString::fromUtf8(firstCaption), box);
    first->setObjectName(QString::fromLatin1(firstName));
    first->move(0, 0);
    first->adjustSize();
    second = new QRadioButton(QString::fromUtf8(secondCaption), box);
    second->setObjectName(QString::fromLatin1(secondName));
    second->move(secondAt);
    second->adjustSize();
    return box;
}

// The handler of a radio button, raised when it becomes checked, by the user
// or by the program.
void onChecked(QRadioButton *radio, QObject *context, const std::function<void()> &handler) {
    connectGuarded(radio, &QRadioButton::toggled, context, [radio, handler] {
        if (radio->isChecked())
            handler();
    });
}

// Field labels run down the left of the property group.
constexpr int kLabelX = 8;
constexpr int kFieldX = 90;
// Fields and buttons end here, inside the group's right edge.
constexpr int kRight = 400;
constexpr int kRowTitle = 6, kRowDirectory = 28, kRowFileName = 50, kRowDefaultLoad = 72, kRowFixedFont = 94,
              kRowVariableFont = 116, kRowDefaultFont = 139, kRowSortStyle = 159, kRowSearchMode = 179;
// The header switches stand right of "Log Mode"; the file types and the
// title source in rows of their own below "Text Mode", indented.
constexpr int kSwitchX = 171;
constexpr int kIndentX = kFieldX + 20;
constexpr int kFileSwitchWidth = 52;
constexpr int kRowSetDelete = 282;

} // namespace

TF2::TF2(Settings &settings, const CategoryRecord &browserCategory)
    : QWidget(nullptr), settings_(settings), browserCategory_(browserCategory) {
    setDialogFrame(this, toUnicode(appTitle()) + QStringLiteral(" Setup"));
    Pnl_Setup = new QWidget(this);
    Pnl_Setup->setObjectName("Pnl_Setup");
    Pnl_Setup->setGeometry(0, 0, 632, 365);
    buildTopRow();
    buildProperty();
    buildModeSwitches();
    buildChoosers();
    applyHints();
}

void TF2::buildTopRow() {
    QLabel *heading = makeHeading(Pnl_Setup, QStringLiteral("Setup"), 8, 6);
    CB_Setup = new ComboList(Pnl_Setup);
    heading->setBuddy(CB_Setup);
    CB_Setup->setObjectName("CB_Setup");
    CB_Setup->setAccessibleName(QStringLiteral("Category"));
    CB_Setup->setGeometry(64, 5, 300, 22);
    connect(CB_Setup, &QComboBox::activated, this, [this] { guarded([this] { CB_SetupChange(); }); });
    Btn_Setup_New = button(Pnl_Setup, "Btn_Setup_New", "New", QRect(470, 4, 75, 25));
    Btn_Setup_Close = button(Pnl_Setup, "Btn_Setup_Close", "Close", QRect(550, 4, 75, 25));
    connectGuarded(Btn_Setup_New, &QPushButton::clicked, this, [this] { Btn_Setup_NewClick(); });
    connectGuarded(Btn_Setup_Close, &QPushButton::clicked, this, [this] { Btn_Setup_CloseClick(); });
}

void TF2::buildProperty() {
    Grp_Property = new QGroupBox(Pnl_Setup);
    Grp_Property->setObjectName("Grp_Property");
    Grp_Property->setGeometry(4, 32, 410, 310);
    QWidget *g = Grp_Property;

    QLabel *title = label(g, "Title", kLabelX, kRowTitle + 3);
    setHint(title, "カテゴリのタイトル");
    Property_Title = field(g, "Property_Title", title, "Title", 255, QRect(kFieldX, kRowTitle, kRight - kFieldX, 21));

    QLabel *directory = label(g, "Directory", kLabelX, kRowDirectory + 3);
    setHint(directory, "カテゴリの参照先ディレクトリ");
    Property_Directory = field(g, "Property_Directory", directory, "Directory", 255,
                               QRect(kFieldX, kRowDirectory, kRight - 52 - kFieldX, 21));
    Btn_Property_Directory = button(g, "Btn_Property_Directory", "Set", QRect(kRight - 48, kRowDirectory - 1, 48, 23));
    connectGuarded(Btn_Property_Directory, &QPushButton::clicked, this, [this] { Btn_Property_DirectoryClick(); });

    QLabel *fileName = label(g, "File Name", kLabelX, kRowFileName + 3);
    setHint(fileName, "ログファイル名規則の設定(Log Mode時有効)");
    Property_FileName1 =
        field(g, "Property_FileName1", fileName, "File Name prefix", 3, QRect(kFieldX, kRowFileName, 36, 21));
    label(g, "xxxxx.", kFieldX + 40, kRowFileName + 3)->setObjectName("Lbl_FileNameRule");
    Property_FileName2 = new TextField(g);
    Property_FileName2->setObjectName("Property_FileName2");
    Property_FileName2->setByteLimit(3);
    Property_FileName2->setGeometry(kFieldX + 84, kRowFileName, 36, 21);
    Property_FileName2->setAccessibleName(QStringLiteral("File Name extension"));

    setHint(label(g, "Default Load", kLabelX, kRowDefaultLoad + 2), "起動時の初期読込カテゴリ");
    Property_DefaultLoad =
        checkBox(g, "Property_DefaultLoad", "Set Default Load", QRect(kFieldX, kRowDefaultLoad, 200, 20));

    setHint(label(g, "Fixed Font", kLabelX, kRowFixedFont + 3), "等倍幅フォント");
    fontRow(kRowFixedFont, Property_FixedFont, "Property_FixedFont", Btn_Property_Font_Fixed, "Btn_Property_Font_Fixed",
            [this] { Btn_Property_Font_FixedClick(); });
    setHint(label(g, "Variable Font", kLabelX, kRowVariableFont + 3), "可変幅フォント");
    fontRow(kRowVariableFont, Property_VariableFont, "Property_VariableFont", Btn_Property_Font_Variable,
            "Btn_Property_Font_Variable", [this] { Btn_Property_Font_VariableClick(); });

    setHint(label(g, "Default Font", kLabelX, kRowDefaultFont + 2), "デフォルトフォント");
    radioPair(g, QRect(kFieldX, kRowDefaultFont, 300, 20), Property_RB_Font_Fixed, "Property_RB_Font_Fixed", "Fixed",
              QPoint(100, 0), Property_RB_Font_Variable, "Property_RB_Font_Variable", "Variable");

    setHint(label(g, "Sort Style", kLabelX, kRowSortStyle + 2), "ファイルソートのスタイル");
    radioPair(g, QRect(kFieldX, kRowSortStyle, 300, 20), Property_RB_Sort_Descending, "Property_RB_Sort_Descending",
              "Descending Order", QPoint(140, 0), Property_RB_Sort_Ascending, "Property_RB_Sort_Ascending",
              "Ascending Order");

    Btn_Setup_Set = button(g, "Btn_Setup_Set", "Set", QRect(kRight - 152, kRowSetDelete, 74, 24));
    Btn_Setup_Delete = button(g, "Btn_Setup_Delete", "Delete", QRect(kRight - 74, kRowSetDelete, 74, 24));
    connectGuarded(Btn_Setup_Set, &QPushButton::clicked, this, [this] { Btn_Setup_SetClick(); });
    connectGuarded(Btn_Setup_Delete, &QPushButton::clicked, this, [this] { Btn_Setup_DeleteClick(); });
}

void TF2::fontRow(int row, FontLabel *&fontLabel, const char *labelName, QPushButton *&picker, const char *pickerName,
                  const std::function<void()> &handler) {
    fontLabel = new FontLabel(Grp_Property);
    fontLabel->setObjectName(QString::fromLatin1(labelName));
    fontLabel->setGeometry(kFieldX, row, kRight - 56 - kFieldX, 21);
    picker = button(Grp_Property, pickerName, "Font", QRect(kRight - 52, row - 1, 52, 23));
    connectGuarded(picker, &QPushButton::clicked, this, handler);
}

void TF2::buildModeSwitches() {
    QWidget *g = Grp_Property;
    setHint(label(g, "Search Mode", kLabelX, kRowSearchMode + 2),
            "参照モード(ログファイルモード、及びファイル一般モード)");
    const int textRow = kRowSearchMode + 41, fileRow = textRow + 20, titleRow = fileRow + 21;
    radioPair(g, QRect(kFieldX, kRowSearchMode, kRight - kFieldX, textRow + 20 - kRowSearchMode),
              Property_RB_Search_Log, "Property_RB_Search_Log", "Log Mode", QPoint(0, textRow - kRowSearchMode),
              Property_RB_Search_Text, "Property_RB_Search_Text", "Text Mode");
    onChecked(Property_RB_Search_Log, this, [this] { Property_RB_Search_LogClick(); });
    onChecked(Property_RB_Search_Text, this, [this] { Property_RB_Search_TextClick(); });

    // Header switches after "Log Mode": Title, Name, Mail Address; Date, Web Address.
    label(g, "Information", kSwitchX, kRowSearchMode - 14)->hide();
    Property_Info_Title = checkBox(g, "Property_Info_Title", "Title", QRect(kSwitchX, kRowSearchMode, 54, 20));
    Property_Info_Name = checkBox(g, "Property_Info_Name", "Name", QRect(kSwitchX + 56, kRowSearchMode, 60, 20));
    Property_Info_Mail = checkBox(g, "Property_Info_Mail", "Mail Address",
                                  QRect(kSwitchX + 118, kRowSearchMode, kRight - 118 - kSwitchX, 20));
    Property_Info_Date = checkBox(g, "Property_Info_Date", "Date", QRect(kSwitchX, kRowSearchMode + 20, 54, 20));
    Property_Info_Web =
        checkBox(g, "Property_Info_Web", "Web Address", QRect(kSwitchX + 56, kRowSearchMode + 20, 104, 20));

    // File types after "Text Mode", in one row.
    label(g, "Search File", kSwitchX, textRow + 2)->hide();
    const char *const types[] = {"TXT", "DOC", "MAN", "GGG", "INI"};
    QCheckBox **boxes[] = {&Property_Search_TXT, &Property_Search_DOC, &Property_Search_MAN, &Property_Search_GGG,
                           &Property_Search_INI};
    for (int i = 0; i < 5; ++i)
        *boxes[i] = checkBox(g, (std::string("Property_Search_") + types[i]).c_str(), types[i],
                             QRect(kIndentX + kFileSwitchWidth * i, fileRow, kFileSwitchWidth, 20));

    // The title source comes last.
    label(g, "Title Text", kLabelX, titleRow + 2)->hide();
    radioPair(g, QRect(kIndentX, titleRow, 220, 20), Property_RB_TitleText_Line, "Property_RB_TitleText_Line",
              "Text Line", QPoint(100, 0), Property_RB_TitleText_File, "Property_RB_TitleText_File", "File Name");
}

void TF2::buildChoosers() {
    DCB = new DriveChooser(Pnl_Setup);
    DCB->setObjectName("DCB");
    DCB->setAccessibleName(QStringLiteral("Drive"));
    DCB->setGeometry(418, 32, 208, 21);
    DLB = new DirChooser(Pnl_Setup);
    DLB->setObjectName("DLB");
    DLB->list()->setAccessibleName(QStringLiteral("Directories"));
    DLB->setGeometry(418, 54, 208, 310);
    connect(DCB, &QComboBox::activated, this, [this] { guarded([this] { DLB->setDirectory(DCB->drive()); }); });
    connect(DLB, &DirChooser::directoryChanged, this, [this] { DCB->showDriveOf(DLB->directory()); });
}

void TF2::applyHints() {
    setHint(CB_Setup, "カテゴリを選択する");
    setHint(Btn_Setup_New, "新規カテゴリを作成する");
    setHint(Btn_Setup_Close, "メイン画面に戻る");
    setHint(Btn_Setup_Set, "情報を更新する");
    setHint(Btn_Setup_Delete, "表示カテゴリを削除する");
    setHint(Property_Title, "デフォルトで\"New Category\"");
    setHint(Property_Directory, "デフォルトで起動ディレクトリ");
    setHint(Btn_Property_Directory, "ディレクトリリストからカテゴリディレクトリを設定");
    setHint(Property_FileName1, "先頭3文字(デフォルトで空白、及び\"0\"補完)");
    setHint(Property_FileName2, "拡張子3文字(デフォルトで\"TXT\"及び\"0\"補完)");
    setHint(Property_DefaultLoad, "起動時の初期読込カテゴリに設定");
    setHint(Property_FixedFont, "等倍幅フォントの設定");
    setHint(Property_VariableFont, "可変幅フォントの設定");
    setHint(Btn_Property_Font_Fixed, "等倍幅フォント設定ダイアログ");
    setHint(Btn_Property_Font_Variable, "可変幅フォント設定ダイアログ");
    setHint(Property_RB_Font_Fixed, "初期フォントを等倍幅フォントに設定");
    setHint(Property_RB_Font_Variable, "初期フォントを可変幅フォントに設定");
    setHint(Property_RB_Sort_Descending, "ファイルリストを降順でリスト化");
    setHint(Property_RB_Sort_Ascending, "ファイルリストを昇順でリスト化");
    setHint(Property_RB_Search_Log, "ファイルをログファイルモードで参照");
    setHint(Property_RB_Search_Text, "ファイルをファイル一般モードで参照");
    setHint(Property_Info_Title, "ヘッダ情報のタイトルを表示");
    setHint(Property_Info_Name, "ヘッダ情報の名前を表示");
    setHint(Property_Info_Mail, "ヘッダ情報のメールアドレスを表示");
    setHint(Property_Info_Web, "ヘッダ情報のウェブアドレスを表示");
    setHint(Property_Info_Date, "ヘッダ情報の作成日を表示");
    const char *const fileHints[] = {"ファイルマスクにTXTファイルを含める", "ファイルマスクにDOCファイルを含める",
                                     "ファイルマスクにMANファイルを含める", "ファイルマスクにGGGファイルを含める",
                                     "ファイルマスクにINIファイルを含める"};
    for (size_t i = 0; i < 5; ++i)
        setHint(fileSwitches()[i], fileHints[i]);
    setHint(Property_RB_TitleText_Line, "リストタイトルにテキスト1行目を用いる");
    setHint(Property_RB_TitleText_File, "リストタイトルにファイル名を用いる");
    setHint(DCB, "カテゴリ参照先ドライブ選択ボックス");
    setHint(DLB, "カテゴリ参照先ディレクトリ選択リストボックス");
    DLB->list()->setAccessibleDescription(DLB->toolTip());
}

std::array<QCheckBox *, 5> TF2::informationSwitches() const {
    return {Property_Info_Title, Property_Info_Name, Property_Info_Mail, Property_Info_Web, Property_Info_Date};
}

std::array<QCheckBox *, 5> TF2::fileSwitches() const {
    return {Property_Search_TXT, Property_Search_DOC, Property_Search_MAN, Property_Search_GGG, Property_Search_INI};
}

void TF2::Btn_Setup_CloseClick() {
    hide();
    emit closed();
}

void TF2::closeEvent(QCloseEvent *e) { e->ignore(); }

} // namespace vb
