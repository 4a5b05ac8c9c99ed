// SPDX-License-Identifier: GPL-3.0-or-later
#include "partial_tick_accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QHash>
#include <QPointer>
#include <QTreeView>

namespace {

constexpr const char* kWrappedProperty = "bkfPartialTicks";

// Qt's interface as long as Qt keeps it under `id`.
QAccessibleInterface* Alive(QAccessible::Id id, QAccessibleInterface* known)
{
    return id != 0 && QAccessible::accessibleInterface(id) == known ? known : nullptr;
}

// A cell of a wrapped view: Qt's cell with the box's third state.
class TickCell : public QAccessibleInterface {
public:
    TickCell(QAbstractItemView& view, QAccessibleInterface* inner)
        : m_view(&view), m_inner(inner), m_innerId(QAccessible::uniqueId(inner))
    {
    }

    QAccessibleInterface* Inner() const { return Alive(m_innerId, m_inner); }

    bool isValid() const override { return Inner() != nullptr && Inner()->isValid() && m_view != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return Inner() != nullptr ? Inner()->window() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override { return Inner() != nullptr ? Inner()->text(t) : QString(); }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (Inner() != nullptr)
            Inner()->setText(t, text);
    }
    QRect rect() const override { return Inner() != nullptr ? Inner()->rect() : QRect(); }
    QAccessible::Role role() const override
    {
        return Inner() != nullptr ? Inner()->role() : QAccessible::NoRole;
    }
    QAccessible::State state() const override
    {
        if (Inner() == nullptr)
            return {};
        QAccessible::State state = Inner()->state();
        const QVariant box = ModelIndex().data(Qt::CheckStateRole);
        if (box.isValid()) {
            state.checkable = true;
            state.checked = box.toInt() == Qt::Checked;
            state.checkStateMixed = box.toInt() == Qt::PartiallyChecked;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return Inner() != nullptr ? Inner()->interface_cast(type) : nullptr;
    }

private:
    // The item this cell shows: a tree's cells count shown rows, which only
    // the cell's place on screen names; a table's cells count model rows.
    QModelIndex ModelIndex() const
    {
        QAccessibleTableCellInterface* cell = Inner()->tableCellInterface();
        if (cell == nullptr || m_view == nullptr)
            return {};
        if (auto* tree = qobject_cast<QTreeView*>(m_view.data()))
            return tree->indexAt(tree->viewport()->mapFromGlobal(Inner()->rect().center()));
        return m_view->model()->index(cell->rowIndex(), cell->columnIndex());
    }

    QPointer<QAbstractItemView> m_view;
    QAccessibleInterface* m_inner;
    QAccessible::Id m_innerId;
};

// The view's accessible object: Qt's, whose cells come back wrapped.
class TickView : public QAccessibleInterface, public QAccessibleTableInterface {
public:
    TickView(QAbstractItemView& view, QAccessibleInterface* inner)
        : m_view(&view), m_inner(inner), m_innerId(QAccessible::uniqueId(inner))
    {
    }

    ~TickView() override
    {
        DropCells([](const TickCell*) { return true; });
        if (Alive(m_innerId, m_inner) != nullptr)
            QAccessible::deleteAccessibleInterface(m_innerId);
    }

    bool isValid() const override { return Inner() != nullptr && Inner()->isValid(); }
    QObject* object() const override { return m_view; }
    QWindow* window() const override { return Inner()->window(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        return Inner()->relations(match);
    }
    QAccessibleInterface* focusChild() const override { return Wrap(Inner()->focusChild()); }
    QAccessibleInterface* childAt(int x, int y) const override { return Wrap(Inner()->childAt(x, y)); }
    QAccessibleInterface* parent() const override { return Inner()->parent(); }
    QAccessibleInterface* child(int index) const override { return Wrap(Inner()->child(index)); }
    int childCount() const override { return Inner()->childCount(); }
    int indexOfChild(const QAccessibleInterface* child) const override { return Inner()->indexOfChild(Unwrap(child)); }
    QString text(QAccessible::Text t) const override { return Inner()->text(t); }
    void setText(QAccessible::Text t, const QString& text) override { Inner()->setText(t, text); }
    QRect rect() const override { return Inner()->rect(); }
    QAccessible::Role role() const override { return Inner()->role(); }
    QAccessible::State state() const override { return Inner()->state(); }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return Table() != nullptr ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
        return Inner()->interface_cast(type);
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return Table()->caption(); }
    QAccessibleInterface* summary() const override { return Table()->summary(); }
    QAccessibleInterface* cellAt(int row, int column) const override { return Wrap(Table()->cellAt(row, column)); }
    int selectedCellCount() const override { return Table()->selectedCellCount(); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells = Table()->selectedCells();
        for (QAccessibleInterface*& cell : cells)
            cell = Wrap(cell);
        return cells;
    }
    QString columnDescription(int column) const override { return Table()->columnDescription(column); }
    QString rowDescription(int row) const override { return Table()->rowDescription(row); }
    int selectedColumnCount() const override { return Table()->selectedColumnCount(); }
    int selectedRowCount() const override { return Table()->selectedRowCount(); }
    int columnCount() const override { return Table()->columnCount(); }
    int rowCount() const override { return Table()->rowCount(); }
    QList<int> selectedColumns() const override { return Table()->selectedColumns(); }
    QList<int> selectedRows() const override { return Table()->selectedRows(); }
    bool isColumnSelected(int column) const override { return Table()->isColumnSelected(column); }
    bool isRowSelected(int row) const override { return Table()->isRowSelected(row); }
    bool selectRow(int row) override { return Table()->selectRow(row); }
    bool selectColumn(int column) override { return Table()->selectColumn(column); }
    bool unselectRow(int row) override { return Table()->unselectRow(row); }
    bool unselectColumn(int column) override { return Table()->unselectColumn(column); }
    // Qt drops cells here; their wrappers go with them.
    void modelChange(QAccessibleTableModelChangeEvent* event) override
    {
        Table()->modelChange(event);
        DropCells([](const TickCell* cell) { return cell->Inner() == nullptr; });
    }

private:
    QAccessibleInterface* Inner() const { return Alive(m_innerId, m_inner); }
    QAccessibleTableInterface* Table() const { return Inner() != nullptr ? Inner()->tableInterface() : nullptr; }

    // Qt's cells are wrapped; its other children (scroll bars, the heading
    // row) are widgets of their own and stay as they are.
    QAccessibleInterface* Wrap(QAccessibleInterface* inner) const
    {
        if (inner == nullptr || inner->object() != nullptr || m_view == nullptr)
            return inner;
        auto found = m_cells.find(inner);
        if (found == m_cells.end() || found.value()->Inner() != inner) {
            auto* cell = new TickCell(*m_view, inner);
            QAccessible::registerAccessibleInterface(cell); // the cache owns it from now on
            found = m_cells.insert(inner, cell);
        }
        return found.value();
    }

    const QAccessibleInterface* Unwrap(const QAccessibleInterface* child) const
    {
        for (const TickCell* cell : m_cells)
            if (cell == child)
                return cell->Inner();
        return child;
    }

    template <typename Predicate>
    void DropCells(Predicate drop)
    {
        for (auto it = m_cells.begin(); it != m_cells.end();) {
            if (!drop(it.value())) {
                ++it;
                continue;
            }
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(it.value()));
            it = m_cells.erase(it);
        }
    }

    QPointer<QAbstractItemView> m_view;
    QAccessibleInterface* m_inner;
    QAccessible::Id m_innerId;
    mutable QHash<const QAccessibleInterface*, TickCell*> m_cells; // Qt's cell to its wrapper
};

// Qt's own object is made first (this factory stands aside meanwhile) and
// kept inside the wrapper, which deletes it when the cache drops the wrapper
// with the view.
QAccessibleInterface* WrappingFactory(const QString&, QObject* object)
{
    static bool makingQtsOwn = false;
    auto* view = qobject_cast<QAbstractItemView*>(object);
    if (makingQtsOwn || view == nullptr || !view->property(kWrappedProperty).toBool())
        return nullptr;
    makingQtsOwn = true;
    QAccessibleInterface* inner = QAccessible::queryAccessibleInterface(view);
    makingQtsOwn = false;
    return inner != nullptr ? new TickView(*view, inner) : nullptr;
}

} // namespace

void ExposePartialTicks(QAbstractItemView& view)
{
    static const bool installed = [] {
        QAccessible::installFactory(WrappingFactory);
        return true;
    }();
    (void)installed;
    view.setProperty(kWrappedProperty, true);
}
