// Showing the message of the selected title: header panel, related-message
// entries, body text, message font and toggle captions.

#include "browser/browser_window.h"
#include "browser/disk_checks.h"
#include "messages/body_reader.h"
#include "messages/header_block.h"
#include "messages/links.h"
#include "messages/numbers.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>

namespace vb {
namespace {

// A file larger than this is not shown: no message is that long, and the
// text control cannot lay out such text (one line of 100 MB brings it down).
constexpr size_t kShownFileLimit = size_t(16) << 20;

// The part after byte 8 of the last title line whose first five bytes are
// the number in five-digit form; false when no line carries it.
bool lastTitleFor(const TitleLines &lines, int number, Bytes &tail) {
    const int i = lines.lastLineOf(number);
    if (i < 0)
        return false;
    const std::string_view line = lines[size_t(i)];
    tail = line.size() > 8 ? Bytes(line.substr(8)) : Bytes();
    return true;
}

// Gives the memo the text of the stream but its first headerLines lines, a
// piece of the file at a time, so that no copy of a large message is held
// beside the memo's own. False, with err set, when a read fails.
bool streamText(Memo &memo, LineStream &stream, size_t headerLines, int &err) {
    struct ReadFailed {};
    try {
        memo.streamLines([&](std::vector<std::string_view> &batch) {
            for (;;) {
                if (!stream.next(batch, &err)) {
                    if (err != 0)
                        throw ReadFailed();
                    return false;
                }
                const size_t skip = std::min(headerLines, batch.size());
                batch.erase(batch.begin(), batch.begin() + std::ptrdiff_t(skip));
                headerLines -= skip;
                if (!batch.empty())
                    return true;
            }
        });
    } catch (const ReadFailed &) {
        return false;
    }
    return true;
}

} // namespace

void TF1::TextLoad() {
    closeJournal();
    setEditMode(false);
    const int row = LB_Title->selectedIndex();
    const int j = row >= 0 && row < LB_Title->count() ? LB_Title->lineOfRow(row) : -1;
    if (j < 0 || size_t(j) >= FLB.names().size())
        return; // nothing selected: nothing to show
    shownLine_ = j;
    // Until this load has shown the whole message, nothing is on view that a
    // write could take for its own.
    clearOnView();
    const Bytes path = listedDirectory() + fileForLine(j);
    // The file as it is before it is read: a change made after this point,
    // even one made while it is being read, shows as a change later.
    const FileIdentity seen = identityNow(path);
    CurrentMessage header;
    TitleList_FileRead(path, header);

    LineStream stream;
    int err = 0;
    if (!stream.open(path, &err, kShownFileLimit))
        failShowing(path, err);

    clearResEntries();
    Memo_log->setReadOnly(true);
    // The header panel shows this file from here on; its text follows.
    onView_.path = path;
    onView_.Current = std::move(header);
    onView_.logMode = logMode();
    onView_.identity = seen;
    showHeaderInfo(onView_.Current, onView_.logMode);
    // In Log Mode the header block's ten lines are not part of the text.
    if (!streamText(*Memo_log, stream, onView_.logMode ? size_t(kHeaderLines) : 0, err))
        failShowing(path, err);
    // The memo's lines are this version's body lines, when nothing changed
    // the file while it was read.
    FileIdentity after;
    if (seen.present && readFileIdentity(path, after) && after == seen)
        onView_.bodyLines = seen;
    onView_.textOnView = true;
    Btn_Edit->setEnabled(true);
    MM_Edit_Edit->setEnabled(true);
    LB_Title->setFocus();
    followFolder();
}

void TF1::failShowing(const Bytes &path, int err) {
    // Nothing of the message shown before stays, to be saved by mistake
    // under this file's name; no caption stays either.
    MemoClear();
    failCannotOpen(path, err);
}

void TF1::clearResEntries() {
    MM_View_Res_Back->tag = 0;
    MM_View_Res_Back->setCaption(kBackLinkCaption);
    for (int k = 1; k <= 10; ++k) {
        MenuEntry *e = MM_View_Res_NextK[size_t(k - 1)];
        e->tag = 0;
        e->setCaption(twoDigit(k) + " :");
    }
}

void TF1::showHeaderInfo(const CurrentMessage &m, bool log) {
    if (log) {
        setCaption(Lbl_Info_Title, m.Number + " " + m.Title);
        setCaption(Lbl_Info_Name, m.Name);
        setCaption(Lbl_Info_Mail, m.Mail);
        setCaption(Lbl_Info_Web, m.Web);
        setCaption(Lbl_Info_Date, m.Date);
        ResMessageCheck(m);
    } else {
        setCaption(Lbl_Info_Title, m.Number + m.FirstLine);
        setCaption(Lbl_Info_Name, m.FileName);
        setCaption(Lbl_Info_Mail, Bytes());
        setCaption(Lbl_Info_Web, Bytes());
        setCaption(Lbl_Info_Date, Bytes());
    }
}

void TF1::clearOnView() {
    onView_ = MessageOnView();
    // No message, nothing to edit: typed text would have no file to go to.
    Btn_Edit->setEnabled(false);
    MM_Edit_Edit->setEnabled(false);
}

void TF1::ResMessageCheck(const CurrentMessage &header) {
    const int links = nextLinkCount(header.NextLinks);
    for (int k = 1; k <= links; ++k) {
        const int n = nextLink(header.NextLinks, k);
        MenuEntry *e = MM_View_Res_NextK[size_t(k - 1)];
        e->tag = n;
        ResString(k, n, e);
    }
    if (!header.BackLink.empty()) {
        const int n = backLinkNumber(header.BackLink);
        MM_View_Res_Back->tag = n;
        Bytes tail;
        if (lastTitleFor(LB_Title->lines(), n, tail))
            MM_View_Res_Back->setCaption(Bytes(kBackLinkCaption) + " " + tail);
    }
}

void TF1::ResString(int k, int number, MenuEntry *entry) {
    Bytes tail;
    if (lastTitleFor(LB_Title->lines(), number, tail))
        entry->setCaption(twoDigit(k) + " : " + tail);
}

void TF1::MemoProperty_Set_Font() {
    const bool fixed = CurrentCategory[kSlotDefaultFont] == kWordFixed;
    const Bytes &face = CurrentCategory[fixed ? kSlotFixedFontName : kSlotVariableFontName];
    const int points = wholeNumber(CurrentCategory[fixed ? kSlotFixedFontPoint : kSlotVariableFontPoint]);
    Memo_log->setFontSpec(face, points, fixed);
}

void TF1::MemoProperty_Set_Header() {
    const int p = CBox_Category->selectedIndex();
    const bool log = p >= 0 && p < kCategoryCount && settings_.activeCategory(p)[kSlotSearchMode] == kWordLogMode;
    const bool mail = log && CurrentCategory[kSlotInfoMailAddress] == kWordMailAddress;
    const bool web = log && CurrentCategory[kSlotInfoWebAddress] == kWordWebAddress;
    const bool date = log && CurrentCategory[kSlotInfoDate] == kWordDate;
    int top = 38;
    const int mailTop = mail ? top : 0;
    top += mail ? 15 : 0;
    const int webTop = web ? top : 0;
    top += web ? 15 : 0;
    const int dateTop = date ? top : 0;
    const int shown = int(mail) + int(web) + int(date);
    Pnl_Header->resize(Pnl_Header->width(), shown == 0 ? 36 : 40 + 15 * shown);
    HeaderInfo_Set(mailTop, webTop, dateTop, mail, web, date);
    Pnl_Message->relayout();
}

void TF1::HeaderInfo_Set(int mailTop, int webTop, int dateTop, bool mail, bool web, bool date) {
    const struct {
        QLabel *caption, *value;
        int top;
        bool shown;
    } rows[] = {{Lbl_Message_Mail, Lbl_Info_Mail, mailTop, mail},
                {Lbl_Message_Web, Lbl_Info_Web, webTop, web},
                {Lbl_Message_Date, Lbl_Info_Date, dateTop, date}};
    for (const auto &r : rows) {
        r.caption->move(r.caption->x(), r.top);
        r.value->move(r.value->x(), r.top);
        r.caption->setVisible(r.shown);
        r.value->setVisible(r.shown);
    }
}

void TF1::Btn_Property() {
    Btn_Font->setCaption(CurrentCategory[kSlotDefaultFont] == kWordFixed ? "Fixed" : "Variable");
    Btn_Sort->setCaption(CurrentCategory[kSlotSortStyle] == kWordDescendingOrder ? "Descending" : "Ascending");
    Btn_Title->setCaption(CurrentCategory[kSlotTitleText] == kWordFileName ? "File" : "Text");
    MenuCheck();
}

void TF1::MenuCheck() {
    const bool fixed = Btn_Font->caption() == "Fixed";
    const bool desc = Btn_Sort->caption() == "Descending";
    const bool file = Btn_Title->caption() == "File";
    MM_Option_Font_Fixed->setChecked(fixed);
    MM_Option_Font_Variable->setChecked(!fixed);
    MM_Option_Sort_Descending->setChecked(desc);
    MM_Option_Sort_Ascending->setChecked(!desc);
    MM_Option_Title_File->setChecked(file);
    MM_Option_Title_Text->setChecked(!file);
    threadMenuCheck();
}

void TF1::NoMessage() {
    LB_Title->clear();
    Memo_log->clearText();
    clearOnView();
}

void TF1::MemoClear() {
    closeJournal();
    for (QLabel *l : {Lbl_Info_Title, Lbl_Info_Name, Lbl_Info_Mail, Lbl_Info_Web, Lbl_Info_Date})
        l->clear();
    Memo_log->clearText();
    clearOnView();
}

} // namespace vb
