#pragma once
// A list box of byte-string lines that stays fast at 100,000 lines: a list
// view over compactly held lines (TitleLines, with their number index),
// converting a line to Unicode only when it is drawn. The selected index is
// -1 when nothing is selected.

#include "ui/core/codepage.h"
#include "ui/widgets/title_lines.h"

#include <QAbstractListModel>
#include <QListView>
#include <functional>
#include <string_view>

namespace vb {

class TitleListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    TitleLines lines;
    // While a filter is set, the rows are these lines (indexes into lines, ascending).
    std::vector<int> shown;
    bool filtered = false;
    int lineOf(int row) const { return filtered ? shown[size_t(row)] : row; }
    void reset(); // after the lines were changed
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
    // Shows only the lines keep accepts (all of them for a null filter), now
    // and whenever the lines are built again; a selected line that stays
    // shown stays selected.
    void setFilter(std::function<bool(std::string_view)> keep);
    bool isFiltered() const { return model_->filtered; }
    // Raised after the filter was applied to new lines or a new filter.
    std::function<void()> onFiltered;

    int selectedIndex() const;
    // Selects a line (or none with -1) without raising the selection handler.
    void setSelectedIndex(int i);
    void repaintNow();

    // Raised when the user selects a line by keyboard, or clicks a line
    // (also the one already selected).
    std::function<void()> onUserSelect;

protected:
    // The user can neither clear the selection nor select more than one line.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;

private:
    void refilter();
    std::function<bool(std::string_view)> keep_;
    bool pressedOnLine_ = false;
    TitleListModel *model_;
    bool quiet_ = false;
};

} // namespace vb
