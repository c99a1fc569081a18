// Entering the browser, choosing the category and directory, and building
// the title list.

#include "browser/browser_window.h"
#include "browser/title_refresh.h"
#include "messages/header_reader.h"
#include "messages/naming.h"
#include "platform/epath.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <QApplication>
#include <QGuiApplication>
#include <exception>
#include <utility>

namespace vb {
namespace {

// A busy cursor while a list is being built.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

Bytes countCaption(size_t n) { return "Total Message : " + std::to_string(n) + " "; }

} // namespace

bool TF1::logMode() const { return CurrentCategory.isLogMode(); }

bool TF1::descending() const { return CurrentCategory[kSlotSortStyle] == kWordDescendingOrder; }

Bytes TF1::listedDirectory() const { return withSeparator(FLB.directory()); }

// Line j pairs with entry j, or with entry count - 1 - j in descending order.
// The count is the file list's, so that the lines of a list whose building
// stopped part-way still show their own files.
Bytes TF1::fileForLine(int j) const {
    const NameList &names = FLB.names();
    return Bytes(descending() ? names[names.size() - 1 - size_t(j)] : names[size_t(j)]);
}

void TF1::DefaultRead() {
    settings_.FormStyle_Read();
    readThreadView();
    host_->FormStyle_Set(kBrowser);
    settings_.CategoryData_Read();
    settings_.CategoryData_Clean();
    CategoryBox_ListSet();
    settings_.CategoryData_UpDate();
    show();
    CategoryBox_ListChange();
    offerRecoveries();
}

void TF1::DefaultRead2() {
    show();
    CategoryBox_ListChange();
}

void TF1::CategoryBox_ListSet() {
    CBox_Category->clear();
    int sel = 0;
    for (int i = 0; i < kCategoryCount; ++i) {
        const CategoryRecord &rec = settings_.activeCategory(i);
        if (rec[kSlotEnabled] != kWordEnable)
            continue;
        CBox_Category->addLine(rec[kSlotTitle]);
        if (rec[kSlotTitle] == settings_.DefaultCategory)
            sel = i;
    }
    settings_.DefaultCategory = settings_.activeCategory(sel)[kSlotTitle];
    CBox_Category->setSelectedIndex(sel);
    CBox_Category->repaint();
}

void TF1::CategoryBox_ListChange() {
    dropRefresh(false);
    clearFindResults();
    const int p = CBox_Category->selectedIndex();
    CurrentCategory.clear();
    if (p < 0 || p >= kCategoryCount)
        return;
    // Every listing of the directory below comes from one read of it.
    FileList::ReadOnce once(FLB);
    CurrentCategory = settings_.activeCategory(p);
    shownCategory_ = p;
    // A relative directory is the program folder's, not the last listed one's.
    CurrentCategory[kSlotDirectory] = categoryDirectory(CurrentCategory[kSlotDirectory]);
    if (!folderOnEntry_.empty())
        CurrentCategory[kSlotDirectory] = std::exchange(folderOnEntry_, Bytes());
    makeDirectory(CurrentCategory[kSlotDirectory]);
    // Pointing the file list at a directory or mask it does not hold yet
    // lists it; the directory change below lists it again in any case, from
    // the same read.
    FLB.setDirectory(CurrentCategory[kSlotDirectory]);
    Category_Mask();
    MemoProperty_Set_Font();
    MemoProperty_Set_Header();
    Btn_Property();
    List_DirSet();
}

void TF1::Category_Mask() { FLB.setMask(categoryMask(CurrentCategory)); }

void TF1::List_DirSet() { DLB->setDirectory(CurrentCategory[kSlotDirectory]); }

void TF1::DLBChange() {
    clearFindResults();
    MemoClear();
    CurrentCategory[kSlotDirectory] = withSeparator(DLB->directory());
    FLB.setDirectory(CurrentCategory[kSlotDirectory]);
    relistDirectory();
    rebuildTitles(true);
}

void TF1::rebuildTitles(bool load) {
    dropRefresh(true); // lists nothing again when nothing is listed
    if (FLB.names().empty()) {
        NoMessage();
        return;
    }
    TitleList_Read();
    if (load)
        TextLoad();
}

// Reads the listed files' headers into title lines, one file at a time. The
// directory is held open and each file opened by its name in it; one buffer
// serves every header and title line. Each header read here is the listed
// file's own, never the record of the message on view.
class TF1::TitleReader {
public:
    TitleReader(const TF1 &browser, ThreadPass &threads)
        : browser_(browser), threads_(threads), names_(browser.FLB.names()), log_(browser.logMode()) {
        int err = 0;
        if (!folder_.openFolderFs(fsPath(browser.listedDirectory()), &err))
            failIo(ioCodeFromErrno(err), err);
    }
    size_t size() const { return names_.size(); }
    // Reads listed file k: name() and line() are then its own.
    void read(size_t k) {
        name_.assign(names_[k]);
        fsName_.clear();
        appendBytesToFs(fsName_, name_);
        reader_.readIn(folder_, fsName_, name_, log_, header_);
        browser_.titleLine(name_, header_, line_);
        threads_.add(header_, line_);
    }
    const Bytes &name() const { return name_; }
    const Bytes &line() const { return line_; }

private:
    const TF1 &browser_;
    ThreadPass &threads_;
    const NameList &names_;
    const bool log_;
    HeaderReader reader_;
    FileHandle folder_;
    std::string fsName_;
    Bytes name_, line_;
    CurrentMessage header_;
};

int TF1::fillTitleList(const Bytes *wanted) {
    dropRefresh(false); // every header is read here and now
    const int64_t started = systemClockNs();
    BusyCursor busy;
    ThreadPass threads(*this); // ends after the batch, with the lines in place
    TitleList::Batch batch(*LB_Title);
    TitleReader reader(*this, threads);
    LB_Title->reserve(size_t(LB_Title->count()) + reader.size());
    const int found = descending() ? fillNewestFirst(reader, wanted) : fillInNameOrder(reader, wanted);
    keepTitleCache(ReadTimes{started, {}});
    return found;
}

int TF1::fillInNameOrder(TitleReader &reader, const Bytes *wanted) {
    int found = 0;
    for (size_t k = 0; k < reader.size(); ++k) {
        reader.read(k);
        LB_Title->append(reader.line());
        if (wanted && reader.name() == *wanted)
            found = int(k);
    }
    return found;
}

// Newest first, yet the files are read in name order, the order a folder's
// files mostly lie on the disk in: from a cold cache that is far faster than
// reading backwards. Each line goes before those read so far. A file that
// fails ends the list where the walk from the top would meet it, so the
// lines below it go, and the reading goes on to find whether one above fails
// first.
int TF1::fillNewestFirst(TitleReader &reader, const Bytes *wanted) {
    const size_t n = reader.size();
    std::exception_ptr stop;
    int found = -1;
    for (size_t k = 0; k < n; ++k) {
        try {
            reader.read(k);
        } catch (...) {
            stop = std::current_exception();
            LB_Title->clear();
            found = -1;
            continue;
        }
        LB_Title->prepend(reader.line());
        if (wanted && reader.name() == *wanted)
            found = int(n - 1 - k);
    }
    if (stop)
        std::rethrow_exception(stop);
    return std::max(found, 0);
}

void TF1::TitleList_Read() {
    LB_Title->clear();
    fillTitleList(nullptr);
    LB_Title->setSelectedIndex(0);
}

void TF1::TitleList_FileRead(const Bytes &path, CurrentMessage &header) const {
    readMessageHeader(path, logMode(), header);
}

void TF1::titleLine(const Bytes &fileName, const CurrentMessage &header, Bytes &line) const {
    titleLineOf(logMode(), CurrentCategory[kSlotTitleText] == kWordTextLine, fileName, header, line);
}

void TF1::relistDirectory() {
    dropRefresh(false);        // the folder is read here and now
    titleCache_.valid = false; // the list is emptied: a pass must fill it first
    FLB.reread();
    followFolder();
    Pnl_FLBCount->setText(toUnicode(countCaption(FLB.names().size())));
    LB_Title->clear();
}

void TF1::DefaultRead3(const Bytes &fileName) {
    relistDirectory();
    const int sel = fillTitleList(&fileName);
    LB_Title->setSelectedIndex(rowForLine(sel));
    LB_Title->repaintNow();
    TextLoad();
}

void TF1::DefaultRead4(int line) {
    relistDirectory();
    if (!FLB.names().empty())
        fillTitleList(nullptr);
    if (LB_Title->lineCount() == 0) {
        NoMessage();
        return;
    }
    LB_Title->setSelectedIndex(line);
    TextLoad();
}

} // namespace vb
