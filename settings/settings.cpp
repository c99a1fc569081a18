#include "settings/settings.h"

#include "settings/profile.h"
#include "platform/epath.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <string>

namespace vb {

const std::array<const char *, kGeometryKeyCount> &geometryKeys() {
    static const std::array<const char *, kGeometryKeyCount> keys = {kKeyFormLeft,   kKeyFormTop,   kKeyFormWidth,
                                                                     kKeyFormHeight, kKeySplitter1, kKeySplitter2};
    return keys;
}

const std::array<int, kGeometryKeyCount> &geometryDefaults() {
    static const std::array<int, kGeometryKeyCount> values = {-1000, -1000, 640, 450, 185, 300};
    return values;
}

Settings::Settings(Bytes iniPath, FileAccess access) : path_(std::move(iniPath)), access_(access) {}

void Settings::CategoryData_Read() {
    LoadedCategories.clear();
    ProfileBatch ini(path_, access_);
    // A file that is there but cannot be read would give no category at all,
    // and the next write of the table would put the built-in category in
    // place of the user's. It could not be written anyway: stop here.
    if (ini.unreadable())
        failCannotWrite(path_, ini.readError());
    // The built-in category reads the folder beside the settings file in use,
    // wherever --settings put it.
    const size_t slash = path_.rfind(kSep);
    readCategories(ini, slash == Bytes::npos ? EPath() : path_.substr(0, slash + 1), LoadedCategories);
    ini.release();
}

void Settings::CategoryData_Clean() { compactCategories(LoadedCategories, active_); }

void Settings::CategoryData_UpDate() {
    ProfileBatch ini(path_, access_);
    writeCategories(ini, active_);
    ini.release();
}

bool Settings::changeCategories(const std::function<bool(CategoryTable &table)> &change) {
    ProfileBatch ini(path_, access_);
    if (ini.unreadable())
        failCannotWrite(path_, ini.readError());
    CategoryTable table;
    readCategories(ini, EPath(), LoadedCategories);
    compactCategories(LoadedCategories, table);
    const CategoryTable read = table;
    const bool changed = change(table);
    if (changed) {
        writeCategories(ini, table);
        try {
            ini.release();
        } catch (const RuntimeError &) {
            active_ = read; // the file holds what it held
            throw;
        }
        // What the next read of the file finds.
        readCategories(ini, EPath(), LoadedCategories);
        compactCategories(LoadedCategories, table);
    }
    active_ = std::move(table);
    return changed;
}

void Settings::FormStyle_Read() {
    WindowGeometry.fill("0");
    ProfileBatch ini(path_, access_);
    for (int i = 0; i < kGeometryKeyCount; ++i)
        WindowGeometry[size_t(i)] =
            ini.readString(kAppTitle, geometryKeys()[size_t(i)], std::to_string(geometryDefaults()[size_t(i)]));
    DefaultCategory = ini.readString(kAppTitle, kKeyDefaultCategory, Bytes());
    ini.release();
}

int Settings::geometryValue(int i) const {
    if (i < 0 || i >= kGeometrySize)
        return 0;
    const int def = i < kGeometryKeyCount ? geometryDefaults()[size_t(i)] : 0;
    int value = 0;
    return parseProfileInteger(WindowGeometry[size_t(i)], value) ? value : def;
}

void Settings::FormStyle_Write(int left, int top, int clientWidth, int clientHeight, int splitter1, int splitter2) {
    const int values[kGeometryKeyCount] = {left, top, clientWidth, clientHeight, splitter1, splitter2};
    ProfileBatch ini(path_, access_);
    for (int i = 0; i < kGeometryKeyCount; ++i)
        ini.writeString(kAppTitle, geometryKeys()[size_t(i)], std::to_string(values[i]));
    ini.writeString(kAppTitle, kKeyDefaultCategory, DefaultCategory);
    ini.release();
}

Settings::Options Settings::readOptions() const {
    ProfileBatch ini(path_, access_);
    Options o;
    o.fastClose = ini.readInteger(kAppTitle, kKeyFastClose, 0) != 0;
    o.showHint = ini.readInteger(kAppTitle, kKeyShowHint, 1) != 0;
    return o;
}

void Settings::writeOptions(const Options &options) {
    ProfileBatch ini(path_, access_);
    ini.writeString(kAppTitle, kKeyFastClose, options.fastClose ? "1" : "0");
    ini.writeString(kAppTitle, kKeyShowHint, options.showHint ? "1" : "0");
    ini.release();
}

void Settings::writeDefaultCategory(const Bytes &title) {
    ProfileBatch ini(path_, access_);
    ini.writeString(kAppTitle, kKeyDefaultCategory, title);
    ini.release();
}

bool Settings::readThreadView() const {
    ProfileBatch ini(path_, access_);
    return ini.readInteger(kAppTitle, kKeyThreadView, 0) != 0;
}

void Settings::writeThreadView(bool on) {
    ProfileBatch ini(path_, access_);
    ini.writeString(kAppTitle, kKeyThreadView, on ? "1" : "0");
    ini.release();
}

} // namespace vb
