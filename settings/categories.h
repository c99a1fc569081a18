#pragma once
// Categories: the 60-slot record, the table of 256 of them, the settings
// words, the keys of a category section and the three operations that move
// categories between the settings file and the tables.

#include "platform/apptitle.h"
#include "platform/codepage.h"

#include <array>
#include <memory>
#include <vector>

namespace vb {

class ProfileBatch;

constexpr int kCategoryCount = 256;
constexpr int kSlotCount = 60;
constexpr int kCategoryKeyCount = 23;

// Slots of a category record. Slots 21, 23, 31 and 33 have no key: they are
// set only in the setup window's template and never stored.
enum CategorySlot : int {
    kSlotEnabled = 0,
    kSlotTitle = 1,
    kSlotDirectory = 2,
    kSlotFileName1 = 3,
    kSlotFileName2 = 4,
    kSlotDefaultFont = 10,
    kSlotSortStyle = 11,
    kSlotSearchMode = 12,
    kSlotTitleText = 13,
    kSlotFixedFontName = 20,
    kSlotFixedFontStyle = 21,
    kSlotFixedFontPoint = 22,
    kSlotFixedFontColor = 23,
    kSlotVariableFontName = 30,
    kSlotVariableFontStyle = 31,
    kSlotVariableFontPoint = 32,
    kSlotVariableFontColor = 33,
    kSlotInfoTitle = 40,
    kSlotInfoName = 41,
    kSlotInfoMailAddress = 42,
    kSlotInfoWebAddress = 43,
    kSlotInfoDate = 44,
    kSlotSearchTXT = 50,
    kSlotSearchDOC = 51,
    kSlotSearchMAN = 52,
    kSlotSearchGGG = 53,
    kSlotSearchINI = 54,
};

// The words stored in the slots. Every test of a slot compares the whole
// value exactly with one of them.
inline constexpr char kWordEnable[] = "Enable";
inline constexpr char kWordDesible[] = "Desible";
inline constexpr char kWordFixed[] = "Fixed";
inline constexpr char kWordVariable[] = "Variable";
inline constexpr char kWordDescendingOrder[] = "Descending Order";
inline constexpr char kWordAscendingOrder[] = "Ascending Order";
inline constexpr char kWordLogMode[] = "Log Mode";
inline constexpr char kWordTextMode[] = "Text Mode";
inline constexpr char kWordFileName[] = "File Name";
inline constexpr char kWordTextLine[] = "Text Line";
inline constexpr char kWordTitle[] = "Title";
inline constexpr char kWordName[] = "Name";
inline constexpr char kWordMailAddress[] = "Mail Address";
inline constexpr char kWordWebAddress[] = "Web Address";
inline constexpr char kWordDate[] = "Date";
inline constexpr char kWordTXT[] = "TXT";
inline constexpr char kWordDOC[] = "DOC";
inline constexpr char kWordMAN[] = "MAN";
inline constexpr char kWordGGG[] = "GGG";
inline constexpr char kWordINI[] = "INI";
inline constexpr char kWordFalse[] = "False";             // a switch turned off in the setup window
inline constexpr char kWordFlase[] = "Flase";             // the built-in category's switches
inline constexpr char kWordNoStyle[] = "[]";              // slots 21 and 31 of a new category
inline constexpr char kWordWindowText[] = "clWindowText"; // slots 23 and 33 of a new category
inline constexpr char kWordNewCategory[] = "New Category";
inline constexpr char kWordDefaultPoint[] = "12";

// "ＭＳ ゴシック" and "ＭＳ Ｐゴシック" in code-page bytes.
const Bytes &fixedFontDefault();
const Bytes &variableFontDefault();

// A category's 60 slots. Only the slots named above ever hold a value, and
// only they take room: reading any other slot gives an empty value, and
// writing one throws std::out_of_range.
struct CategoryRecord {
    Bytes &operator[](int slot) { return values_[size_t(placeOf(slot, true))]; }
    const Bytes &operator[](int slot) const {
        const int p = placeOf(slot, false);
        return p < 0 ? none() : values_[size_t(p)];
    }
    bool isEnabled() const { return (*this)[kSlotEnabled] == kWordEnable; }
    // "Log Mode" exactly; every other value means Text Mode.
    bool isLogMode() const { return (*this)[kSlotSearchMode] == kWordLogMode; }
    void clear();
    bool operator==(const CategoryRecord &o) const { return values_ == o.values_; }
    bool operator!=(const CategoryRecord &o) const { return values_ != o.values_; }

private:
    static constexpr size_t kNamedSlots = 27;
    // Where slot keeps its value, or -1 (std::out_of_range when writing).
    static int placeOf(int slot, bool writing);
    static const Bytes &none();
    std::array<Bytes, kNamedSlots> values_;
};

// 256 records, numbered 0 to 255. An index outside that range throws
// std::out_of_range rather than touching memory it does not own. A record
// takes room once it is written to; until then it reads as a cleared one.
class CategoryTable {
public:
    CategoryTable() : records_(kCategoryCount) {}
    CategoryTable(const CategoryTable &o);
    CategoryTable &operator=(const CategoryTable &o);
    CategoryTable(CategoryTable &&) noexcept = default;
    CategoryTable &operator=(CategoryTable &&) noexcept = default;
    ~CategoryTable() = default;
    CategoryRecord &operator[](int i);
    const CategoryRecord &operator[](int i) const;
    static constexpr int size() { return kCategoryCount; }
    void clear();

private:
    std::vector<std::unique_ptr<CategoryRecord>> records_;
};

// "Velbrook v0.2 - Category - 000" for position 0, up to "... - 255".
Bytes categorySectionName(int position);

// A key of a category section with its slot and the value read when the key
// is missing. The key of the directory defaults to the executable's
// directory instead of a fixed text.
struct CategoryKey {
    Bytes name;
    int slot;
    Bytes def;
    bool defaultsToExeDir = false;
};
// All 23 keys in the order they are written.
const std::array<CategoryKey, kCategoryKeyCount> &categoryKeys();

// The category used when the settings file holds no enabled one. exeDir ends
// in the separator.
CategoryRecord BuiltInCategory(const Bytes &exeDir);

// Fills `loaded` from the category sections of an open batch: position i
// from section i, only "Enabled" read for a section that is not enabled, the
// built-in category at position 0 when none is.
void readCategories(const ProfileBatch &ini, const Bytes &exeDir, CategoryTable &loaded);
// Moves the enabled records of `loaded` to the front of `active`, in order,
// emptying them in `loaded`.
void compactCategories(CategoryTable &loaded, CategoryTable &active);
// Erases category sections 000 to 255 and writes the 23 keys of every
// enabled record of `active` into the section of its position.
void writeCategories(ProfileBatch &ini, const CategoryTable &active);

// A category's Directory as the program uses it: a relative one is taken
// against the program's folder, once, wherever it is used.
Bytes categoryDirectory(const Bytes &stored);

} // namespace vb
