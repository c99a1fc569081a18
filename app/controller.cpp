#include "app/controller.h"

#include "app/options_panel.h"
#include "app/title_screen.h"
#include "browser/browser_window.h"
#include "editing/header_editor.h"
#include "editing/shared_window.h"
#include "platform/errors.h"
#include "setup/setup_window.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/placement.h"

#include <QApplication>
#include <QCheckBox>

namespace vb {

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

void TF::placeDialog(QWidget *window, QWidget *panel) { placePanelWindow(window, panel); }

void TF::placeBrowser() {
    F1->applyGeometry({settings_.geometryValue(kGeomLeft), settings_.geometryValue(kGeomTop),
                       settings_.geometryValue(kGeomWidth), settings_.geometryValue(kGeomHeight),
                       settings_.geometryValue(kGeomSplitter1), settings_.geometryValue(kGeomSplitter2)});
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
            placeDialog(F2, F2->setupPanel());
        break;
    case kHeaderEditor:
    case kApplicationOptions:
        if (F3) {
            const bool options = style == kApplicationOptions;
            F3->setWindowTitle(options ? QStringLiteral("Velbrook Application Setup")
                                       : QStringLiteral("Velbrook Header Edit"));
            placeDialog(F3, F3->showPage(options ? TF3::Page::Options : TF3::Page::HeaderEdit));
        }
        break;
    default:
        break;
    }
}

void TF::FormStyle_Write() {
    const BrowserGeometry g = F1->geometryToStore();
    settings_.FormStyle_Write(g.left, g.top, g.width, g.height, g.splitter1, g.splitter2);
}

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
    if (place_)
        prepareUserFolder(*place_);
    options_->loadOptions();
    options_->SetShowHint();
    F0->hide();
    enterBrowser(F0, kTitleScreen);
}

void TF::viewFolder(const Bytes &folder) {
    F1->openFolderOnEntry(folder);
    view();
}

bool TF::fastCloseTicked() const { return options_ && options_->options().fastClose; }

void TF::showTitleScreen() { F0->show(); }

void TF::endProgram() {
    F1->hide();
    F0->close();
}

void TF::enterSetup() {
    F2->show();
    F2->Setup_Read();
}

void TF::enterApplicationSetup() { options_->ApplicationSetup(); }

void TF::enterHeaderEditor(const HeaderEditRequest &request) { F3->headerEditor()->DefaultSetup(request); }

} // namespace vb
