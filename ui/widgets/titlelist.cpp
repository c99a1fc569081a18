#include "ui/widgets/titlelist.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <algorithm>

namespace vb {

int TitleListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(filtered ? shown.size() : lines.size());
}

QVariant TitleListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    QString text;
    appendUnicode(text, lines[size_t(lineOf(index.row()))]);
    return text;
}

void TitleListModel::reset() {
    beginResetModel();
    endResetModel();
}

TitleList::TitleList(QWidget *parent) : QListView(parent), model_(new TitleListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Keyboard moves show the line they land on; mouse clicks are taken on
    // release, so that a click on the selected line shows it again.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &cur) {
        if (quiet_ || !cur.isValid() || QApplication::mouseButtons() != Qt::NoButton)
            return;
        selectionModel()->select(cur, QItemSelectionModel::ClearAndSelect);
        if (onUserSelect)
            onUserSelect();
    });
}

QItemSelectionModel::SelectionFlags TitleList::selectionCommand(const QModelIndex &index, const QEvent *) const {
    return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
}

void TitleList::mousePressEvent(QMouseEvent *e) {
    pressedOnLine_ = e->button() == Qt::LeftButton && indexAt(e->position().toPoint()).isValid();
    QListView::mousePressEvent(e);
}

void TitleList::mouseReleaseEvent(QMouseEvent *e) {
    QListView::mouseReleaseEvent(e);
    const bool clicked = pressedOnLine_ && e->button() == Qt::LeftButton;
    pressedOnLine_ = false;
    if (clicked && selectedIndex() >= 0 && onUserSelect)
        onUserSelect();
}

void TitleList::focusInEvent(QFocusEvent *e) {
    // Gaining the focus selects nothing by itself.
    quiet_ = true;
    QListView::focusInEvent(e);
    quiet_ = false;
}

void TitleList::clear() {
    model_->lines.clear();
    model_->shown.clear();
    model_->reset();
}

int TitleList::rowOfLine(int line) const {
    if (line < 0 || line >= lineCount())
        return -1;
    if (!model_->filtered)
        return line;
    const auto &shown = model_->shown;
    const auto it = std::lower_bound(shown.begin(), shown.end(), line);
    return it != shown.end() && *it == line ? int(it - shown.begin()) : -1;
}

void TitleList::setFilter(std::function<bool(std::string_view)> keep) {
    const int row = selectedIndex();
    const int selected = row >= 0 ? lineOfRow(row) : -1;
    keep_ = std::move(keep);
    refilter();
    setSelectedIndex(rowOfLine(selected));
}

void TitleList::refilter() {
    TitleListModel &m = *model_;
    m.shown.clear();
    m.filtered = bool(keep_);
    if (m.filtered)
        for (size_t i = 0; i < m.lines.size(); ++i)
            if (keep_(m.lines[i]))
                m.shown.push_back(int(i));
    m.reset();
    if (onFiltered)
        onFiltered();
}

int TitleList::selectedIndex() const {
    const QModelIndexList sel = selectionModel()->selectedIndexes();
    return sel.isEmpty() ? -1 : sel.first().row();
}

void TitleList::setSelectedIndex(int i) {
    quiet_ = true;
    if (i >= 0 && i < count()) {
        const QModelIndex idx = model_->index(i);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
        scrollTo(idx);
    } else {
        selectionModel()->clear();
    }
    quiet_ = false;
}

void TitleList::repaintNow() { viewport()->repaint(); }

} // namespace vb
