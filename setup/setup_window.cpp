#include "setup/setup_window.h"

#include "ui/core/apptitle.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/guard.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace vb {

TF2::TF2(Settings &settings) : QWidget(nullptr), settings_(settings) {
    setDialogFrame(this, toUnicode(appTitle()) + QStringLiteral(" Setup"));
    Pnl_Setup = new QWidget(this);
    Pnl_Setup->setObjectName("Pnl_Setup");
    Pnl_Setup->setGeometry(0, 0, 632, 365);
    makeHeading(Pnl_Setup, QStringLiteral("Setup"), 8, 8);
    Btn_Setup_Close = new QPushButton(QStringLiteral("Close"), Pnl_Setup);
    Btn_Setup_Close->setObjectName("Btn_Setup_Close");
    Btn_Setup_Close->setGeometry(550, 6, 75, 25);
    setHint(Btn_Setup_Close, "メイン画面に戻る");
    connectGuarded(Btn_Setup_Close, &QPushButton::clicked, this, [this] { Btn_Setup_CloseClick(); });
}

void TF2::Setup_Read() {
    settings_.CategoryData_Read();
    settings_.CategoryData_Clean();
    settings_.CategoryData_UpDate();
}

void TF2::Btn_Setup_CloseClick() {
    hide();
    if (onClose)
        onClose();
}

void TF2::closeEvent(QCloseEvent *e) { e->ignore(); }

} // namespace vb
