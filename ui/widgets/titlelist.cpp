#include "ui/widgets/titlelist.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <algorithm>

namespace vb {

int TitleListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(filtered || threaded ? shown.size() : lines.size());
}

QVariant TitleListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int line = lineOf(index.row());
    if (role == Qt::ForegroundRole && threaded && !kept.empty() && !kept[size_t(line)])
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text); // an ancestor of a title found
    if (role != Qt::DisplayRole)
        return {};
    QString text;
    appendUnicode(text, lines[size_t(line)]);
    // A collapsed thread tells how many replies it holds.
    if (threaded && collapsed[size_t(line)] && hasReplies(line))
        text += QStringLiteral(" (%1)").arg(below[size_t(line)]);
    return text;
}

void TitleListModel::reset() {
    ++generation;
    beginResetModel();
    endResetModel();
}

TitleList::TitleList(QWidget *parent) : QListView(parent), model_(new TitleListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    installThreadDelegate();
    installAccessibility();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Keyboard moves show the line they land on; mouse clicks are taken on
    // release, so that a click on the selected line shows it again.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &cur) {
        if (quiet_ || !cur.isValid() || QApplication::mouseButtons() != Qt::NoButton)
            return;
        selectionModel()->select(cur, QItemSelectionModel::ClearAndSelect);
        emit userSelected();
    });
}

QItemSelectionModel::SelectionFlags TitleList::selectionCommand(const QModelIndex &index, const QEvent *) const {
    return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
}

void TitleList::mousePressEvent(QMouseEvent *e) {
    // A click on a thread's expander opens or closes it and selects nothing.
    const int expander = e->button() == Qt::LeftButton ? expanderAt(e->position().toPoint()) : -1;
    pressedOnExpander_ = expander >= 0;
    if (expander >= 0) {
        pressedOnLine_ = false;
        setExpanded(expander, model_->collapsed[size_t(expander)]);
        e->accept();
        return;
    }
    pressedOnLine_ = e->button() == Qt::LeftButton && indexAt(e->position().toPoint()).isValid();
    QListView::mousePressEvent(e);
}

void TitleList::mouseReleaseEvent(QMouseEvent *e) {
    if (pressedOnExpander_) { // the press was all of it
        pressedOnExpander_ = false;
        e->accept();
        return;
    }
    QListView::mouseReleaseEvent(e);
    const bool clicked = pressedOnLine_ && e->button() == Qt::LeftButton;
    pressedOnLine_ = false;
    if (clicked && selectedIndex() >= 0)
        emit userSelected();
}

void TitleList::focusInEvent(QFocusEvent *e) {
    // Gaining the focus selects nothing by itself.
    quiet_ = true;
    QListView::focusInEvent(e);
    quiet_ = false;
}

void TitleList::clear() {
    // The numbers of the collapsed threads are read off their lines.
    rememberCollapsed();
    model_->lines.clear();
    model_->shown.clear();
    if (model_->threaded)
        setTree(TitleTree()); // a tree stands only over the lines it was made for
    model_->reset();
}

int TitleList::rowOfLine(int line) const {
    if (line < 0 || line >= lineCount())
        return -1;
    if (model_->threaded)
        return model_->rowOf[size_t(line)];
    if (!model_->filtered)
        return line;
    const auto &shown = model_->shown;
    const auto it = std::lower_bound(shown.begin(), shown.end(), line);
    return it != shown.end() && *it == line ? int(it - shown.begin()) : -1;
}

void TitleList::setFilter(std::unique_ptr<const Filter> filter) {
    const int row = selectedIndex();
    const int selected = row >= 0 ? lineOfRow(row) : -1;
    filter_ = std::move(filter);
    refilter();
    setSelectedIndex(rowOfLine(selected));
}

void TitleList::refilter() {
    TitleListModel &m = *model_;
    m.shown.clear();
    m.filtered = filter_ != nullptr;
    if (m.threaded && m.tree.parent.size() != m.lines.size())
        m.threaded = false; // new lines: the tree made for the old ones goes
    if (m.threaded)
        threadRows();
    else if (m.filtered)
        for (size_t i = 0; i < m.lines.size(); ++i)
            if (filter_->keeps(m.lines[i]))
                m.shown.push_back(int(i));
    m.reset();
    if (m.threaded != accessibleThreaded_)
        accessibleKindLater();
    emit filtered();
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
