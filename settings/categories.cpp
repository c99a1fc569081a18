#include "settings/categories.h"

#include "platform/epath.h"
#include "platform/files.h"
#include "settings/profile.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace vb {

const Bytes &fixedFontDefault() {
    static const Bytes face = cp(u8"ＭＳ ゴシック");
    return face;
}

const Bytes &variableFontDefault() {
    static const Bytes face = cp(u8"ＭＳ Ｐゴシック");
    return face;
}

int CategoryRecord::placeOf(int slot, bool writing) {
    static constexpr int kNamed[kNamedSlots] = {kSlotEnabled,           kSlotTitle,
                                                kSlotDirectory,         kSlotFileName1,
                                                kSlotFileName2,         kSlotDefaultFont,
                                                kSlotSortStyle,         kSlotSearchMode,
                                                kSlotTitleText,         kSlotFixedFontName,
                                                kSlotFixedFontStyle,    kSlotFixedFontPoint,
                                                kSlotFixedFontColor,    kSlotVariableFontName,
                                                kSlotVariableFontStyle, kSlotVariableFontPoint,
                                                kSlotVariableFontColor, kSlotInfoTitle,
                                                kSlotInfoName,          kSlotInfoMailAddress,
                                                kSlotInfoWebAddress,    kSlotInfoDate,
                                                kSlotSearchTXT,         kSlotSearchDOC,
                                                kSlotSearchMAN,         kSlotSearchGGG,
                                                kSlotSearchINI};
    static const std::array<int8_t, kSlotCount> place = [] {
        std::array<int8_t, kSlotCount> p{};
        p.fill(-1);
        for (size_t i = 0; i < kNamedSlots; ++i)
            p[size_t(kNamed[i])] = int8_t(i);
        return p;
    }();
    const int p = slot >= 0 && slot < kSlotCount ? place[size_t(slot)] : -1;
    if (p < 0 && writing)
        throw std::out_of_range("category slot " + std::to_string(slot) + " holds no value");
    return p;
}

const Bytes &CategoryRecord::none() {
    static const Bytes empty;
    return empty;
}

void CategoryRecord::clear() {
    for (Bytes &slot : values_)
        slot.clear();
}

CategoryTable::CategoryTable(const CategoryTable &o) : records_(kCategoryCount) { *this = o; }

CategoryTable &CategoryTable::operator=(const CategoryTable &o) {
    if (this == &o)
        return *this;
    for (size_t i = 0; i < records_.size(); ++i)
        records_[i] = o.records_[i] ? std::make_unique<CategoryRecord>(*o.records_[i]) : nullptr;
    return *this;
}

CategoryRecord &CategoryTable::operator[](int i) {
    std::unique_ptr<CategoryRecord> &r = records_.at(size_t(i));
    if (!r)
        r = std::make_unique<CategoryRecord>();
    return *r;
}

const CategoryRecord &CategoryTable::operator[](int i) const {
    static const CategoryRecord cleared;
    const std::unique_ptr<CategoryRecord> &r = records_.at(size_t(i));
    return r ? *r : cleared;
}

void CategoryTable::clear() {
    for (std::unique_ptr<CategoryRecord> &r : records_)
        r.reset();
}

Bytes categorySectionName(int position) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", position);
    return Bytes(kAppTitle) + " - Category - " + number;
}

const std::array<CategoryKey, kCategoryKeyCount> &categoryKeys() {
    static const std::array<CategoryKey, kCategoryKeyCount> keys = {{
        {"Enabled", kSlotEnabled, kWordDesible},
        {"Title", kSlotTitle, kWordNewCategory},
        {"Directory", kSlotDirectory, Bytes(), true},
        {"File Name1", kSlotFileName1, "000"},
        {"File Name2", kSlotFileName2, kWordTXT},
        {"Default Font", kSlotDefaultFont, kWordFixed},
        {"Sort Style", kSlotSortStyle, kWordAscendingOrder},
        {"Search Mode", kSlotSearchMode, kWordTextMode},
        {"Title Text", kSlotTitleText, kWordFileName},
        {"Fixed Font Name", kSlotFixedFontName, fixedFontDefault()},
        {"Fixed Font Point", kSlotFixedFontPoint, kWordDefaultPoint},
        {"Variable Font Name", kSlotVariableFontName, variableFontDefault()},
        {"Variable Font Point", kSlotVariableFontPoint, kWordDefaultPoint},
        {"Information Title", kSlotInfoTitle, kWordTitle},
        {"Information Name", kSlotInfoName, kWordName},
        {"Information Mail Address", kSlotInfoMailAddress, kWordMailAddress},
        {"Information Web Address", kSlotInfoWebAddress, kWordWebAddress},
        {"Information Date", kSlotInfoDate, kWordDate},
        {"Seach File TXT", kSlotSearchTXT, kWordTXT},
        {"Seach File DOC", kSlotSearchDOC, kWordDOC},
        {"Seach File MAN", kSlotSearchMAN, kWordMAN},
        {"Seach File GGG", kSlotSearchGGG, kWordGGG},
        {"Seach File INI", kSlotSearchINI, kWordINI},
    }};
    return keys;
}

CategoryRecord BuiltInCategory(const Bytes &exeDir) {
    CategoryRecord r;
    r[kSlotEnabled] = kWordEnable;
    r[kSlotTitle] = "Tavik.bellmoor's Site < Merrowgate >";
    r[kSlotDirectory] = withSeparator(exeDir) + "logtext" + kSep;
    r[kSlotFileName1] = "KVX";
    r[kSlotFileName2] = kWordTXT;
    r[kSlotDefaultFont] = kWordFixed;
    r[kSlotSortStyle] = kWordDescendingOrder;
    r[kSlotSearchMode] = kWordLogMode;
    r[kSlotTitleText] = kWordTextLine;
    r[kSlotFixedFontName] = fixedFontDefault();
    r[kSlotFixedFontPoint] = kWordDefaultPoint;
    r[kSlotVariableFontName] = variableFontDefault();
    r[kSlotVariableFontPoint] = kWordDefaultPoint;
    r[kSlotInfoTitle] = kWordTitle;
    r[kSlotInfoName] = kWordName;
    r[kSlotInfoMailAddress] = kWordMailAddress;
    r[kSlotInfoWebAddress] = kWordWebAddress;
    r[kSlotInfoDate] = kWordDate;
    for (int slot = kSlotSearchTXT; slot <= kSlotSearchINI; ++slot)
        r[slot] = kWordFlase;
    return r;
}

void readCategories(const ProfileBatch &ini, const Bytes &exeDir, CategoryTable &loaded) {
    loaded.clear();
    const auto &keys = categoryKeys();
    int enabled = 0;
    for (int i = 0; i < kCategoryCount; ++i) {
        const Bytes section = categorySectionName(i);
        CategoryRecord &record = loaded[i];
        record[kSlotEnabled] = ini.readString(section, keys[0].name, keys[0].def);
        if (!record.isEnabled())
            continue;
        for (size_t k = 1; k < keys.size(); ++k)
            record[keys[k].slot] =
                ini.readString(section, keys[k].name, keys[k].defaultsToExeDir ? exeDir : keys[k].def);
        ++enabled;
    }
    if (enabled == 0)
        loaded[0] = BuiltInCategory(exeDir);
}

void compactCategories(CategoryTable &loaded, CategoryTable &active) {
    active.clear();
    int k = 0;
    for (int i = 0; i < kCategoryCount; ++i) {
        if (!loaded[i].isEnabled())
            continue;
        active[k++] = std::move(loaded[i]);
        loaded[i].clear();
    }
}

void writeCategories(ProfileBatch &ini, const CategoryTable &active) {
    for (int i = 0; i < kCategoryCount; ++i) {
        const Bytes section = categorySectionName(i);
        ini.eraseSection(section);
        const CategoryRecord &record = active[i];
        if (!record.isEnabled())
            continue;
        for (const CategoryKey &key : categoryKeys())
            ini.writeString(section, key.name, record[key.slot]);
    }
}

Bytes categoryDirectory(const Bytes &stored) {
    if (stored.empty() || isAbsolute(stored))
        return stored;
    return EPath() + stored;
}

} // namespace vb
