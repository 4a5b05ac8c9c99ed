// SPDX-License-Identifier: GPL-3.0-or-later
#include "drag_out.h"

#include "catalogue_list.h"
#include "catalogue_store.h"
#include "extraction_report.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "private_save.h"
#include "texts.h"

#include <QApplication>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>

#include <utility>

namespace {

// Within the limits of a drag: few enough files and bytes.
bool FitsADrag(const CatalogueStore& store, const std::vector<std::size_t>& rows)
{
    if (rows.size() > DragOut::kMaxFiles)
        return false;
    std::uint64_t bytes = 0;
    for (const std::size_t row : rows) {
        bytes += store.Row(row).size;
        if (bytes > DragOut::kMaxBytes)
            return false;
    }
    return true;
}

QList<QUrl> UrlOf(const QString& path)
{
    return path.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl::fromLocalFile(path)};
}

} // namespace

DragOut::DragOut(CatalogueList& list, FolderTree& tree, const CatalogueStore& store, PrivateSave& save,
                 Window window, QObject* parent)
    : QObject(parent), m_list(list), m_tree(tree), m_store(store), m_save(save), m_window(std::move(window))
{
    m_list.viewport()->installEventFilter(this);
    m_tree.viewport()->installEventFilter(this);
}

std::optional<QList<QUrl>> DragOut::Stage(const Items& items)
{
    if (items.rows.empty())
        return std::nullopt;
    if (m_window.scanRunning() || !FitsADrag(m_store, items.rows)) {
        m_window.status(m_window.scanRunning()
                            ? Texts::Tr("Files can be dragged out once the search has ended.")
                            : Texts::Tr("Too much to drag out at once: tick the files and save them with Save."));
        return std::nullopt;
    }
    const std::optional<ExtractionReport> report = m_save.Save(m_store, items.rows);
    if (!report)
        return std::nullopt;
    m_window.report(*report);
    if (!items.folderKey.empty())
        return UrlOf(QString::fromStdString(SavedFolderPath(*report, items.folderKey)));
    if (items.rows.size() == 1)
        return UrlOf(QString::fromStdString(SavedFilePath(*report, 0)));
    return UrlOf(QString::fromStdString(report->rootFolder));
}

std::optional<DragOut::Items> DragOut::ItemsAt(QObject* viewport, const QPoint& point) const
{
    if (viewport == m_list.viewport()) {
        const QModelIndex pressed = m_list.indexAt(point);
        QItemSelectionModel* selection = m_list.selectionModel();
        if (!pressed.isValid() || !selection->isRowSelected(pressed.row(), QModelIndex()))
            return std::nullopt;
        Items items;
        for (const QModelIndex& row : selection->selectedRows())
            items.rows.push_back(m_list.CatalogueRowOf(row.row()));
        return items;
    }
    FolderNode* node = m_tree.TreeModel().NodeAt(m_tree.indexAt(point));
    if (node == nullptr || node != m_tree.SelectedNode() || m_tree.IsOnBox(point))
        return std::nullopt;
    return Items{m_tree.TreeModel().RowsUnder(node), m_tree.TreeModel().GetFolderKey(node)};
}

bool DragOut::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        // Read before the view handles the press, which may change the selection.
        m_pressed = press->button() == Qt::LeftButton && press->modifiers() == Qt::NoModifier
                        ? ItemsAt(watched, press->position().toPoint())
                        : std::nullopt;
        m_pressedIn = watched;
        m_pressedAt = press->position().toPoint();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_pressed.reset();
    } else if (event->type() == QEvent::MouseMove && m_pressed && watched == m_pressedIn) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if ((move->buttons() & Qt::LeftButton)
            && (move->position().toPoint() - m_pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
            const Items items = std::move(*m_pressed);
            m_pressed.reset();
            Start(items);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void DragOut::Start(const Items& items)
{
    const std::optional<QList<QUrl>> urls = Stage(items);
    if (!urls || urls->isEmpty())
        return;
    auto* data = new QMimeData;
    data->setUrls(*urls);
    auto* drag = new QDrag(&m_list);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}
