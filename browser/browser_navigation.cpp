// Moving through the title list by position and along the links between
// related messages, the font, sort and title toggles, and leaving the browser.

#include "browser/browser_window.h"
#include "messages/numbers.h"
#include "platform/apptitle.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "ui/widgets/dialogs.h"
#include "ui/widgets/guard.h"
#include "ui/widgets/help_windows.h"

#include <QFile>

namespace vb {

void TF1::selectAndLoad(int line) {
    if (!mayDiscardEdits())
        return;
    LB_Title->setSelectedIndex(line);
    LB_Title->repaintNow();
    TextLoad();
}

void TF1::Btn_TopClick() {
    if (LB_Title->count() > 0)
        selectAndLoad(0);
}

void TF1::Btn_EndClick() {
    if (LB_Title->count() > 0)
        selectAndLoad(LB_Title->count() - 1);
}

// "+1" moves toward the top of the list.
void TF1::Btn_NextClick() {
    const int s = LB_Title->selectedIndex();
    if (LB_Title->count() > 0 && s > 0)
        selectAndLoad(s - 1);
}

// "-1" moves toward the bottom of the list.
void TF1::Btn_BackClick() {
    const int n = LB_Title->count(), s = LB_Title->selectedIndex();
    if (n > 0 && s < n - 1)
        selectAndLoad(s + 1);
}

void TF1::Btn_Next100Click() {
    if (LB_Title->count() > 0)
        selectAndLoad(std::max(LB_Title->selectedIndex() - 100, 0));
}

void TF1::Btn_Back100Click() {
    const int n = LB_Title->count(), s = LB_Title->selectedIndex();
    if (n > 0)
        selectAndLoad(s + 100 < n ? s + 100 : n - 1);
}

void TF1::followLink(MenuEntry *entry, size_t bareLength) {
    // Captions are compared in characters, as the user sees them.
    if (size_t(toUnicode(entry->caption()).size()) <= bareLength)
        return;
    // The first line whose number is the link's, as a walk from the top
    // finds it: a line before it whose number does not read fails the walk.
    const TitleLines &lines = LB_Title->lines();
    const int target = lines.firstLineReading(entry->tag);
    const int unreadable = lines.firstUnreadable();
    if (unreadable >= 0 && (target < 0 || unreadable < target))
        failNotNumber(Bytes(lines[size_t(unreadable)].substr(0, 5)));
    if (target >= 0)
        showLine(target); // also a line the filter hides
}

void TF1::MM_View_Res_BackClick() { followLink(MM_View_Res_Back, sizeof(kBackLinkCaption) - 1); }

void TF1::MM_View_Res_NextClick(int k) {
    if (k >= 1 && k <= 10)
        followLink(MM_View_Res_NextK[size_t(k - 1)], sizeof("01 :") - 1); // "01 :" .. "10 :" alone
}

void TF1::setFont(bool fixed) {
    CurrentCategory[kSlotDefaultFont] = fixed ? kWordFixed : kWordVariable;
    Btn_Font->setCaption(fixed ? "Fixed" : "Variable");
    Memo_log->setFontFace(CurrentCategory[fixed ? kSlotFixedFontName : kSlotVariableFontName]);
    const int points = wholeNumber(CurrentCategory[fixed ? kSlotFixedFontPoint : kSlotVariableFontPoint]);
    Memo_log->setFontSpec(Memo_log->fontFace(), points, fixed);
    MenuCheck();
}

void TF1::Btn_Font_FixedClick() { setFont(true); }
void TF1::Btn_Font_VariableClick() { setFont(false); }

void TF1::setSort(bool desc) {
    if (!FLB.names().empty() && !mayDiscardEdits())
        return;
    const Bytes onView = fileOnView(); // named before the order changes
    CurrentCategory[kSlotSortStyle] = desc ? kWordDescendingOrder : kWordAscendingOrder;
    Btn_Sort->setCaption(desc ? "Descending" : "Ascending");
    if (threadsShown())
        rebuildTitlesKeeping(onView); // the threads stay on the message read
    else
        rebuildTitles(true);
    MenuCheck();
}

void TF1::Btn_Sort_DescendingClick() { setSort(true); }
void TF1::Btn_Sort_AscendingClick() { setSort(false); }

void TF1::setTitleStyle(bool fileName) {
    CurrentCategory[kSlotTitleText] = fileName ? kWordFileName : kWordTextLine;
    Btn_Title->setCaption(fileName ? "File" : "Text");
    rebuildTitles(false);
    MenuCheck();
}

void TF1::Btn_Title_FileClick() { setTitleStyle(true); }
void TF1::Btn_Title_TextClick() { setTitleStyle(false); }

void TF1::Btn_FontClick() { setFont(CurrentCategory[kSlotDefaultFont] != kWordFixed); }
void TF1::Btn_SortClick() { setSort(CurrentCategory[kSlotSortStyle] != kWordDescendingOrder); }
void TF1::Btn_TitleClick() { setTitleStyle(CurrentCategory[kSlotTitleText] != kWordFileName); }

void TF1::Btn_DefaultClick() {
    const int p = CBox_Category->selectedIndex();
    if (p < 0 || p >= kCategoryCount)
        return;
    if (!FLB.names().empty() && !mayDiscardEdits())
        return;
    const CategoryRecord stored = settings_.activeCategory(p);
    setFont(stored[kSlotDefaultFont] == kWordFixed);
    setSort(stored[kSlotSortStyle] == kWordDescendingOrder);
    setTitleStyle(stored[kSlotTitleText] == kWordFileName);
}

// A settings file that cannot be written is reported, and the browser is
// left all the same: the geometry is simply not stored.
void TF1::storeGeometry() {
    guarded([this] { host_->FormStyle_Write(); });
}

void TF1::Btn_CloseClick() {
    if (!mayDiscardEdits())
        return;
    closeJournal();
    CBox_Category->clear();
    LB_Title->clear();
    Memo_log->clearText();
    storeGeometry();
    if (host_->fastCloseTicked()) {
        host_->endProgram();
        return;
    }
    host_->FormStyle_Set(kTitleScreen);
    hide();
    host_->showTitleScreen();
}

void TF1::Btn_SetupClick() {
    if (!mayDiscardEdits())
        return;
    storeGeometry();
    host_->FormStyle_Set(kCategorySetup);
    hide();
    host_->enterSetup();
}

void TF1::MM_Option_ApplicationSetupClick() {
    host_->FormStyle_Set(kApplicationOptions);
    hide();
    host_->enterApplicationSetup();
}

namespace {

// A Help window brought to the front, made when first asked for.
template <typename W, typename Make>
void showHelpWindow(W *&window, Make make) {
    if (!window)
        window = make();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void TF1::MM_Help_ShortcutsClick() {
    showHelpWindow(shortcutsWindow_, [this] { return new ShortcutsWindow(this); });
}

void TF1::MM_Help_AboutClick() {
    showHelpWindow(aboutWindow_, [this] {
        return new AboutWindow(this, QFile::decodeName(QByteArray::fromStdString(fsPath(settings_.path()))));
    });
}

void TF1::MM_Help_VersionClick() { dialogs().message(appTitle() + " Build 2 / " + cp("(C) 2026 Velbrook developers")); }

} // namespace vb
