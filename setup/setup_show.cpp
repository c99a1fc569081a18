// Opening the setup window, the list of categories, showing one entry, the
// switches that follow the search mode, and the directory and font pickers.

#include "messages/numbers.h"
#include "setup/setup_rules.h"
#include "setup/setup_window.h"
#include "platform/epath.h"
#include "platform/errors.h"
#include "ui/widgets/dialogs.h"

#include <QCheckBox>
#include <QRadioButton>
#include <algorithm>

namespace vb {
namespace {

// Checks one button of a pair; its container unchecks the other.
void checkPair(QRadioButton *first, QRadioButton *second, bool firstChecked) {
    (firstChecked ? first : second)->setChecked(true);
}

} // namespace

// The table read, compacted and written back in one batch; the list shows
// it even when it cannot be written.
void TF2::Setup_Read() {
    CategoryData_Default();
    try {
        settings_.changeCategories([](CategoryTable &) { return true; });
    } catch (const RuntimeError &) {
        CategoryData_SetupBoxSetting1st();
        throw;
    }
    CategoryData_SetupBoxSetting1st();
}

void TF2::CategoryData_Default() { template_ = newCategoryTemplate(EPath()); }

// Entries with an empty Title are not listed; entries_ keeps every position
// naming its own entry all the same.
void TF2::fillList() {
    CB_Setup->clear();
    entries_.clear();
    for (int i = 0; i < kCategoryCount; ++i) {
        const Bytes &title = settings_.activeCategory(i)[kSlotTitle];
        if (title.empty())
            continue;
        CB_Setup->addLine(title);
        entries_.push_back(i);
    }
    CB_Setup->setSelectedIndex(-1);
}

void TF2::CategoryData_SetupBoxSetting1st() {
    fillList();
    CB_Setup->setSelectedIndex(entries_.empty() ? -1 : 0);
    CB_SetupChange();
}

void TF2::CategoryData_SetupBoxSetting() {
    fillList();
    CB_SetupChange();
}

int TF2::entryAt(int position) const {
    return position >= 0 && size_t(position) < entries_.size() ? entries_[size_t(position)] : -1;
}

void TF2::selectEntry(int index) {
    const auto it = std::find(entries_.begin(), entries_.end(), index);
    CB_Setup->setSelectedIndex(it == entries_.end() ? -1 : int(it - entries_.begin()));
    CB_SetupChange();
}

void TF2::CB_SetupChange() {
    CB_Setup->repaint();
    const int index = entryAt(CB_Setup->selectedIndex());
    if (index >= 0)
        CategoryProperty_Set(index);
    else
        showNoEntry();
    CB_Setup->setFocus();
}

// With no entry selected there is nothing to show: the text fields are
// emptied so that no deleted entry seems to remain.
void TF2::showNoEntry() {
    for (TextField *f : {Property_Title, Property_Directory, Property_FileName1, Property_FileName2})
        f->clear();
    Property_DefaultLoad->setChecked(false);
}

void TF2::CategoryProperty_Set(int index) {
    const CategoryRecord c = settings_.activeCategory(index);
    Property_Title->setBytes(c[kSlotTitle]);
    Property_Directory->setBytes(c[kSlotDirectory]);
    DLB->setDirectory(nearestExistingDirectory(c[kSlotDirectory]));
    Property_FileName1->setBytes(c[kSlotFileName1]);
    Property_FileName2->setBytes(c[kSlotFileName2]);

    checkPair(Property_RB_Font_Fixed, Property_RB_Font_Variable, c[kSlotDefaultFont] == kWordFixed);
    checkPair(Property_RB_Sort_Descending, Property_RB_Sort_Ascending, c[kSlotSortStyle] == kWordDescendingOrder);
    checkPair(Property_RB_Search_Log, Property_RB_Search_Text, c[kSlotSearchMode] == kWordLogMode);
    checkPair(Property_RB_TitleText_Line, Property_RB_TitleText_File, c[kSlotTitleText] == kWordTextLine);

    Property_FixedFont->showFont(c[kSlotFixedFontName], c[kSlotFixedFontPoint]);
    Property_VariableFont->showFont(c[kSlotVariableFontName], c[kSlotVariableFontPoint]);

    SearchModeEnabled(true, true);
    for (size_t i = 0; i < 5; ++i) {
        informationSwitches()[i]->setChecked(c[kSlotInfoTitle + int(i)] == informationWords()[i]);
        fileSwitches()[i]->setChecked(c[kSlotSearchTXT + int(i)] == fileWords()[i]);
    }
    if (c[kSlotSearchMode] == kWordLogMode)
        SearchModeEnabled(true, false);
    else
        SearchModeEnabled(false, true);

    Property_DefaultLoad->setChecked(c[kSlotTitle] == settings_.DefaultCategory);
}

void TF2::SearchModeEnabled(bool information, bool files) {
    for (QCheckBox *box : informationSwitches())
        box->setEnabled(information);
    for (QCheckBox *box : fileSwitches())
        box->setEnabled(files);
    Property_RB_TitleText_Line->setEnabled(files);
    Property_RB_TitleText_File->setEnabled(files);
}

void TF2::Property_RB_Search_LogClick() { SearchModeEnabled(true, false); }

void TF2::Property_RB_Search_TextClick() { SearchModeEnabled(false, true); }

void TF2::Btn_Property_DirectoryClick() { Property_Directory->setBytes(pickedDirectory(DLB->directory())); }

void TF2::Btn_Property_Font_FixedClick() { pickFont(Property_FixedFont, true); }

void TF2::Btn_Property_Font_VariableClick() { pickFont(Property_VariableFont, false); }

// The dialog starts from the font of the category open in the browser.
void TF2::pickFont(FontLabel *label, bool fixed) {
    Bytes face = browserCategory_[fixed ? kSlotFixedFontName : kSlotVariableFontName];
    int size = wholeNumber(browserCategory_[fixed ? kSlotFixedFontPoint : kSlotVariableFontPoint]);
    if (!dialogs().chooseFont(face, size, fixed))
        return;
    label->setFontChoice(face, size);
}

} // namespace vb
