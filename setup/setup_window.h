#pragma once
// The category setup window: one category of the active table at a time,
// chosen in a list, shown in fields that are edited freely and stored by
// Set, New and Delete. Its operations are spread over files by role:
// setup_window.cpp (controls and layout, closing), setup_show.cpp (opening,
// the list, showing an entry, the mode switches and the pickers),
// setup_store.cpp (Set, New and Delete).

#include "settings/settings.h"
#include "setup/font_label.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dirchooser.h"
#include "ui/widgets/drivechooser.h"
#include "ui/widgets/textfield.h"

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vb {

class TF2 : public QWidget {
    Q_OBJECT
public:
    // browserCategory is the category open in the browser: the font dialogs
    // start from its fonts.
    TF2(Settings &settings, const CategoryRecord &browserCategory);

    // The panel the window is placed by.
    QWidget *setupPanel() const { return Pnl_Setup; }

    // Opening: the template rebuilt, the table read, compacted, listed with
    // its first entry shown, and written back.
    void Setup_Read();
    void CategoryData_Default();
    void CategoryData_SetupBoxSetting1st();
    void CategoryData_SetupBoxSetting();
    void CB_SetupChange();
    // Shows entry index of the active category table in the fields.
    void CategoryProperty_Set(int index);
    void SearchModeEnabled(bool information, bool files);
    void Property_RB_Search_LogClick();
    void Property_RB_Search_TextClick();
    void Btn_Property_DirectoryClick();
    void Btn_Property_Font_FixedClick();
    void Btn_Property_Font_VariableClick();

    // Storing.
    void Btn_Setup_SetClick();
    void Btn_Setup_NewClick();
    void Btn_Setup_DeleteClick();
    // The fields into a record.
    void CategoryProperty_ArrayIn(CategoryRecord &c) const;

    void Btn_Setup_CloseClick();

    // The table entry listed at a position of CB_Setup; -1 for none.
    int entryAt(int position) const;

signals:
    // The window was closed: the browser is entered again.
    void closed();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    // The controls, by the names their object names repeat.
    QWidget *Pnl_Setup = nullptr; // 632 x 365
    ComboList *CB_Setup = nullptr;
    QPushButton *Btn_Setup_New{}, *Btn_Setup_Close{};
    QGroupBox *Grp_Property = nullptr; // 410 x 310
    TextField *Property_Title{}, *Property_Directory{}, *Property_FileName1{}, *Property_FileName2{};
    QPushButton *Btn_Property_Directory = nullptr;
    QCheckBox *Property_DefaultLoad = nullptr;
    FontLabel *Property_FixedFont{}, *Property_VariableFont{};
    QPushButton *Btn_Property_Font_Fixed{}, *Btn_Property_Font_Variable{};
    QRadioButton *Property_RB_Font_Fixed{}, *Property_RB_Font_Variable{};
    QRadioButton *Property_RB_Sort_Descending{}, *Property_RB_Sort_Ascending{};
    QRadioButton *Property_RB_Search_Log{}, *Property_RB_Search_Text{};
    QRadioButton *Property_RB_TitleText_Line{}, *Property_RB_TitleText_File{};
    QCheckBox *Property_Info_Title{}, *Property_Info_Name{}, *Property_Info_Mail{}, *Property_Info_Web{},
        *Property_Info_Date{};
    QCheckBox *Property_Search_TXT{}, *Property_Search_DOC{}, *Property_Search_MAN{}, *Property_Search_GGG{};
    QCheckBox *Property_Search_INI{};
    QPushButton *Btn_Setup_Set{}, *Btn_Setup_Delete{};
    DriveChooser *DCB = nullptr;
    DirChooser *DLB = nullptr;

    void buildTopRow();
    void buildProperty();
    void fontRow(int row, FontLabel *&fontLabel, const char *labelName, QPushButton *&picker, const char *pickerName,
                 const std::function<void()> &handler);
    void buildModeSwitches();
    void buildChoosers();
    void applyHints();
    // The list filled from the table, without a selection.
    void fillList();
    void selectEntry(int index);
    void showNoEntry();
    void pickFont(FontLabel *label, bool fixed);
    // Runs a command that changes the table; when it fails, the window shows
    // what the settings file holds before the failure is reported.
    void changeTable(const std::function<void()> &command);
    // Makes one change to entry index as the window showed it, in the table
    // as the file holds it now: apply gets that table and the entry's place
    // there, -1 when another program removed it. When another program
    // changed the entry (or removed it, where askWhenRemoved), the user is
    // asked first, ask closing the question. A removed entry is otherwise
    // left alone. True when the change was written.
    bool changeEntry(int index, const char *ask, const std::function<void(CategoryTable &, int)> &apply,
                     bool askWhenRemoved);
    int storeShownEntry(int index, const std::function<void(CategoryTable &)> &extra = nullptr);

    std::array<QCheckBox *, 5> informationSwitches() const;
    std::array<QCheckBox *, 5> fileSwitches() const;

    Settings &settings_;
    const CategoryRecord &browserCategory_;
    CategoryRecord template_;
    std::vector<int> entries_; // table entry of each list position
};

} // namespace vb
