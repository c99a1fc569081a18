#pragma once
// The browser window: category box, title list, message display, navigation
// and view toggles. Its operations are spread over several files by role:
// browser_layout.cpp (panes and menus), browser_category.cpp (category choice
// and title list), browser_display.cpp (the message on view),
// browser_navigation.cpp (moves, links, toggles, leaving), browser_editing.cpp
// (edit mode, Save, Save As, New, Delete), browser_header_edit.cpp (handing
// the message to the header editor), browser_printing.cpp (the print
// commands) and browser_find.cpp (Go To Number, the Find box, finding in the
// message on view).

#include "browser/browser_host.h"
#include "browser/find/find_controller.h"
#include "browser/title_refresh.h"
#include "messages/current_message.h"
#include "messages/file_list.h"
#include "messages/message_on_view.h"
#include "messages/threads.h"
#include "recovery/recovery_journal.h"
#include "settings/categories.h"
#include "settings/settings.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dirchooser.h"
#include "ui/widgets/memo.h"
#include "ui/widgets/panel.h"
#include "ui/widgets/titlelist.h"

#include <QElapsedTimer>
#include <QKeySequence>
#include <QMainWindow>
#include <array>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

class QFileSystemWatcher;
class QSplitter;
class QMenu;
class QTimer;

namespace vb {

class AboutWindow;
class FindPanel;
class ShortcutsWindow;
enum class TextCommand;
class TextField;

// The browser window's place and pane sizes as the settings file keeps them:
// the outer position, the client size without the menu bar, the width of the
// left pane and the height of the title list.
struct BrowserGeometry {
    int left, top, width, height, splitter1, splitter2;
};
struct PrintContent;

class TF1 : public QMainWindow,
            public HeaderEditReturn,
            private DirChooser::Owner,
            private FindController::Host,
            private JournalSource {
    Q_OBJECT
public:
    explicit TF1(Settings &settings);
    ~TF1() override;
    void setHost(BrowserHost *host) { host_ = host; }

    // Shared state of the browser.
    CategoryRecord CurrentCategory; // working copy of the selected category
    FileList FLB;                   // the listed directory's matching files

    // The record of the message on view, as the load that put it there (or
    // the browser's or the header editor's own write of it) left it; empty
    // when no message is on view.
    const MessageOnView &messageOnView() const { return onView_; }
    // True when the memo holds text that differs from the file: typed in
    // edit mode and not saved, also after a Save that was declined.
    bool holdsUnsavedText() const;

    // Entering the browser and choosing what it lists.
    void DefaultRead();
    // The next category taken lists folder instead of its own directory (a
    // working copy only: nothing is stored).
    void openFolderOnEntry(const Bytes &folder) { folderOnEntry_ = folder; }
    void DefaultRead2();
    void DefaultRead3(const Bytes &fileName);
    void DefaultRead4(int line);
    void CategoryBox_ListSet();
    void CategoryBox_ListChange();
    void Category_Mask();
    void List_DirSet();
    void DLBChange();
    void TitleList_Read();
    // Reads the header of the file at path into header.
    void TitleList_FileRead(const Bytes &path, CurrentMessage &header) const;

    // The message on view.
    void TextLoad();
    void ResMessageCheck(const CurrentMessage &header);
    void ResString(int k, int number, MenuEntry *entry);
    void MemoProperty_Set_Font();
    void MemoProperty_Set_Header();
    void HeaderInfo_Set(int mailTop, int webTop, int dateTop, bool mail, bool web, bool date);
    void Btn_Property();
    void MenuCheck();
    void NoMessage();
    void MemoClear();

    // Editing and keeping messages.
    void Btn_EditClick();
    void Btn_SaveClick();
    void MM_File_SaveAsClick();
    void MM_File_NewClick();
    void MM_File_DeleteClick();
    // True when nothing typed would be lost by reloading or clearing the memo,
    // or the user agreed to drop it ("Edited Text Discard OK?").
    bool mayDiscardEdits();
    // Whether the memo is open for editing.
    bool inEditMode() const;
    // Marks the memo's text as given up or kept, so that no reload asks about it.
    void forgetEdits();
    // The header editor's report (HeaderEditReturn).
    void headerWritten(const MessageOnView &written) override;
    void headerEditClosed() override;

    // The recovery journal (browser_recovery.cpp): the folder its files go
    // in (none: no journal is kept), and the journal itself.
    void setRecoveryFolder(const Bytes &folder);
    RecoveryJournal &journal() { return *journal_; }

    // Moves, links, toggles, leaving.
    void Btn_TopClick();
    void Btn_EndClick();
    void Btn_NextClick();
    void Btn_BackClick();
    void Btn_Next100Click();
    void Btn_Back100Click();
    void MM_View_Res_BackClick();
    void MM_View_Res_NextClick(int k); // k = 1..10
    void MM_View_Res_Next01Click() { MM_View_Res_NextClick(1); }
    void Btn_Font_FixedClick();
    void Btn_Font_VariableClick();
    void Btn_Sort_DescendingClick();
    void Btn_Sort_AscendingClick();
    void Btn_Title_FileClick();
    void Btn_Title_TextClick();
    void Btn_FontClick();
    void Btn_SortClick();
    void Btn_TitleClick();
    void Btn_DefaultClick();
    void Btn_CloseClick();
    void Btn_SetupClick();
    void MM_Option_ApplicationSetupClick();
    void MM_Edit_HeaderClick();
    void MM_Help_VersionClick();
    void MM_Help_ShortcutsClick();
    void MM_Help_AboutClick();
    void FormResize();
    // Sets the least sizes of the panes (and so of the window) at which the
    // buttons, the header panel, the count caption and an open Find box with
    // eight result rows are whole; the splitters keep the panes to them.
    void keepControlsWhole();
    void SplitterCanResize();
    // Places the window and its panes from stored values, fitted to the
    // screen it lands on; a left and top adding up to -2000 centre it.
    void applyGeometry(const BrowserGeometry &g);
    BrowserGeometry geometryToStore() const;

    // Printing (browser_printing.cpp).
    void Btn_PrintClick();
    void MM_File_PrinterSetupClick();
    void MM_File_PrintPreviewClick();
    void MM_File_ExportPdfClick();

    // Finding (browser_find.cpp).
    void MM_View_GoToNumberClick();
    void MM_Edit_FindClick();
    void MM_Edit_FindNextClick();
    void MM_Edit_FindPreviousClick();
    void Btn_FindClick();
    void Btn_FindStopClick();
    void Btn_FindCloseClick();
    void MM_View_FilterClick();
    void TitleFilter_Change();

    // Thread view (browser_thread.cpp).
    void MM_View_ThreadClick();

    // Following the listed folder (browser_watch.cpp). The title list is
    // brought up to the folder as it is now: files added, removed or renamed
    // over come and go, reading only their headers; the message on view
    // stays selected, and is shown again when its file changed unless it is
    // being edited. Reload (F5) does it by hand, and also asks each kept
    // file for its modification time, to find files rewritten in place.
    // The refresh's file work runs on a thread of its own and the list
    // follows when it is done; one asked for meanwhile follows it.
    void TitleList_Refresh(bool byHand = false);
    void MM_View_ReloadClick();
    // Whether a refresh's file work is under way.
    bool refreshUnderWay() const { return refreshRun_ != nullptr; }

private:
    // The controls are the window's own; each has an object name.

    // What the directory chooser asks (browser_layout.cpp).
    bool mayLeaveDirectory() override;
    std::vector<Bytes> subfolders(const Bytes &dir) override;
    void runMove(const std::function<void()> &move) override;
    // What the find controller asks (browser_find.cpp).
    FindScope findScope() const override;
    // The file of the message last loaded; empty when none is.
    Bytes fileOnView() const override;
    bool showFoundMessage(const Bytes &directory, const Bytes &name, Bytes *why) override;
    // What the recovery journal asks (browser_recovery.cpp): the memo's text
    // and, in Log Mode, the header block before it.
    JournalSnapshot journalSnapshot() const override;

    // Panes.
    Panel *Pnl_Main = nullptr;
    QSplitter *Splitter = nullptr;
    Panel *Pnl_Thread = nullptr;
    Panel *Pnl_List_Caption = nullptr;
    ComboList *CBox_Category = nullptr;
    QLabel *Pnl_FLBCount = nullptr;
    Panel *Pnl_List = nullptr;
    QSplitter *Splitter1 = nullptr;
    Panel *Pnl_TitleList = nullptr;
    TitleList *LB_Title = nullptr;
    Panel *Pnl_Dir = nullptr;
    DirChooser *DLB = nullptr;
    Panel *Pnl_Message = nullptr;
    QWidget *Pnl_Control = nullptr;
    QWidget *Pnl_Header = nullptr;
    QFrame *Bvl_Message = nullptr;
    QLabel *Lbl_Message_Title{}, *Lbl_Message_Name{}, *Lbl_Message_Mail{}, *Lbl_Message_Web{}, *Lbl_Message_Date{};
    QLabel *Lbl_Info_Title{}, *Lbl_Info_Name{}, *Lbl_Info_Mail{}, *Lbl_Info_Web{}, *Lbl_Info_Date{};
    Memo *Memo_log = nullptr;

    // Buttons.
    FlatButton *Btn_Top{}, *Btn_End{}, *Btn_Next{}, *Btn_Back{}, *Btn_Next100{}, *Btn_Back100{};
    FlatButton *Btn_Res_Back{}, *Btn_Res_Next{};
    FlatButton *Btn_Font{}, *Btn_Sort{}, *Btn_Title{}, *Btn_Default{};
    FlatButton *Btn_Setup{}, *Btn_Close{};
    FlatButton *Btn_Edit{}, *Btn_Save{}, *Btn_Print{};

    // Menus.
    QMenu *MM_File{}, *MM_Edit{}, *MM_View{}, *MM_View_Res{}, *MM_Option{}, *MM_Help{};
    MenuEntry *MM_File_New{}, *MM_File_Delete{}, *MM_File_Save{}, *MM_File_SaveAs{};
    MenuEntry *MM_File_PrinterSetup{}, *MM_File_Print{}, *MM_File_PrintPreview{}, *MM_File_ExportPdf{},
        *MM_File_Close{};
    MenuEntry *MM_Edit_Edit{}, *MM_Edit_Header{};
    MenuEntry *MM_View_Top{}, *MM_View_Next100{}, *MM_View_Next1{}, *MM_View_Back1{}, *MM_View_Back100{},
        *MM_View_End{};
    MenuEntry *MM_View_Res_Back{}, *MM_View_Res_Next{};
    std::array<MenuEntry *, 10> MM_View_Res_NextK{}; // "01 :" .. "10 :"
    MenuEntry *MM_Option_ApplicationSetup{}, *MM_Option_Setup{};
    MenuEntry *MM_Option_Font_Fixed{}, *MM_Option_Font_Variable{};
    MenuEntry *MM_Option_Sort_Descending{}, *MM_Option_Sort_Ascending{};
    MenuEntry *MM_Option_Title_File{}, *MM_Option_Title_Text{};
    MenuEntry *MM_Help_Version{}, *MM_Help_Shortcuts{}, *MM_Help_About{};
    MenuEntry *MM_Edit_Undo{}, *MM_Edit_Redo{}, *MM_Edit_Cut{}, *MM_Edit_Copy{}, *MM_Edit_Paste{}, *MM_Edit_SelectAll{};
    MenuEntry *MM_View_GoToNumber{}, *MM_Edit_Find{}, *MM_Edit_FindNext{}, *MM_Edit_FindPrevious{};
    FindPanel *Pnl_Find = nullptr;
    MenuEntry *MM_View_Filter = nullptr;
    TextField *Edt_TitleFilter = nullptr;
    MenuEntry *MM_View_Thread = nullptr;
    MenuEntry *MM_View_Reload = nullptr;

protected:
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    // One entry of a menu table: a separator when caption is null.
    struct EntrySpec {
        MenuEntry *TF1::*entry;
        const char *caption, *name, *hint;
        QKeySequence keys;
        void (TF1::*handler)();
        bool checkable;
    };
    static const EntrySpec kSeparator;
    QMenu *addMenu(QMenu *parent, const char *title, const char *hint, std::initializer_list<EntrySpec> entries);
    void addEntries(QMenu *menu, std::initializer_list<EntrySpec> entries);
    void setEditMode(bool on);
    // Empties the record of the message on view (and disables Edit).
    void clearOnView();
    // TextLoad's parts: the link entries emptied, the header panel filled,
    // and a file that cannot be read shown as nothing and reported.
    void clearResEntries();
    void showHeaderInfo(const CurrentMessage &m, bool log);
    [[noreturn]] void failShowing(const Bytes &path, int err);
    // Save's work: true when the file was written.
    bool saveOnView();
    // After Save As wrote a file of the listed folder: the title list is
    // built again and the line of that file selected; the memo stays.
    void relistAfterSaveAs();
    void buildPanes();
    void buildListPane();
    void buildCategoryBox();
    void buildCount();
    void buildTitleList();
    void buildFolderChooser();
    void buildMessagePane();
    void buildControlPanel();
    void buildHeaderPanel();
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildResMenu();
    void buildOptionMenu();
    void buildHelpMenu();
    void applyHints();
    bool logMode() const;
    bool descending() const;
    // The file-list entry paired with title line j.
    Bytes fileForLine(int j) const;
    Bytes listedDirectory() const;
    void selectAndLoad(int line);
    // Lists the directory again, shows the count and empties the title list.
    void relistDirectory();
    // Appends a title line for every listed file in the sort order; returns
    // the line of the file named *wanted (0 when none is).
    int fillTitleList(const Bytes *wanted);
    // fillTitleList's two orders, each returning the line of *wanted.
    class TitleReader;
    int fillInNameOrder(TitleReader &reader, const Bytes *wanted);
    int fillNewestFirst(TitleReader &reader, const Bytes *wanted);
    // The title line of the file whose header is header, into line.
    void titleLine(const Bytes &fileName, const CurrentMessage &header, Bytes &line) const;
    void followLink(MenuEntry *entry, size_t bareLength);
    void setFont(bool fixed);
    void setSort(bool descending);
    void setTitleStyle(bool fileName);
    void storeGeometry();
    // Builds the title list again (and loads its first title when load is
    // true), or shows the no-message state when nothing is listed.
    void rebuildTitles(bool load);
    // The caption of the back-link entry with no message behind it.
    static constexpr char kBackLinkCaption[] = "Back :";
    PrintContent printContent() const;
    Bytes printFolder() const;

    // The Edit menu's text commands (browser_text_commands.cpp): they work on
    // the line or text that has the focus, else on the message text.
    void buildTextCommands();
    QWidget *textCommandTarget() const;
    std::array<std::pair<MenuEntry *, TextCommand>, 6> textCommandEntries() const;
    void updateTextCommands();

    // Finding (browser_find.cpp).
    void buildFind();
    // The title line of a listed file, -1 when it is not listed.
    int lineOfFile(const Bytes &name) const;
    // The title filter (browser_filter.cpp).
    void buildFilter();
    void showCount();
    // The row of title line line, the filter cleared first when it hides the line.
    int rowForLine(int line);
    // Selects title line line (clearing the filter when it hides it) and shows
    // its message; false when the user kept unsaved edits instead.
    bool showLine(int line);
    // The title list's height as stored: the one before the Find box opened.
    int titleListHeightToStore() const;
    void stepFind(int direction);
    void closeFind();
    // A new category or directory: what was found in the old one goes.
    void clearFindResults();

    // The recovery journal (browser_recovery.cpp).
    void buildJournal();
    // Starts journalling the memo's text for the message on view.
    void startJournal();
    // Ends the journal when the memo holds nothing unsaved.
    void endJournalIfSaved();
    // The memo's text goes: its journal ends, and its recovery file stays
    // for the next start when the text was not saved.
    void closeJournal();
    // Asks about every recovery file no running program holds.
    void offerRecoveries();
    void openRecovery(FoundRecovery &&found);
    std::unique_ptr<RecoveryJournal> journal_;
    // Recovery files kept for the next start, locked while this run lasts.
    std::vector<std::unique_ptr<RecoverySlot>> laterRecoveries_;

    Settings &settings_;
    BrowserHost *host_ = nullptr;
    MessageOnView onView_;
    int shownLine_ = -1;                         // the title line (shown or not) whose message was last loaded
    int shownCategory_ = -1;                     // the category box entry last taken
    FindController *finder_ = nullptr;           // the Find box's work
    QObject *textCommandsWatch_ = nullptr;       // context of the Edit menu's state updates
    QList<int> findPaneSizes_;                   // the title list and directory heights before the Find box opened
    bool countFiltered_ = false;                 // the count panel shows the lines shown
    Bytes folderOnEntry_;                        // the folder given on the command line, until it is listed
    ShortcutsWindow *shortcutsWindow_ = nullptr; // made when first asked for
    AboutWindow *aboutWindow_ = nullptr;

    // Thread view (browser_thread.cpp): the title list as the tree of the
    // links, in Log Mode, when the user has it on (remembered in the
    // settings file). A title pass keeps the links of what it reads in a
    // ThreadPass, which gives the list its tree when the pass ends.
    class ThreadPass;
    bool threadsShown() const { return threadView_ && logMode(); }
    void readThreadView();
    void threadMenuCheck();
    // Builds the title list again and shows the file on view, or the first
    // title when it is gone.
    void rebuildTitlesKeeping(const Bytes &fileName);
    bool threadView_ = false;
    ThreadLinks threadLinks_; // the last pass's, kept for a refresh

    // Following the listed folder (browser_watch.cpp).
    void buildWatch();
    // Watches the listed directory and the file on view.
    void followFolder();
    // A change was reported: the refresh follows after a short quiet time,
    // so that a burst of changes makes one.
    void folderChanged();
    void refreshWhenQuiet();
    // What the last complete title pass knew of each listed file, in name
    // order, so that a refresh reads only the headers of new and changed
    // files: the listing it read, shared with the file list while that shows
    // it, and when each header was read (the lines are the title list's, the
    // links threadLinks_). Valid only for the listing, mode and title style
    // it was made with.
    struct TitleCache {
        bool valid = false;
        Bytes directory, mask, titleText;
        bool logMode = false, descending = false, links = false;
        std::shared_ptr<const FileList::Listing> listing;
        ReadTimes read;
        size_t size() const { return listing ? listing->names.size() : 0; }
    };
    // After a complete pass over the file list's listing, with when each
    // header was read.
    void keepTitleCache(ReadTimes read);
    bool titleCacheFits() const;
    TitleCache titleCache_;
    QFileSystemWatcher *watcher_ = nullptr;
    QTimer *refreshTimer_ = nullptr;
    bool refreshPending_ = false; // a change came while the window was hidden
    QElapsedTimer burst_;         // since the first change of those waiting
    // The refresh under way (title_refresh.h). Its id is the generation it
    // was started in; anything that changes what is listed starts another
    // generation, and a result of an earlier one is dropped.
    void takeRefresh(quint64 id);
    void applyRefresh(RefreshResult &r);
    // The pass under way (and one asked for after it) goes; with again, one
    // follows after the quiet time, for the folder's changes it was to show.
    void dropRefresh(bool again);
    // The file of the message on view differs from its load.
    bool onViewChangedOnDisk() const;
    RunReceiver *refreshReceiver_ = nullptr;
    std::shared_ptr<RefreshRun> refreshRun_;
    quint64 refreshGeneration_ = 0;
    size_t refreshOldCount_ = 0;    // the cache's names when the pass was asked for
    bool refreshHadOld_ = false;    // the pass was handed the cache
    bool refreshRunByHand_ = false; // the pass under way is Reload's
    bool refreshQueued_ = false;    // another pass follows the one under way
    bool refreshByHand_ = false;    // the next pass is by hand
};

class TF1::ThreadPass {
public:
    explicit ThreadPass(TF1 &browser);
    ~ThreadPass();
    ThreadPass(const ThreadPass &) = delete;
    ThreadPass &operator=(const ThreadPass &) = delete;
    // The header just read, whose title line is titleLine.
    void add(const CurrentMessage &header, const Bytes &titleLine);

private:
    TF1 &b_;
    bool on_;
};

} // namespace vb
