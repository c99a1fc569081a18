// The title list shown as threads: rows in tree order, replies indented
// under their message behind an expander, collapsing and expanding by keys
// and clicks, and a filter that keeps the ancestors of what it finds.

#include "ui/widgets/titlelist.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace vb {
namespace {

// Each level indents by one expander's width, up to this many levels: a
// chain of replies thousands deep stays readable.
constexpr int kIndentLevels = 24;
constexpr int kIndent = 14;

int indentOf(const TitleListModel &m, int line) {
    return kIndent * std::min<int>(m.depth[size_t(line)], kIndentLevels);
}

// Draws a threaded row indented by its depth, behind its expander.
class ThreadDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const auto *m = static_cast<const TitleListModel *>(index.model());
        if (!m->threaded) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const int line = m->lineOf(index.row());
        const int indent = indentOf(*m, line);
        QStyleOptionViewItem opt = option;
        opt.rect.setLeft(option.rect.left() + indent + kIndent);
        if (m->hasReplies(line)) {
            QStyleOption branch;
            branch.rect = QRect(option.rect.left() + indent, option.rect.top(), kIndent, option.rect.height());
            branch.palette = option.palette;
            branch.state = QStyle::State_Children | QStyle::State_Item | QStyle::State_Enabled;
            if (!m->collapsed[size_t(line)])
                branch.state |= QStyle::State_Open;
            const QWidget *w = option.widget;
            (w ? w->style() : QApplication::style())->drawPrimitive(QStyle::PE_IndicatorBranch, &branch, painter, w);
        }
        QStyledItemDelegate::paint(painter, opt, index);
    }
};

} // namespace

void TitleList::setTree(TitleTree tree) {
    TitleListModel &m = *model_;
    const int row = selectedIndex();
    const int selected = row >= 0 ? lineOfRow(row) : -1;
    const size_t n = m.lines.size();
    rememberCollapsed();
    m.threaded = n > 0 && tree.parent.size() == n;
    if (!m.threaded) {
        m.tree = TitleTree();
        for (auto *v : {&m.below, &m.rowOf})
            std::vector<int32_t>().swap(*v);
        std::vector<uint16_t>().swap(m.depth);
        std::vector<uint8_t>().swap(m.collapsed);
        std::vector<uint8_t>().swap(m.kept);
    } else {
        m.tree = std::move(tree);
        m.collapsed.assign(n, 0);
        if (m.tree.key == collapsedKey_ && !collapsedNumbers_.empty())
            for (size_t j = 0; j < n; ++j)
                if (const int k = m.lines.numberOf(j);
                    k >= 0 && std::binary_search(collapsedNumbers_.begin(), collapsedNumbers_.end(), k))
                    m.collapsed[j] = 1;
        // Depth downward from the roots and the lines below each upward,
        // over the lines in tree order.
        std::vector<int32_t> order;
        order.reserve(n);
        for (int32_t r : m.tree.roots)
            order.push_back(r);
        for (size_t i = 0; i < order.size(); ++i) {
            const int32_t j = order[i];
            for (int32_t c = m.tree.childStart[size_t(j)]; c < m.tree.childStart[size_t(j) + 1]; ++c)
                order.push_back(m.tree.children[size_t(c)]);
        }
        m.depth.assign(n, 0);
        m.below.assign(n, 0);
        for (int32_t j : order)
            if (m.tree.parent[size_t(j)] >= 0)
                m.depth[size_t(j)] = uint16_t(std::min<int>(m.depth[size_t(m.tree.parent[size_t(j)])] + 1, 0xFFFF));
        for (size_t i = order.size(); i-- > 0;) {
            const int32_t p = m.tree.parent[size_t(order[i])];
            if (p >= 0)
                m.below[size_t(p)] += m.below[size_t(order[i])] + 1;
        }
    }
    refilter();
    setSelectedIndex(rowOfLine(selected));
}

void TitleList::rememberCollapsed() {
    const TitleListModel &m = *model_;
    const size_t n = m.tree.parent.size();
    if (n == 0 || m.lines.size() != n || m.collapsed.size() != n)
        return; // no tree, or one the last save already took
    collapsedNumbers_.clear();
    collapsedKey_ = m.tree.key;
    for (size_t j = 0; j < n; ++j)
        if (const int k = m.lines.numberOf(j); m.collapsed[j] && k >= 0 && m.hasReplies(int(j)))
            collapsedNumbers_.push_back(k);
    std::sort(collapsedNumbers_.begin(), collapsedNumbers_.end());
}

// Rows in tree order: a root, then its replies' rows, unless it is
// collapsed; while filtered only the kept lines and their ancestors.
void TitleList::threadRows() {
    TitleListModel &m = *model_;
    const size_t n = m.lines.size();
    std::vector<uint8_t> needed;
    if (filter_) {
        m.kept.assign(n, 0);
        needed.assign(n, 0);
        for (size_t j = 0; j < n; ++j) {
            if (!filter_->keeps(m.lines[j]))
                continue;
            m.kept[j] = 1;
            for (int32_t a = int32_t(j); a >= 0 && !needed[size_t(a)]; a = m.tree.parent[size_t(a)])
                needed[size_t(a)] = 1;
        }
    } else {
        std::vector<uint8_t>().swap(m.kept);
    }
    m.shown.clear();
    m.rowOf.assign(n, -1);
    std::vector<int32_t> stack(m.tree.roots.rbegin(), m.tree.roots.rend());
    while (!stack.empty()) {
        const int32_t j = stack.back();
        stack.pop_back();
        if (!needed.empty() && !needed[size_t(j)])
            continue;
        m.rowOf[size_t(j)] = int32_t(m.shown.size());
        m.shown.push_back(j);
        if (m.collapsed[size_t(j)])
            continue;
        for (int32_t c = m.tree.childStart[size_t(j) + 1]; c-- > m.tree.childStart[size_t(j)];)
            stack.push_back(m.tree.children[size_t(c)]);
    }
}

void TitleList::reshow() {
    const int row = selectedIndex();
    const int selected = row >= 0 ? lineOfRow(row) : -1;
    refilter();
    setSelectedIndex(rowOfLine(selected));
}

void TitleList::setExpanded(int line, bool expanded) {
    TitleListModel &m = *model_;
    if (!m.threaded || line < 0 || line >= lineCount() || m.collapsed[size_t(line)] == uint8_t(!expanded))
        return;
    m.collapsed[size_t(line)] = !expanded;
    reshow();
    announceExpansion(line);
}

void TitleList::expandBelow(int line) {
    TitleListModel &m = *model_;
    if (!m.threaded || line < 0 || line >= lineCount())
        return;
    std::vector<int32_t> stack{line};
    while (!stack.empty()) {
        const int32_t j = stack.back();
        stack.pop_back();
        m.collapsed[size_t(j)] = 0;
        for (int32_t c = m.tree.childStart[size_t(j)]; c < m.tree.childStart[size_t(j) + 1]; ++c)
            stack.push_back(m.tree.children[size_t(c)]);
    }
    reshow();
    announceExpansion(line);
}

int TitleList::revealLine(int line) {
    TitleListModel &m = *model_;
    if (m.threaded && line >= 0 && line < lineCount() && m.rowOf[size_t(line)] < 0) {
        bool changed = false;
        for (int32_t a = m.tree.parent[size_t(line)]; a >= 0; a = m.tree.parent[size_t(a)])
            if (m.collapsed[size_t(a)]) {
                m.collapsed[size_t(a)] = 0;
                changed = true;
            }
        if (changed)
            reshow();
    }
    return rowOfLine(line);
}

int TitleList::expanderAt(const QPoint &pos) const {
    const TitleListModel &m = *model_;
    const QModelIndex idx = indexAt(pos);
    if (!m.threaded || !idx.isValid())
        return -1;
    const int line = m.lineOf(idx.row());
    const int left = visualRect(idx).left() + indentOf(m, line);
    return m.hasReplies(line) && pos.x() >= left && pos.x() < left + kIndent ? line : -1;
}

void TitleList::userSelect(int row) {
    if (row >= 0 && row < count())
        selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
}

void TitleList::keyPressEvent(QKeyEvent *e) {
    const TitleListModel &m = *model_;
    const int row = selectedIndex();
    if (!m.threaded || row < 0 || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QListView::keyPressEvent(e);
        return;
    }
    const int line = m.lineOf(row);
    const bool replies = m.hasReplies(line), open = !m.collapsed[size_t(line)];
    switch (e->key()) {
    case Qt::Key_Left: // collapse, or go up to the message answered
        if (replies && open)
            setExpanded(line, false);
        else if (m.tree.parent[size_t(line)] >= 0)
            userSelect(rowOfLine(m.tree.parent[size_t(line)]));
        break;
    case Qt::Key_Right: // expand, or go down to the first reply
        if (replies && !open)
            setExpanded(line, true);
        else if (replies && row + 1 < count() && m.tree.parent[size_t(m.lineOf(row + 1))] == line)
            userSelect(row + 1);
        break;
    case Qt::Key_Asterisk:
        expandBelow(line);
        break;
    default:
        QListView::keyPressEvent(e);
        return;
    }
    e->accept();
}

void TitleList::installThreadDelegate() { setItemDelegate(new ThreadDelegate(this)); }

} // namespace vb
