#include "app/options_panel.h"

#include "ui/widgets/guard.h"
#include "ui/widgets/hints.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace vb {

OptionsPanel::OptionsPanel(QWidget *panel, QWidget *window, Settings &settings)
    : QObject(panel), window_(window), settings_(settings) {
    Lbl_Option = new QLabel(QStringLiteral("Option"), panel);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    f.setBold(true);
    Lbl_Option->setFont(f);
    Lbl_Option->move(6, 2);
    CB_FastClose = new QCheckBox(QStringLiteral("Fast Shut Out"), panel);
    CB_FastClose->setObjectName("CB_FastClose");
    CB_FastClose->setGeometry(8, 22, 160, 17);
    CB_ShowHint = new QCheckBox(QStringLiteral("Show Hint"), panel);
    CB_ShowHint->setObjectName("CB_ShowHint");
    CB_ShowHint->setGeometry(8, 40, 160, 17);
    Btn_Option_OK = new QPushButton(QStringLiteral("OK"), panel);
    Btn_Option_OK->setObjectName("Btn_Option_OK");
    Btn_Option_OK->setGeometry(8, 58, 76, 20);
    Btn_Option_OK->setDefault(true);
    Btn_Option_Cancel = new QPushButton(QStringLiteral("Cancel"), panel);
    Btn_Option_Cancel->setObjectName("Btn_Option_Cancel");
    Btn_Option_Cancel->setGeometry(88, 58, 76, 20);
    setHint(CB_FastClose, "メイン画面のCloseで即終了する");
    setHint(CB_ShowHint, "各ヒントを表示する");
    setHint(Btn_Option_OK, "設定を有効にする");
    setHint(Btn_Option_Cancel, "設定をキャンセルしてメイン画面に戻る");
    // Enter is OK and Escape is Cancel while the panel shows.
    auto *ok = new QShortcut(QKeySequence(Qt::Key_Return), panel);
    connect(ok, &QShortcut::activated, Btn_Option_OK, &QPushButton::click);
    auto *cancel = new QShortcut(QKeySequence(Qt::Key_Escape), panel);
    connect(cancel, &QShortcut::activated, Btn_Option_Cancel, &QPushButton::click);
    connectGuarded(Btn_Option_OK, &QPushButton::clicked, this, [this] { Btn_Option_OKClick(); });
    connectGuarded(Btn_Option_Cancel, &QPushButton::clicked, this, [this] { Btn_Option_CancelClick(); });
}

void OptionsPanel::loadOptions() {
    const Settings::Options o = settings_.readOptions();
    CB_FastClose->setChecked(o.fastClose);
    CB_ShowHint->setChecked(o.showHint);
}

void OptionsPanel::ApplicationSetup() {
    loadOptions();
    window_->show();
}

Settings::Options OptionsPanel::options() const {
    Settings::Options o;
    o.fastClose = CB_FastClose->isChecked();
    o.showHint = CB_ShowHint->isChecked();
    return o;
}

void OptionsPanel::Btn_Option_OKClick() {
    settings_.writeOptions(options());
    SetShowHint();
    Btn_Option_CancelClick();
}

void OptionsPanel::Btn_Option_CancelClick() {
    window_->hide();
    if (browser_)
        browser_->show();
}

void OptionsPanel::SetShowHint() {
    for (QWidget *w : hintWindows_)
        setHintsShown(w, CB_ShowHint->isChecked());
}

} // namespace vb
