#include "ui/widgets/titlelist.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>

namespace vb {

int TitleListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(lines.size()); }

QVariant TitleListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= lines.size())
        return {};
    QString text;
    appendUnicode(text, lines[size_t(index.row())]);
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
    model_->reset();
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
