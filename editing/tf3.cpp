#include "tf3.h"

#include "apptitle.h"

#include <QCloseEvent>
#include <QLabel>

namespace vb {

TF3::TF3() : QWidget(nullptr) {
    setWindowTitle(toUnicode(appTitle()) + QStringLiteral(" Header Edit"));
    // A fixed dialog frame without title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Pnl_HeaderEdit = new QWidget(this);
    Pnl_HeaderEdit->setObjectName("Pnl_HeaderEdit");
    Pnl_HeaderEdit->setGeometry(0, 0, 500, 315);
    auto *heading = new QLabel(QStringLiteral("Header Edit"), Pnl_HeaderEdit);
    QFont f = heading->font();
    f.setBold(true);
    f.setPixelSize(16);
    heading->setFont(f);
    heading->move(8, 4);
    Pnl_Option = new QWidget(this);
    Pnl_Option->setObjectName("Pnl_Option");
    Pnl_Option->setGeometry(0, 0, 170, 80);
}

void TF3::closeEvent(QCloseEvent *e) { e->ignore(); }

} // namespace vb
