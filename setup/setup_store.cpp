// Storing categories from the setup window: Set, New and Delete. Another
// program may have changed the settings file since the window read it, so
// each command reads the table again in the batch that writes it and makes
// only its own change there: the entry the user changed is found again by
// what it held when it was shown, and when another program has changed or
// removed that entry meanwhile, the user is asked before it is overwritten.

#include "settings/profile.h"
#include "setup/setup_rules.h"
#include "setup/setup_window.h"
#include "platform/epath.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "ui/widgets/dialogs.h"

#include <QCheckBox>
#include <QRadioButton>

namespace vb {
namespace {

const char *word(bool on, const char *onWord, const char *offWord) { return on ? onWord : offWord; }

// Where the entry the window showed as seen, at index, stands in the table
// as the file holds it now: its own place when it is there unchanged, else
// the one place that holds it unchanged; -1 when another program changed or
// removed it.
int locate(const CategoryTable &table, const CategoryRecord &seen, int index) {
    if (table[index] == seen)
        return index;
    int found = -1;
    for (int i = 0; i < kCategoryCount; ++i) {
        if (table[i] != seen)
            continue;
        if (found >= 0)
            return -1; // twice: which one was shown cannot be told
        found = i;
    }
    return found;
}

// A changed entry still stands at its place under its title; a removed one
// does not.
bool changedInPlace(const CategoryTable &table, const CategoryRecord &seen, int index) {
    return table[index].isEnabled() && table[index][kSlotTitle] == seen[kSlotTitle];
}

Bytes outsideQuestion(const Bytes &title, bool changed, const char *ask) {
    return cp("Category \"") + title +
           cp(changed ? "\" has been changed by another program since it was shown here.\n"
                      : "\" has been removed by another program since it was shown here.\n") +
           ask;
}

// The text fields are refused when the settings file would not give them
// back: a line end or a NUL byte in any of them, and for the Directory also
// anything that would make it name another folder when read back.
void checkStorable(const char *caption, const Bytes &value, bool exact) {
    const ValueFault fault = valueFault(value);
    const char *why = nullptr;
    switch (fault) {
    case ValueFault::None:
        return;
    case ValueFault::LineEnd:
        why = u8"改行を含んでいます";
        break;
    case ValueFault::Nul:
        why = u8"NUL 文字を含んでいます";
        break;
    case ValueFault::Blank:
        why = u8"先頭か末尾に空白があります";
        break;
    case ValueFault::Quotes:
        why = u8"引用符で囲まれています";
        break;
    case ValueFault::TooLong:
        why = u8"2047 バイトを超えています";
        break;
    }
    if (!exact && fault != ValueFault::LineEnd && fault != ValueFault::Nul)
        return;
    throw RuntimeError(Bytes(caption) + " " + quoteForError(value) + cp(u8" は設定ファイルに保存できません (") +
                       cp(why) + ")");
}

} // namespace

void TF2::CategoryProperty_ArrayIn(CategoryRecord &c) const {
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

bool TF2::changeEntry(int index, const char *ask, const std::function<void(CategoryTable &, int)> &apply,
                      bool askWhenRemoved) {
    const CategoryRecord seen = settings_.activeCategory(index);
    bool asked = false;
    for (;;) {
        bool changed = false, removed = false;
        const bool written = settings_.changeCategories([&](CategoryTable &table) {
            int at = locate(table, seen, index);
            if (at < 0) {
                changed = changedInPlace(table, seen, index);
                removed = !changed;
                if (removed && !askWhenRemoved)
                    return false;
                if (!asked)
                    return false;
                at = changed ? index : -1;
            }
            apply(table, at);
            return true;
        });
        if (written)
            return true;
        if (asked || (removed && !askWhenRemoved) || (!changed && !removed))
            return false;
        // The question is asked with no batch open; the answer holds for
        // the table as the file holds it then.
        if (!dialogs().question(outsideQuestion(seen[kSlotTitle], changed, ask)))
            return false;
        asked = true;
    }
}

// Set on entry index: the fields normalised and stored, the default mark
// written when asked for, and the window showing what the settings file now
// holds. Returns the entry's place in the table now, -1 when nothing was
// stored. extra, when given, is one more change made in the same write.
int TF2::storeShownEntry(int index, const std::function<void(CategoryTable &)> &extra) {
    if (Property_Title->bytes().empty())
        Property_Title->setBytes(kWordNewCategory);
    if (Property_Directory->bytes().empty())
        Property_Directory->setBytes(withSeparator(EPath()) + "logtext" + kSep);
    Property_FileName1->setBytes(padToThree(Property_FileName1->bytes()));
    Property_FileName2->setBytes(padToThree(Property_FileName2->bytes()));
    checkStorable("Title", Property_Title->bytes(), false);
    checkStorable("Directory", Property_Directory->bytes(), true);
    checkStorable("File Name", Property_FileName1->bytes(), false);
    checkStorable("File Name", Property_FileName2->bytes(), false);

    const CategoryRecord seen = settings_.activeCategory(index);
    int stored = -1;
    const bool written = changeEntry(
        index, "Store this window's version over it?",
        [&](CategoryTable &table, int at) {
            if (at < 0) { // removed meanwhile: stored again in the first free place
                at = liveEntries(table);
                if (at >= kCategoryCount)
                    return;
                table[at] = seen;
            }
            CategoryProperty_ArrayIn(table[at]);
            stored = at;
            if (extra)
                extra(table);
        },
        true);
    if (stored >= 0 && Property_DefaultLoad->isChecked()) {
        const Bytes title = Property_Title->bytes();
        settings_.writeDefaultCategory(title);
        settings_.DefaultCategory = title;
    }
    // The table read back and written once more, so that the file holds it
    // as it reads (a quoted value without its quotes).
    settings_.changeCategories([](CategoryTable &) { return true; });
    CategoryData_SetupBoxSetting();
    selectEntry(written && stored >= 0 ? stored : index);
    return stored;
}

void TF2::Btn_Setup_SetClick() {
    const int index = entryAt(CB_Setup->selectedIndex());
    if (index < 0)
        return;
    changeTable([this, index] { storeShownEntry(index); });
}

// The new entry takes the first free place of the table; the entry on view
// is stored with it, in the same write.
void TF2::Btn_Setup_NewClick() {
    if (liveEntries(settings_.activeCategories()) >= 255)
        return;
    changeTable([this] {
        int added = -1;
        auto add = [this, &added](CategoryTable &table) {
            const int n = liveEntries(table);
            if (n >= 255)
                return;
            table[n] = template_;
            added = n;
        };
        Property_DefaultLoad->setChecked(false);
        const int shown = entryAt(CB_Setup->selectedIndex());
        if (shown >= 0) {
            storeShownEntry(shown, add);
        } else {
            settings_.changeCategories([&](CategoryTable &table) {
                add(table);
                return added >= 0;
            });
            fillList();
        }
        if (added >= 0)
            selectEntry(added);
    });
}

// No question is asked, unless another program has changed the entry since
// it was shown. The entries after the deleted one move up a place; the only
// entry is replaced by a new one.
void TF2::Btn_Setup_DeleteClick() {
    const int k = entryAt(CB_Setup->selectedIndex());
    if (k < 0)
        return;
    changeTable([this, k] {
        int deleted = -1;
        bool only = false;
        changeEntry(
            k, "Delete it all the same?",
            [&](CategoryTable &table, int at) {
                const int n = liveEntries(table);
                deleted = at;
                if (n <= 1) {
                    table[0] = template_;
                    only = true;
                    return;
                }
                for (int i = at; i < n - 1; ++i)
                    table[i] = table[i + 1];
                table[n - 1].clear();
            },
            false);
        fillList();
        if (deleted < 0) { // nothing deleted: the entry as the file holds it now
            selectEntry(k);
            return;
        }
        // The listed entry before the deleted one; none after the first.
        int position = -1;
        for (size_t p = 0; p < entries_.size() && entries_[p] < deleted && !only; ++p)
            position = int(p);
        CB_Setup->setSelectedIndex(position);
        CB_SetupChange();
    });
}

} // namespace vb
