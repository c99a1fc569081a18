#include "settings/categories.h"

#include "settings/profile.h"
#include "platform/epath.h"
#include "platform/files.h"

#include <cstdio>

namespace vb {

const Bytes &fixedFontDefault() {
    static const Bytes face = cp(u8"ＭＳ ゴシック");
    return face;
}

const Bytes &variableFontDefault() {
    static const Bytes face = cp(u8"ＭＳ Ｐゴシック");
    return face;
}

void CategoryRecord::clear() {
    for (Bytes &slot : values)
        slot.clear();
}

void CategoryTable::clear() {
    for (CategoryRecord &record : records_)
        record.clear();
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
