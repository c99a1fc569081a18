#include "platform/codepage.h"
#include "platform/epath.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "settings/settings.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

using vb::Bytes;
using vb::Settings;

namespace {

struct SettingsFixture : ::testing::Test {
    vbtest::TempDir dir;
    std::string path = dir.file("Velbrook.ini");
    Settings settings{path};
    void SetUp() override { vb::setEPath(dir.path()); }
};

} // namespace

TEST_F(SettingsFixture, GeometryDefaultsAndValuesThatAreNotNumbers) {
    settings.WindowGeometry.fill("junk");
    settings.FormStyle_Read();
    const std::array<Bytes, 10> firstRun = {"-1000", "-1000", "640", "450", "185", "300", "0", "0", "0", "0"};
    EXPECT_EQ(settings.WindowGeometry, firstRun);
    EXPECT_EQ(settings.DefaultCategory, "");

    vbtest::putFile(path, "[VELBROOK V0.2]\r\nPosition_FormLeft=-500\r\nPosition_FormTop=-1500\r\n"
                          "Position_FormWidth=wide\r\nPosition_FormHeight=\r\nPosition_Splitter1=\"12 \"\r\n"
                          "Position_Splitter2=99999999999\r\nDefaultCategory=Logs\r\n");
    settings.FormStyle_Read();
    EXPECT_EQ(settings.geometryValue(vb::kGeomLeft) + settings.geometryValue(vb::kGeomTop), vb::kGeometryUnplacedSum);
    EXPECT_EQ(settings.WindowGeometry[vb::kGeomWidth], "wide");
    EXPECT_EQ(settings.geometryValue(vb::kGeomWidth), 640);
    EXPECT_EQ(settings.geometryValue(vb::kGeomHeight), 450);
    EXPECT_EQ(settings.geometryValue(vb::kGeomSplitter1), 185);
    EXPECT_EQ(settings.geometryValue(vb::kGeomSplitter2), 300);
    EXPECT_EQ(settings.geometryValue(7), 0);
    EXPECT_EQ(settings.geometryValue(-1), 0);
    EXPECT_EQ(settings.geometryValue(10), 0);
    EXPECT_EQ(settings.DefaultCategory, "Logs");
}

TEST_F(SettingsFixture, FormStyleWriteStoresSevenValuesInOrder) {
    settings.DefaultCategory = vb::cp(u8"日記");
    settings.FormStyle_Write(10, -20, 800, 600, 200, 310);
    EXPECT_EQ(vbtest::getFile(path), "[Velbrook v0.2]\r\nPosition_FormLeft=10\r\nPosition_FormTop=-20\r\n"
                                     "Position_FormWidth=800\r\nPosition_FormHeight=600\r\n"
                                     "Position_Splitter1=200\r\nPosition_Splitter2=310\r\nDefaultCategory=" +
                                         vb::cp(u8"日記") + "\r\n");
    Settings again(path);
    again.FormStyle_Read();
    EXPECT_EQ(again.geometryValue(vb::kGeomTop), -20);
    EXPECT_EQ(again.geometryValue(vb::kGeomSplitter2), 310);
    EXPECT_EQ(again.DefaultCategory, vb::cp(u8"日記"));
    again.writeDefaultCategory("Other");
    again.FormStyle_Read();
    EXPECT_EQ(again.DefaultCategory, "Other");
}

TEST_F(SettingsFixture, Options) {
    Settings::Options o = settings.readOptions();
    EXPECT_FALSE(o.fastClose);
    EXPECT_TRUE(o.showHint);
    vbtest::putFile(path, "[Velbrook v0.2]\r\nFastClose=0x1\r\nShowHint=abc\r\n");
    o = settings.readOptions();
    EXPECT_TRUE(o.fastClose);
    EXPECT_TRUE(o.showHint);
    vbtest::putFile(path, "[Velbrook v0.2]\r\nFastClose=yes\r\nShowHint=0\r\n");
    o = settings.readOptions();
    EXPECT_FALSE(o.fastClose);
    EXPECT_FALSE(o.showHint);
    settings.writeOptions({true, false});
    EXPECT_EQ(vbtest::getFile(path), "[Velbrook v0.2]\r\nFastClose=1\r\nShowHint=0\r\n");
}

TEST_F(SettingsFixture, RefusedRewriteLeavesTheFileAsItWas) {
    const Bytes before = "[Velbrook v0.2 - Category - 003]\r\nEnabled=Enable\r\nTitle=A\r\n";
    vbtest::putFile(path, before);
    ::chmod(path.c_str(), 0444);
    settings.CategoryData_Read();
    settings.CategoryData_Clean();
    try {
        settings.CategoryData_UpDate();
        FAIL() << "a read-only settings file was rewritten";
    } catch (const vb::RuntimeError &e) {
        EXPECT_EQ(e.text(), path + vb::cp(u8" に書き込めません"));
    }
    EXPECT_EQ(vbtest::getFile(path), before);
}

// A change of the categories whose write fails leaves in use what the file
// still holds, not the change and not an empty table.
TEST_F(SettingsFixture, ACategoryChangeThatCannotBeWrittenLeavesTheFilesCategoriesInUse) {
    const Bytes before = "[Velbrook v0.2 - Category - 003]\r\nEnabled=Enable\r\nTitle=A\r\n"
                         "[Velbrook v0.2 - Category - 007]\r\nEnabled=Enable\r\nTitle=B\r\n";
    vbtest::putFile(path, before);
    settings.CategoryData_Read();
    settings.CategoryData_Clean();
    vb::fileOps().rename = [](const char *, const char *) { return errno = EIO, -1; };
    EXPECT_THROW(settings.changeCategories([](vb::CategoryTable &t) {
        t[0][vb::kSlotTitle] = "Changed";
        t[1].clear();
        return true;
    }),
                 vb::RuntimeError);
    vb::fileOps() = vb::systemFileOps();
    EXPECT_EQ(settings.activeCategories()[0][vb::kSlotTitle], "A");
    EXPECT_EQ(settings.activeCategories()[1][vb::kSlotTitle], "B");
    EXPECT_FALSE(settings.activeCategories()[2].isEnabled());
    EXPECT_EQ(vbtest::getFile(path), before);
}
