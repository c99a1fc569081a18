#include "editing/shared_window.h"

#include "editing/header_editor.h"
#include "platform/apptitle.h"
#include "ui/widgets/controls.h"

#include <QCloseEvent>
#include <QLabel>

namespace vb {

TF3::TF3() : QWidget(nullptr) {
    setDialogFrame(this, toUnicode(appTitle()) + QStringLiteral(" Header Edit"));
    Pnl_HeaderEdit = new QWidget(this);
    Pnl_HeaderEdit->setObjectName("Pnl_HeaderEdit");
    Pnl_HeaderEdit->setGeometry(0, 0, 500, 315);
    makeHeading(Pnl_HeaderEdit, QStringLiteral("Header Edit"), 8, 4)->adjustSize();
    Pnl_Option = new QWidget(this);
    Pnl_Option->setObjectName("Pnl_Option");
    Pnl_Option->setGeometry(0, 0, 170, 80);
    HeaderEdit = new HeaderEditor(this, Pnl_HeaderEdit);
}

QWidget *TF3::showPage(Page page) {
    const bool options = page == Page::Options;
    Pnl_Option->setVisible(options);
    Pnl_HeaderEdit->setVisible(!options);
    return options ? Pnl_Option : Pnl_HeaderEdit;
}

void TF3::closeEvent(QCloseEvent *e) { e->ignore(); }

} // namespace vb
