#include "app/title_screen.h"
#include "platform/apptitle.h"

#include "app/controller.h"
#include "ui/widgets/guard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace vb {

TF0::TF0() : QWidget(nullptr) {
    setWindowTitle(toUnicode(appTitle()));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    Pnl_Title = new QWidget(this);
    Pnl_Title->setObjectName("Pnl_Title");
    Pnl_Title->setGeometry(0, 0, 352, 152);
    Image_Title = new QLabel(Pnl_Title);
    Image_Title->setObjectName("Image_Title");
    Image_Title->setGeometry(1, 1, 350, 150);
    Image_Title->setScaledContents(true);

    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(21);
    auto style = [&](FlatButton *b, int left) {
        b->setFont(f);
        b->setStyleSheet(QStringLiteral("QToolButton { color: #0a7a1e; border: none; background: transparent; }"
                                        "QToolButton:hover { color: #12a02a; text-decoration: underline; }"
                                        "QToolButton:focus { text-decoration: underline; }"));
        b->setCursor(Qt::PointingHandCursor);
        b->setGeometry(left, 112, 70, 30);
        b->setFocusPolicy(Qt::StrongFocus);
    };
    Btn_Title_View = new FlatButton("View", Pnl_Title);
    Btn_Title_View->setObjectName("Btn_Title_View");
    style(Btn_Title_View, 196);
    Btn_Title_Quit = new FlatButton("Quit", Pnl_Title);
    Btn_Title_Quit->setObjectName("Btn_Title_Quit");
    style(Btn_Title_Quit, 270);
    connectGuarded(Btn_Title_View, &QToolButton::clicked, this, [this] { Btn_Title_ViewClick(); });
    connectGuarded(Btn_Title_Quit, &QToolButton::clicked, this, [this] { Btn_Title_QuitClick(); });
    Btn_Title_View->setShortcut(QKeySequence(Qt::Key_Return));
    Btn_Title_Quit->setShortcut(QKeySequence(Qt::Key_Escape));
}

void TF0::Btn_Title_ViewClick() { controller_->view(); }

void TF0::Btn_Title_QuitClick() { close(); }

void TF0::showEvent(QShowEvent *e) {
    // Read past the pixmap cache, which would keep it after the screen hides.
    if (Image_Title->pixmap().isNull())
        Image_Title->setPixmap(QPixmap::fromImage(QImage(QStringLiteral(":/velbrook/title.png"))));
    QWidget::showEvent(e);
}

void TF0::hideEvent(QHideEvent *e) {
    Image_Title->clear();
    QWidget::hideEvent(e);
}

void TF0::closeEvent(QCloseEvent *e) {
    e->accept();
    // The program ends with the title screen. quit() would first ask the
    // other windows to close, and the browser refuses every close request.
    QCoreApplication::exit(0);
}

} // namespace vb
