// The setup window's own controls driven as a user drives them: the
// byte-limited text field, the drive chooser and the font dialog.

#include "platform/files.h"
#include "ui/widgets/drivechooser.h"
#include "ui/widgets/fontdialog.h"
#include "ui/widgets/textfield.h"

#include <QDir>
#include <QFontDatabase>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using vb::Bytes;

TEST(TextField, UserInputIsCutToTheByteLimit) {
    struct Case {
        int limit;
        const char *start; // set by the program
        bool selectAll;    // the edit replaces the whole text
        const char *typed; // utf-8, typed key by key
        const char *pasted;
        const char *expected;
    } cases[] = {
        {3, "", false, "ABCD", "", "ABC"},
        {3, "", false, "", "ABCD", "ABC"},
        {3, "", false, "", u8"あい", u8"あ"}, // a double-byte character counts 2
        {3, "A", false, "", u8"あい", u8"Aあ"},
        {3, "A", false, u8"あい", "", u8"Aあ"},
        {3, "AB", true, "", "XYZW", "XYZ"},      // a replacement may use the room it frees
        {3, "ABCDEF", false, "X", "", "ABCDEF"}, // too long already: nothing more goes in
        {255, "", false, "", "", ""},
    };
    for (const Case &c : cases) {
        vb::TextField field;
        field.setByteLimit(c.limit);
        field.setBytes(vb::cp(c.start));
        EXPECT_EQ(field.bytes(), vb::cp(c.start)) << "the program's text is taken as it is";
        field.setCursorPosition(int(field.text().size()));
        if (c.selectAll)
            field.selectAll();
        for (const QChar ch : QString::fromUtf8(c.typed))
            QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        if (*c.pasted)
            field.insert(QString::fromUtf8(c.pasted));
        EXPECT_EQ(field.text(), QString::fromUtf8(c.expected)) << c.start << " + " << c.typed << c.pasted;
    }
    vb::TextField longField;
    longField.setByteLimit(255);
    longField.insert(QString(300, QLatin1Char('a')));
    EXPECT_EQ(longField.bytes(), Bytes(255, 'a'));
}

TEST(TextField, ATextThatIsTooLongCanBeShortened) {
    vb::TextField field;
    field.setByteLimit(3);
    field.setBytes("ABCDEF");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.bytes(), "ABCDE");
    field.setCursorPosition(0);
    QTest::keyClick(&field, Qt::Key_Delete);
    EXPECT_EQ(field.bytes(), "BCDE");
}

TEST(DriveChooser, ListsTheRootThenHomeThenRealMountPointsOnce) {
    const std::vector<Bytes> drives = vb::systemDrives();
    ASSERT_GE(drives.size(), 1u);
    EXPECT_EQ(drives[0], "/");
    const Bytes home = vb::fsToBytes(QDir::homePath().toStdString());
    if (home != "/") {
        ASSERT_GE(drives.size(), 2u);
        EXPECT_EQ(drives[1], home);
    }
    for (size_t i = 0; i < drives.size(); ++i) {
        EXPECT_TRUE(vb::isDirectory(drives[i])) << drives[i];
        for (const char *pseudo : {"/proc", "/sys", "/dev", "/run"})
            EXPECT_NE(drives[i].rfind(pseudo, 0), 0u) << drives[i];
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(drives[i], drives[j]);
    }
    vb::DriveChooser chooser;
    ASSERT_EQ(chooser.count(), int(drives.size()));
    EXPECT_EQ(chooser.itemText(0), QStringLiteral("/"));
}

TEST(DriveChooser, ShowsThePlaceThatHoldsADirectory) {
    vb::DriveChooser chooser;
    chooser.setDrives({"/", "/home/u", "/mnt/data", "/mnt/data/deep"});
    int raised = 0;
    QObject::connect(&chooser, &QComboBox::activated, [&] { ++raised; });
    const std::pair<const char *, const char *> cases[] = {
        {"/mnt/data/logs", "/mnt/data"},
        {"/mnt/data", "/mnt/data"},
        {"/mnt/database", "/"},
        {"/mnt/data/deep/x", "/mnt/data/deep"},
        {"/home/u", "/home/u"},
        {"/", "/"},
        {"/etc", "/"},
    };
    for (const auto &[dir, drive] : cases) {
        chooser.showDriveOf(dir);
        EXPECT_EQ(chooser.drive(), drive) << dir;
    }
    EXPECT_EQ(raised, 0) << "showing the place is not a choice of the user's";
}

TEST(DriveChooser, APickByTheUserIsReported) {
    vb::DriveChooser chooser;
    chooser.setDrives({"/", "/home/u", "/mnt/data"});
    std::vector<Bytes> picked;
    QObject::connect(&chooser, &QComboBox::activated, [&] { picked.push_back(chooser.drive()); });
    QTest::keyClick(&chooser, Qt::Key_Down);
    QTest::keyClick(&chooser, Qt::Key_Down);
    EXPECT_EQ(picked, (std::vector<Bytes>{"/home/u", "/mnt/data"}));
}

namespace {

bool installed(const char *family) { return QFontDatabase::families().contains(QString::fromUtf8(family)); }

} // namespace

TEST(FontDialog, FixedPitchOnlyOffersFixedFacesJapaneseOnesIncluded) {
    if (!installed("IPAGothic") || !installed("IPAPGothic") || !installed("DejaVu Sans"))
        GTEST_SKIP() << "the IPA and DejaVu fonts are not installed";
    const QStringList fixed = vb::offeredFaces(true), any = vb::offeredFaces(false);
    for (const char *face : {"IPAGothic", "DejaVu Sans Mono"}) {
        EXPECT_TRUE(fixed.contains(QString::fromUtf8(face))) << face;
        EXPECT_TRUE(any.contains(QString::fromUtf8(face))) << face;
    }
    for (const char *face : {"IPAPGothic", "DejaVu Sans"}) {
        EXPECT_FALSE(fixed.contains(QString::fromUtf8(face))) << face;
        EXPECT_TRUE(any.contains(QString::fromUtf8(face))) << face;
    }
}

TEST(FontDialog, StartsOnTheFaceAndASizeInRange) {
    struct Case {
        const char *face;
        int size;
        int shownSize;
    } cases[] = {{"DejaVu Sans", 12, 12}, {"DejaVu Sans", 200, 100}, {"DejaVu Sans", 3, 9}, {"DejaVu Sans", 100, 100}};
    for (const Case &c : cases) {
        vb::FontDialog dialog(QString::fromUtf8(c.face), c.size, false);
        EXPECT_EQ(dialog.face(), QString::fromUtf8(c.face));
        EXPECT_EQ(dialog.size(), c.shownSize) << c.size;
    }
    vb::FontDialog dialog(QStringLiteral("DejaVu Sans"), 12, false);
    for (int i = 0; i < dialog.sizes->count(); ++i) {
        const int s = dialog.sizes->item(i)->text().toInt();
        EXPECT_TRUE(s >= 9 && s <= 100) << s;
    }
}

TEST(FontDialog, AFaceThatStandsForAnInstalledOneIsOffered) {
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("DejaVu Sans Mono"));
    vb::FontDialog dialog(QString::fromUtf8("ＭＳ ゴシック"), 12, true);
    EXPECT_EQ(dialog.faces->item(0)->text(), QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(dialog.face(), QString::fromUtf8("ＭＳ ゴシック"));
    // A face that stands for nothing offered starts on the first face offered.
    vb::FontDialog other(QStringLiteral("No Such Face At All"), 12, true);
    EXPECT_FALSE(other.faces->findItems(QStringLiteral("No Such Face At All"), Qt::MatchExactly).size());
    EXPECT_EQ(other.faces->currentRow(), 0);
}

TEST(FontDialog, PickedWithTheKeyboard) {
    if (!installed("IPAPGothic"))
        GTEST_SKIP() << "the IPA fonts are not installed";
    vb::FontDialog dialog(QStringLiteral("DejaVu Sans"), 12, false);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(dialog.faces, "IPAP");
    dialog.sizeBox->setFocus();
    QTest::keyClick(dialog.sizeBox, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dialog.sizeBox, "24");
    QTest::keyClick(dialog.sizeBox, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.face(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(dialog.size(), 24);
}

TEST(FontDialog, PickedWithTheMouseOrLeftWithEscape) {
    if (!installed("IPAGothic"))
        GTEST_SKIP() << "the IPA fonts are not installed";
    vb::FontDialog dialog(QStringLiteral("DejaVu Sans Mono"), 12, true);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const auto click = [](QListWidget *list, const char *text) {
        QListWidgetItem *item = list->findItems(QString::fromUtf8(text), Qt::MatchExactly).value(0);
        ASSERT_NE(item, nullptr) << text;
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(item).center());
    };
    click(dialog.faces, "IPAGothic");
    click(dialog.sizes, "18");
    EXPECT_EQ(dialog.sizeBox->value(), 18);
    QTest::mouseClick(dialog.ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.face(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(dialog.size(), 18);

    vb::FontDialog left(QStringLiteral("DejaVu Sans Mono"), 12, true);
    left.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&left));
    QTest::keyClick(&left, Qt::Key_Escape);
    EXPECT_EQ(left.result(), QDialog::Rejected);
    EXPECT_FALSE(left.isVisible());
}
