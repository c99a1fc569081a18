// The title list over the accessibility bus. Flat, it is Qt's own list
// interface. In thread view it is a tree: one item per row shown, named by
// its title line, its level (1 for a thread's first message) in its
// description, and, for a message with replies, whether they are shown.
// Items are made only when asked for and kept by row until the rows change,
// so that a list of 100,000 rows costs nothing until a reader walks it.

#include "ui/widgets/titlelist.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTimer>
#include <unordered_map>

namespace vb {
namespace {

class ThreadItemAccessible : public QAccessibleInterface,
                             public QAccessibleTableCellInterface,
                             public QAccessibleActionInterface {
public:
    ThreadItemAccessible(TitleList *list, int row)
        : list_(list), row_(row), line_(list->lineOfRow(row)), generation_(list->rows().generation) {}

    TitleList *list() const { return list_; }
    int row() const { return row_; }

    bool isValid() const override { return list_ && list_->rows().generation == generation_ && row_ < list_->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override {
        return list_ ? QAccessible::queryAccessibleInterface(list_.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Name) {
            QString name;
            appendUnicode(name, list_->lines()[size_t(line_)]);
            return name;
        }
        if (t == QAccessible::Description)
            return QString::fromUtf8("階層 %1").arg(level());
        return {};
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect r = list_->visualRect(list_->model()->index(row_, 0));
        return QRect(list_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = s.focusable = true;
        const QModelIndex idx = list_->model()->index(row_, 0);
        s.selected = list_->selectionModel()->isSelected(idx);
        s.focused = list_->hasFocus() && list_->currentIndex() == idx;
        s.offscreen = !list_->viewport()->rect().intersects(list_->visualRect(idx));
        const TitleListModel &m = list_->rows();
        if (m.threaded && m.hasReplies(line_)) {
            s.expandable = true;
            s.collapsed = m.collapsed[size_t(line_)] != 0;
            s.expanded = !s.collapsed;
        }
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        if (t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        return nullptr;
    }

    // The level: one more than the number of messages above it in its thread.
    int level() const {
        const TitleListModel &m = list_->rows();
        return m.threaded ? m.depth[size_t(line_)] + 1 : 1;
    }

    // A cell of the one column: its row is its index among the rows shown.
    bool isSelected() const override { return isValid() && list_->selectedIndex() == row_; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    // A message with replies opens and closes them, as Right and Left do.
    QStringList actionNames() const override {
        return isValid() && list_->rows().threaded && list_->rows().hasReplies(line_) ? QStringList{toggleAction()}
                                                                                      : QStringList();
    }
    void doAction(const QString &name) override {
        if (name == toggleAction() && !actionNames().isEmpty())
            list_->setExpanded(line_, list_->rows().collapsed[size_t(line_)] != 0);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<TitleList> list_;
    int row_, line_;
    uint64_t generation_;
};

class ThreadTreeAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ThreadTreeAccessible(TitleList *list) : QAccessibleWidget(list, QAccessible::Tree) {}
    ~ThreadTreeAccessible() override { drop(); }

    TitleList *list() const { return static_cast<TitleList *>(widget()); }

    int childCount() const override { return list()->count(); }
    QAccessibleInterface *child(int i) const override {
        if (i < 0 || i >= childCount())
            return nullptr;
        if (generation_ != list()->rows().generation) {
            drop();
            generation_ = list()->rows().generation;
        }
        const auto it = items_.find(i);
        if (it != items_.end())
            if (QAccessibleInterface *item = QAccessible::accessibleInterface(it->second))
                return item;
        auto *item = new ThreadItemAccessible(list(), i);
        items_[i] = QAccessible::registerAccessibleInterface(item);
        return item;
    }
    int indexOfChild(const QAccessibleInterface *c) const override {
        const auto *item = dynamic_cast<const ThreadItemAccessible *>(c);
        return item && item->list() == list() && item->isValid() ? item->row() : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        const QModelIndex idx = list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return idx.isValid() ? child(idx.row()) : nullptr;
    }
    void *interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override { return column == 0 ? child(row) : nullptr; }
    int columnCount() const override { return 1; }
    int rowCount() const override { return childCount(); }
    int selectedCellCount() const override { return int(selectedRows().size()); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    QList<QAccessibleInterface *> selectedCells() const override {
        QList<QAccessibleInterface *> cells;
        for (int r : selectedRows())
            cells.append(child(r));
        return cells;
    }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        const int r = list()->selectedIndex();
        return r >= 0 ? QList<int>{r} : QList<int>();
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return row >= 0 && row == list()->selectedIndex(); }
    // Selecting a row is moving to it, which shows its message.
    bool selectRow(int row) override {
        if (row < 0 || row >= childCount())
            return false;
        list()->setCurrentIndex(list()->model()->index(row, 0));
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { drop(); }

private:
    void drop() const {
        for (const auto &item : items_)
            QAccessible::deleteAccessibleInterface(item.second);
        items_.clear();
    }
    mutable std::unordered_map<int, QAccessible::Id> items_; // by row
    mutable uint64_t generation_ = 0;
};

QAccessibleInterface *titleListAccessible(const QString &className, QObject *object) {
    if (className != QLatin1String("vb::TitleList"))
        return nullptr;
    auto *list = qobject_cast<TitleList *>(object);
    return list && list->isThreaded() ? new ThreadTreeAccessible(list) : nullptr; // flat: Qt's own list
}

} // namespace

void TitleList::installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(titleListAccessible);
        return true;
    }();
    (void)installed;
}

void TitleList::accessibleKindLater() {
    if (kindCheckPending_)
        return;
    kindCheckPending_ = true;
    QTimer::singleShot(0, this, [this] { accessibleKindCheck(); });
}

void TitleList::accessibleKindCheck() {
    kindCheckPending_ = false;
    accessibleThreaded_ = model_->threaded;
    // The interface made for the other kind goes; the next query makes one
    // of this kind, and readers are told the object changed.
    QAccessibleInterface *old = QAccessible::queryAccessibleInterface(this);
    if (!old || (dynamic_cast<ThreadTreeAccessible *>(old) != nullptr) == accessibleThreaded_)
        return;
    if (QAccessible::isActive()) {
        QAccessibleEvent gone(old, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&gone);
    }
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    if (QAccessible::isActive()) {
        QAccessibleEvent made(this, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&made);
    }
}

void TitleList::announceExpansion(int line) {
    const int row = rowOfLine(line);
    if (!QAccessible::isActive() || !model_->threaded || row < 0)
        return;
    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface *item = tree && tree->role() == QAccessible::Tree ? tree->child(row) : nullptr;
    if (!item)
        return;
    QAccessible::State changed;
    changed.expanded = changed.collapsed = true;
    QAccessibleStateChangeEvent event(item, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace vb
