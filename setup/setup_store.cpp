// Storing categories from the setup window: Set, New and Delete. Each one
// changes ActiveCategories and writes the whole table at once.

#include "setup/setup_rules.h"
#include "setup/setup_window.h"
#include "ui/core/epath.h"
#include "ui/core/errors.h"
#include "ui/core/files.h"

#include <QCheckBox>
#include <QRadioButton>

namespace vb {
namespace {

const char *word(bool on, const char *onWord, const char *offWord) { return on ? onWord : offWord; }

} // namespace

void TF2::CategoryProperty_ArrayIn(int index) {
    CategoryRecord &c = settings_.ActiveCategories[index];
    c[kSlotEnabled] = kWordEnable;
    c[kSlotTitle] = Property_Title->bytes();
    c[kSlotDirectory] = Property_Directory->bytes();
    c[kSlotFileName1] = Property_FileName1->bytes();
    c[kSlotFileName2] = Property_FileName2->bytes();
    c[kSlotDefaultFont] = word(Property_RB_Font_Fixed->isChecked(), kWordFixed, kWordVariable);
    c[kSlotSortStyle] = word(Property_RB_Sort_Descending->isChecked(), kWordDescendingOrder, kWordAscendingOrder);
    c[kSlotSearchMode] = word(Property_RB_Search_Log->isChecked(), kWordLogMode, kWordTextMode);
    c[kSlotTitleText] = word(Property_RB_TitleText_Line->isChecked(), kWordTextLine, kWordFileName);
    c[kSlotFixedFontName] = Property_FixedFont->face();
    c[kSlotFixedFontPoint] = std::to_string(Property_FixedFont->points());
    c[kSlotVariableFontName] = Property_VariableFont->face();
    c[kSlotVariableFontPoint] = std::to_string(Property_VariableFont->points());
    for (size_t i = 0; i < 5; ++i) {
        c[kSlotInfoTitle + int(i)] = word(informationSwitches()[i]->isChecked(), informationWords()[i], kWordFalse);
        c[kSlotSearchTXT + int(i)] = word(fileSwitches()[i]->isChecked(), fileWords()[i], kWordFalse);
    }
}

void TF2::changeTable(const std::function<void()> &command) {
    const int shown = entryAt(CB_Setup->selectedIndex());
    try {
        command();
    } catch (const RuntimeError &) {
        // The settings file kept what it held: show that instead of the
        // change that could not be stored. The first failure is the one
        // reported.
        try {
            settings_.CategoryData_Read();
            settings_.CategoryData_Clean();
            fillList();
            selectEntry(shown);
        } catch (const RuntimeError &) {
        }
        throw;
    }
}

// Set on entry index: the fields normalised and stored, the default mark
// written when asked for, and the table read back so that the window shows
// what the settings file now holds.
void TF2::storeShownEntry(int index) {
    if (Property_Title->bytes().empty())
        Property_Title->setBytes(kWordNewCategory);
    if (Property_Directory->bytes().empty())
        Property_Directory->setBytes(withSeparator(EPath()) + "logtext" + kSep);
    Property_FileName1->setBytes(padToThree(Property_FileName1->bytes()));
    Property_FileName2->setBytes(padToThree(Property_FileName2->bytes()));
    CategoryProperty_ArrayIn(index);
    settings_.CategoryData_UpDate();
    if (Property_DefaultLoad->isChecked()) {
        const Bytes title = Property_Title->bytes();
        settings_.writeDefaultCategory(title);
        settings_.DefaultCategory = title;
    }
    settings_.CategoryData_Read();
    settings_.CategoryData_Clean();
    CategoryData_SetupBoxSetting();
    settings_.CategoryData_UpDate();
    selectEntry(index);
}

void TF2::Btn_Setup_SetClick() {
    const int index = entryAt(CB_Setup->selectedIndex());
    if (index < 0)
        return;
    changeTable([this, index] { storeShownEntry(index); });
}

// The new entry takes the first free place of the table; the entry on view
// is stored with it.
void TF2::Btn_Setup_NewClick() {
    const int n = liveEntries(settings_.ActiveCategories);
    if (n >= 255)
        return;
    changeTable([this, n] {
        settings_.ActiveCategories[n] = template_;
        CB_Setup->addLine(template_[kSlotTitle]);
        entries_.push_back(n);
        Property_DefaultLoad->setChecked(false);
        const int shown = entryAt(CB_Setup->selectedIndex());
        if (shown >= 0) {
            storeShownEntry(shown);
        } else {
            settings_.CategoryData_UpDate();
            fillList();
        }
        selectEntry(n);
    });
}

// No question is asked. The entries after the deleted one move up a place;
// the only entry is replaced by a new one.
void TF2::Btn_Setup_DeleteClick() {
    const int position = CB_Setup->selectedIndex();
    const int k = entryAt(position);
    if (k < 0)
        return;
    changeTable([this, position, k] {
        CategoryTable &table = settings_.ActiveCategories;
        const int n = liveEntries(table);
        if (n <= 1) {
            table[0] = template_;
            settings_.CategoryData_UpDate();
            CategoryData_SetupBoxSetting();
            return;
        }
        for (int i = k; i < n - 1; ++i)
            table[i] = table[i + 1];
        table[n - 1].clear();
        settings_.CategoryData_UpDate();
        fillList();
        CB_Setup->setSelectedIndex(position - 1);
        CB_SetupChange();
    });
}

} // namespace vb
