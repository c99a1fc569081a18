#pragma once
// A list box of byte-string lines that stays fast at 100,000 lines: a list
// view over compactly held lines (TitleLines, with their number index),
// converting a line to Unicode only when it is drawn. The selected index is
// -1 when nothing is selected.

#include "platform/codepage.h"
#include "ui/widgets/title_lines.h"

#include <QAbstractListModel>
#include <QListView>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vb {

// The threads of the lines: the parent line of each (-1 for a root), the
// replies of line i as children[childStart[i] .. childStart[i + 1]) in the
// order they are shown, and the roots in the order they are shown.
struct TitleTree {
    std::vector<int32_t> parent, childStart, children, roots;
    // What the lines' numbers are of (the folder): a thread collapsed in one
    // tree stays collapsed in the next tree of the same key, found by the
    // number its line starts with.
    std::string key;
};

class TitleListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    TitleLines lines;
    // While a filter is set, the rows are these lines (indexes into lines,
    // ascending; in tree order while threaded).
    std::vector<int> shown;
    bool filtered = false;
    int lineOf(int row) const { return filtered || threaded ? shown[size_t(row)] : row; }
    void reset();            // after the lines were changed
    uint64_t generation = 0; // counts the resets: rows kept by number are stale once it moves on

    // Threaded: the rows are the lines in tree order, each followed by its
    // replies unless it is collapsed. By line: depth, collapsed, the number
    // of lines below it, its row (-1 when not shown), and while filtered
    // whether the filter keeps it (the others shown are its ancestors).
    bool threaded = false;
    TitleTree tree;
    std::vector<uint16_t> depth;
    std::vector<uint8_t> collapsed, kept;
    std::vector<int32_t> below, rowOf;
    bool hasReplies(int line) const { return tree.childStart[size_t(line) + 1] > tree.childStart[size_t(line)]; }
};

class TitleList : public QListView {
    Q_OBJECT
public:
    explicit TitleList(QWidget *parent = nullptr);

    // Lines are appended (or prepended, see TitleLines) inside a batch; the
    // view learns of them when the batch ends, also when it ends by an
    // exception.
    class Batch {
    public:
        explicit Batch(TitleList &list) : list_(list) {}
        ~Batch() {
            list_.model_->lines.settle();
            list_.refilter();
        }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        TitleList &list_;
    };
    void append(std::string_view line) { model_->lines.append(line); }
    void prepend(std::string_view line) { model_->lines.prepend(line); }
    void reserve(size_t lines) { model_->lines.reserve(lines); }
    void clear();

    // Rows are the lines shown: every line, or those a filter keeps. Count,
    // line, the selected index and moves are in rows.
    int count() const { return model_->rowCount(); }
    Bytes line(int row) const { return Bytes(model_->lines[size_t(model_->lineOf(row))]); }
    // Every line, shown or not, with their number index, always in step with
    // the list; and the two ways between lines and rows.
    const TitleLines &lines() const { return model_->lines; }
    int lineCount() const { return int(model_->lines.size()); }
    int lineOfRow(int row) const { return model_->lineOf(row); }
    int rowOfLine(int line) const; // -1 when the line is not shown
    // Which lines a filter shows.
    class Filter {
    public:
        virtual ~Filter() = default;
        virtual bool keeps(std::string_view line) const = 0;
    };
    // Shows only the lines the filter keeps (all of them for none), now and
    // whenever the lines are built again; a selected line that stays shown
    // stays selected.
    void setFilter(std::unique_ptr<const Filter> filter);
    bool isFiltered() const { return model_->filtered; }

    // Shows the lines as threads (with a tree of as many lines as the list
    // holds), every thread expanded but those collapsed in the last tree of
    // the same key (by number); an empty tree shows the flat list. The
    // selected line stays selected. New lines drop the tree.
    void setTree(TitleTree tree);
    bool isThreaded() const { return model_->threaded; }
    const TitleListModel &rows() const { return *model_; }
    // Threaded: collapses or expands a line's replies, or expands the whole
    // thread below it. The selected line stays selected when still shown.
    void setExpanded(int line, bool expanded);
    void expandBelow(int line);
    // The row of a line, expanding its ancestors first (threaded); -1 when
    // the filter hides it.
    int revealLine(int line);

    int selectedIndex() const;
    // Selects a line (or none with -1) without raising the selection handler.
    void setSelectedIndex(int i);
    void repaintNow();

signals:
    // The user selected a line by keyboard, or clicked a line (also the one
    // already selected); never raised by setSelectedIndex.
    void userSelected();
    // The filter was applied to new lines or a new filter.
    void filtered();

protected:
    // The user can neither clear the selection nor select more than one line.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void refilter();
    void threadRows();
    // Re-lays the rows after a change of what is shown, keeping the selection.
    void reshow();
    // The line of a row whose expander lies under pos, -1 when none does.
    int expanderAt(const QPoint &pos) const;
    // Selects a row as the user does, showing its message.
    void userSelect(int row);
    void installThreadDelegate();
    // Collapsed threads by number, taken from the tree before it goes.
    void rememberCollapsed();
    // Over the accessibility bus the list is Qt's own list while flat and a
    // tree while threaded (title_accessible.cpp). The kind is settled once
    // the events in hand are done, so that a rebuild, which flattens the
    // list for a moment, does not make a new object.
    static void installAccessibility();
    void accessibleKindLater();
    void accessibleKindCheck();
    void announceExpansion(int line);
    bool accessibleThreaded_ = false;
    bool kindCheckPending_ = false;
    std::vector<int32_t> collapsedNumbers_; // ascending
    std::string collapsedKey_;
    std::unique_ptr<const Filter> filter_; // null: every line is shown
    bool pressedOnLine_ = false;
    bool pressedOnExpander_ = false;
    TitleListModel *model_;
    bool quiet_ = false;
};

} // namespace vb
