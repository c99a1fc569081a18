#pragma once
// The settings file as the controller window uses it: the category tables,
// the browser's stored geometry, the default category and the two
// application options. Every operation is one batch on the file.

#include "settings/categories.h"
#include "platform/codepage.h"
#include "platform/files.h"

#include <array>
#include <functional>

namespace vb {

// Keys of the application section (named kAppTitle).
inline constexpr char kKeyFormLeft[] = "Position_FormLeft";
inline constexpr char kKeyFormTop[] = "Position_FormTop";
inline constexpr char kKeyFormWidth[] = "Position_FormWidth";
inline constexpr char kKeyFormHeight[] = "Position_FormHeight";
inline constexpr char kKeySplitter1[] = "Position_Splitter1";
inline constexpr char kKeySplitter2[] = "Position_Splitter2";
inline constexpr char kKeyDefaultCategory[] = "DefaultCategory";
inline constexpr char kKeyFastClose[] = "FastClose";
inline constexpr char kKeyShowHint[] = "ShowHint";
inline constexpr char kKeyThreadView[] = "ThreadView";
inline constexpr char kSettingsFileName[] = "Velbrook.ini";

// WindowGeometry entries.
enum GeometryEntry : int {
    kGeomLeft = 0,
    kGeomTop = 1,
    kGeomWidth = 2,
    kGeomHeight = 3,
    kGeomSplitter1 = 4,
    kGeomSplitter2 = 5,
};
constexpr int kGeometryKeyCount = 6;
constexpr int kGeometrySize = 10;
// A stored left and top adding up to this mean "not placed yet": centre.
constexpr int kGeometryUnplacedSum = -2000;

class Settings {
public:
    // The program passes EPath() + "Velbrook.ini", or the file named on its
    // command line. access says who may read the file once written.
    explicit Settings(Bytes iniPath, FileAccess access = FileAccess::Shared);
    const Bytes &path() const { return path_; }

    CategoryTable LoadedCategories;
    // The enabled categories in their order, as the file held them when
    // last read or written here.
    const CategoryTable &activeCategories() const { return active_; }
    const CategoryRecord &activeCategory(int index) const { return active_[size_t(index)]; }
    // Replaces one record in memory; CategoryData_UpDate stores the table.
    void setActiveCategory(int index, const CategoryRecord &record) { active_[size_t(index)] = record; }
    std::array<Bytes, kGeometrySize> WindowGeometry; // 0..5 the six keys, 6..9 "0"
    Bytes DefaultCategory;

    // Fills LoadedCategories from the file; directories default to EPath().
    void CategoryData_Read();
    // Rebuilds the active table from the enabled records of LoadedCategories.
    void CategoryData_Clean();
    // Rewrites category sections 000 to 255 from the active table.
    void CategoryData_UpDate();
    // One change to the category table as the file holds it now: in one
    // batch the table is read and compacted, handed to change, and written
    // when change returns true. Either way the active table is afterwards the
    // table as the file holds it, also when the write fails. Returns what
    // change returned.
    bool changeCategories(const std::function<bool(CategoryTable &table)> &change);

    // Reads WindowGeometry and DefaultCategory.
    void FormStyle_Read();
    // The integer of WindowGeometry entry i. A value that is not a number
    // gives the key's default (the window must always appear); entries 6 to 9
    // and indices out of range give 0. Never throws.
    int geometryValue(int i) const;
    // Writes the six window values and DefaultCategory in one batch.
    void FormStyle_Write(int left, int top, int clientWidth, int clientHeight, int splitter1, int splitter2);

    struct Options {
        bool fastClose = false;
        bool showHint = true;
    };
    Options readOptions() const;
    void writeOptions(const Options &options);
    void writeDefaultCategory(const Bytes &title);
    // Whether the browser shows its titles as threads (the key kKeyThreadView).
    bool readThreadView() const;
    void writeThreadView(bool on);

private:
    CategoryTable active_;
    Bytes path_;
    FileAccess access_;
};

// The six geometry keys in the order they are written, and their defaults.
const std::array<const char *, kGeometryKeyCount> &geometryKeys();
const std::array<int, kGeometryKeyCount> &geometryDefaults();

} // namespace vb
