#include "titlelist.h"

#include <QItemSelectionModel>

namespace vb {

int TitleListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(lines.size());
}

QVariant TitleListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= lines.size())
        return {};
    return toUnicode(lines[size_t(index.row())]);
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
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &cur) {
        if (quiet_ || !cur.isValid())
            return;
        selectionModel()->select(cur, QItemSelectionModel::ClearAndSelect);
        if (onUserSelect)
            onUserSelect();
    });
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
