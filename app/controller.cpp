#include "app/controller.h"

#include "app/options_panel.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "editing/header_editor.h"
#include "editing/shared_window.h"
#include "setup/setup_window.h"
#include "ui/core/errors.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/placement.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <algorithm>

namespace vb {
namespace {
// The smallest client area the browser is given.
const QSize kMinimumClient(160, 120);
} // namespace

TF::TF(Settings &settings, TF0 *f0, TF1 *f1) : QWidget(nullptr), settings_(settings), F0(f0), F1(f1) {
    setWindowTitle(QStringLiteral("F"));
    FormCreate();
}

void TF::attach(TF2 *f2, TF3 *f3, OptionsPanel *options) {
    F2 = f2;
    F3 = f3;
    options_ = options;
}

void TF::FormCreate() {
    FormStyle_Set(kTitleScreen);
    F0->show();
}

void TF::placeDialog(QWidget *window, QWidget *panel) {
    panel->move(0, 0);
    window->setFixedSize(panel->size());
    placeOuter(window, QSize(), true);
}

void TF::placeBrowser() {
    F1->centralWidget()->move(0, 0);
    const int L = settings_.geometryValue(0), T = settings_.geometryValue(1);
    // Sizes too small to use are raised to a usable minimum.
    const int W = std::max(settings_.geometryValue(2), kMinimumClient.width());
    const int H = std::max(settings_.geometryValue(3), kMinimumClient.height());
    const int S1 = std::clamp(settings_.geometryValue(4), 1, W - 1);
    const int S2 = std::max(settings_.geometryValue(5), 1);
    // The browser's client area is the central pane; the menu bar is not part of it.
    const int menu = F1->menuBar()->sizeHint().height();
    if (L + T == -2000) {
        placeOuter(F1, QSize(W, H), true);
    } else {
        placeOuter(F1, QSize(), false);
        F1->move(L, T);
        F1->resize(W, H + menu);
        // A window stored where no screen is any more comes back to the middle.
        bool onScreen = false;
        for (const QScreen *screen : QGuiApplication::screens())
            onScreen = onScreen || screen->geometry().intersects(QRect(QPoint(L, T), F1->size()));
        if (!onScreen)
            centreOnScreen(F1);
    }
    // Lay out the panes at the new size before the pane sizes are applied.
    F1->Pnl_Main->resize(F1->width(), F1->height() - menu);
    F1->Splitter->resize(F1->Pnl_Main->size());
    F1->Splitter->setSizes({S1, std::max(F1->Pnl_Main->width() - S1, 1)});
    F1->Pnl_Thread->resize(S1, F1->Pnl_Main->height());
    F1->FormResize();
    F1->Splitter1->setSizes({S2, std::max(F1->Pnl_List->height() - S2, 1)});
    F1->Pnl_TitleList->resize(F1->Pnl_TitleList->width(), S2);
}

void TF::FormStyle_Set(int style) {
    switch (style) {
    case kTitleScreen:
        placeDialog(F0, F0->Pnl_Title);
        break;
    case kBrowser:
        placeBrowser();
        break;
    case kCategorySetup:
        if (F2)
            placeDialog(F2, F2->Pnl_Setup);
        break;
    case kHeaderEditor:
    case kApplicationOptions:
        if (F3) {
            const bool options = style == kApplicationOptions;
            F3->setWindowTitle(options ? QStringLiteral("Velbrook Application Setup")
                                       : QStringLiteral("Velbrook Header Edit"));
            F3->Pnl_Option->setVisible(options);
            F3->Pnl_HeaderEdit->setVisible(!options);
            placeDialog(F3, options ? F3->Pnl_Option : F3->Pnl_HeaderEdit);
        }
        break;
    default:
        break;
    }
}

void TF::FormStyle_Write() {
    settings_.FormStyle_Write(F1->x(), F1->y(), F1->centralWidget()->width(), F1->centralWidget()->height(),
                              F1->Pnl_Thread->width(), F1->Pnl_TitleList->height());
}

void TF::SM(const Bytes &text) { dialogs().message(text); }

void TF::enterBrowser(QWidget *fallback, int fallbackStyle) {
    try {
        F1->DefaultRead();
    } catch (const RuntimeError &) {
        if (!F1->isVisible()) {
            FormStyle_Set(fallbackStyle);
            fallback->show();
        }
        throw;
    }
}

void TF::view() {
    options_->loadOptions();
    options_->SetShowHint();
    F0->hide();
    enterBrowser(F0, kTitleScreen);
}

bool TF::fastCloseTicked() const { return options_ && options_->CB_FastClose->isChecked(); }

void TF::showTitleScreen() { F0->show(); }

void TF::endProgram() { F0->close(); }

void TF::enterSetup() {
    F2->show();
    F2->Setup_Read();
}

void TF::enterApplicationSetup() { options_->ApplicationSetup(); }

void TF::enterHeaderEditor(const std::vector<Bytes> &HeaderBodyLines, bool edited) {
    F3->HeaderEdit->DefaultSetup(HeaderBodyLines, edited);
}

} // namespace vb
