#include "settings/categories.h"
#include "settings/settings.h"
#include "tests/common/tempdir.h"
#include "tests/common/testfiles.h"
#include "platform/epath.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using vb::Bytes;
using vb::Settings;

namespace {

struct CategoryFixture : ::testing::Test {
    vbtest::TempDir dir;
    std::string path = dir.file("Velbrook.ini");
    Settings settings{path};
    void SetUp() override { vb::setEPath(dir.path()); }
    void cycle() {
        settings.CategoryData_Read();
        settings.CategoryData_Clean();
        settings.CategoryData_UpDate();
    }
};

Bytes section(int i, const Bytes &body) { return "[" + vb::categorySectionName(i) + "]\r\n" + body; }

} // namespace

TEST(Categories, FontDefaultsAreTheCodePageBytes) {
    EXPECT_EQ(vb::fixedFontDefault(), "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
    EXPECT_EQ(vb::variableFontDefault(), "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
    EXPECT_EQ(vb::categorySectionName(0), "Velbrook v0.2 - Category - 000");
    EXPECT_EQ(vb::categorySectionName(255), "Velbrook v0.2 - Category - 255");
}

TEST_F(CategoryFixture, NoEnabledSectionStoresTheBuiltInCategory) {
    vbtest::putFile(path, "[Velbrook v0.2]\r\nShowHint=1\r\n" + section(0, "Enabled=Desible\r\n") +
                              section(1, "Enabled=enable\r\nTitle=lower case\r\n"));
    cycle();
    const Bytes fixed = vb::fixedFontDefault(), variable = vb::variableFontDefault();
    EXPECT_EQ(vbtest::getFile(path),
              "[Velbrook v0.2]\r\nShowHint=1\r\n" +
                  section(0, "Enabled=Enable\r\nTitle=Tavik.bellmoor's Site < Merrowgate >\r\n"
                             "Directory=" +
                                 dir.path() +
                                 "logtext/\r\nFile Name1=KVX\r\nFile Name2=TXT\r\n"
                                 "Default Font=Fixed\r\nSort Style=Descending Order\r\nSearch Mode=Log Mode\r\n"
                                 "Title Text=Text Line\r\nFixed Font Name=" +
                                 fixed +
                                 "\r\nFixed Font Point=12\r\n"
                                 "Variable Font Name=" +
                                 variable +
                                 "\r\nVariable Font Point=12\r\n"
                                 "Information Title=Title\r\nInformation Name=Name\r\n"
                                 "Information Mail Address=Mail Address\r\nInformation Web Address=Web Address\r\n"
                                 "Information Date=Date\r\nSeach File TXT=Flase\r\nSeach File DOC=Flase\r\n"
                                 "Seach File MAN=Flase\r\nSeach File GGG=Flase\r\nSeach File INI=Flase\r\n"));
    EXPECT_EQ(settings.activeCategory(0), vb::BuiltInCategory(dir.path()));
    EXPECT_FALSE(settings.activeCategory(1).isEnabled());
}

// A settings file named on the command line keeps its collection beside it,
// not beside the program.
TEST_F(CategoryFixture, TheBuiltInCategoryReadsTheFolderBesideTheSettingsFileInUse) {
    const std::string elsewhere = dir.file("elsewhere/");
    ::mkdir(elsewhere.c_str(), 0755);
    Settings other{elsewhere + "my.ini"};
    other.CategoryData_Read();
    other.CategoryData_Clean();
    EXPECT_EQ(other.activeCategory(0)[vb::kSlotDirectory], elsewhere + "logtext/");
}

TEST_F(CategoryFixture, EnabledSectionsAreCompactedAndRenumbered) {
    const Bytes unknown = "[Velbrook v0.2 - Category - 7]\r\nEnabled=Enable\r\nTitle=seven\r\n"
                          "; a comment\r\n"
                          "[Velbrook v0.2 - Category - 256]\r\nEnabled=Enable\r\n"
                          "[Another program]\r\nx=1\r\n";
    vbtest::putFile(path, section(0, "Enabled=Desible\r\nTitle=off\r\n") + unknown +
                              section(3, "Enabled=Enable\r\nTitle=A\r\nUnknown Key=gone\r\n") +
                              section(10, "enabled=Enable\r\nTITLE=B\r\n"));
    settings.CategoryData_Read();
    EXPECT_EQ(settings.LoadedCategories[0][vb::kSlotEnabled], "Desible");
    EXPECT_EQ(settings.LoadedCategories[0][vb::kSlotTitle], ""); // not read when not enabled
    EXPECT_EQ(settings.LoadedCategories[3][vb::kSlotTitle], "A");
    EXPECT_EQ(settings.LoadedCategories[10][vb::kSlotTitle], "B");
    settings.CategoryData_Clean();
    EXPECT_EQ(settings.activeCategory(0)[vb::kSlotTitle], "A");
    EXPECT_EQ(settings.activeCategory(1)[vb::kSlotTitle], "B");
    EXPECT_EQ(settings.activeCategory(2), vb::CategoryRecord());
    EXPECT_EQ(settings.LoadedCategories[3], vb::CategoryRecord());
    EXPECT_EQ(settings.LoadedCategories[0][vb::kSlotEnabled], "Desible");
    settings.CategoryData_UpDate();

    const Bytes after = vbtest::getFile(path);
    EXPECT_EQ(after.substr(0, unknown.size()), unknown);
    const Bytes rest = after.substr(unknown.size());
    EXPECT_EQ(rest.find(section(0, "Enabled=Enable\r\nTitle=A\r\n")), 0u);
    EXPECT_NE(rest.find(section(1, "Enabled=Enable\r\nTitle=B\r\n")), Bytes::npos);
    EXPECT_EQ(rest.find("Unknown Key"), Bytes::npos);
    EXPECT_EQ(rest.find("Category - 003"), Bytes::npos);
    EXPECT_EQ(rest.find("Category - 010"), Bytes::npos);

    // The next cycle finds the file as it left it.
    cycle();
    EXPECT_EQ(vbtest::getFile(path), after);
}

TEST_F(CategoryFixture, EnabledAloneReadsEveryDefault) {
    vbtest::putFile(path, section(0, "Enabled=Enable\r\n") + section(1, "Enabled=Enable\r\nTitle=\r\n") +
                              section(2, "Enabled=Enable\r\nTitle=\"  quoted  \"\r\n"));
    settings.CategoryData_Read();
    vb::CategoryRecord expected;
    const char *words[][2] = {
        {"0", "Enable"},        {"1", "New Category"}, {"3", "000"},
        {"4", "TXT"},           {"10", "Fixed"},       {"11", "Ascending Order"},
        {"12", "Text Mode"},    {"13", "File Name"},   {"22", "12"},
        {"32", "12"},           {"40", "Title"},       {"41", "Name"},
        {"42", "Mail Address"}, {"43", "Web Address"}, {"44", "Date"},
        {"50", "TXT"},          {"51", "DOC"},         {"52", "MAN"},
        {"53", "GGG"},          {"54", "INI"},
    };
    for (const auto &w : words)
        expected[std::stoi(w[0])] = w[1];
    expected[vb::kSlotDirectory] = dir.path();
    expected[vb::kSlotFixedFontName] = vb::fixedFontDefault();
    expected[vb::kSlotVariableFontName] = vb::variableFontDefault();
    EXPECT_EQ(settings.LoadedCategories[0], expected);
    // Present but empty is not missing; quotes come off.
    EXPECT_EQ(settings.LoadedCategories[1][vb::kSlotTitle], "");
    EXPECT_EQ(settings.LoadedCategories[2][vb::kSlotTitle], "  quoted  ");
}

TEST_F(CategoryFixture, DuplicateTitlesAndKeylessSlots) {
    vbtest::putFile(path, section(0, "Enabled=Enable\r\nTitle=Same\r\nDirectory=/one/\r\n") +
                              section(1, "Enabled=Enable\r\nTitle=Same\r\nDirectory=/two/\r\n"));
    cycle();
    EXPECT_EQ(settings.activeCategory(0)[vb::kSlotDirectory], "/one/");
    EXPECT_EQ(settings.activeCategory(1)[vb::kSlotTitle], "Same");
    EXPECT_EQ(settings.activeCategory(1)[vb::kSlotDirectory], "/two/");
    // Slots without a key are never stored: they are empty after the next read.
    vb::CategoryRecord keyless = settings.activeCategory(1);
    keyless[vb::kSlotFixedFontStyle] = vb::kWordNoStyle;
    keyless[vb::kSlotVariableFontColor] = vb::kWordWindowText;
    settings.setActiveCategory(1, keyless);
    settings.CategoryData_UpDate();
    EXPECT_EQ(vbtest::getFile(path).find("[]"), Bytes::npos);
    cycle();
    EXPECT_EQ(settings.activeCategory(1)[vb::kSlotFixedFontStyle], "");
    EXPECT_EQ(settings.activeCategory(1)[vb::kSlotVariableFontColor], "");
}
