// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dragging found files out of the window onto a file manager: a drag that
// starts on rows of the found-files list that were selected before the press,
// or on the folder selected in the tree, saves those files through the
// window's save (its progress window and report) into the private folder and
// hands the drop target the saved file or folder (text/uri-list); the file
// manager copies them from there. A drag of more than kMaxFiles files or
// kMaxBytes bytes is refused with a status text: those are saved with Save.

#include <QObject>
#include <QPoint>
#include <QString>
#include <QUrl>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CatalogueList;
class CatalogueStore;
class FolderTree;
class PrivateSave;
class QMouseEvent;
struct ExtractionReport;

class DragOut : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t kMaxFiles = 1000;
    static constexpr std::uint64_t kMaxBytes = std::uint64_t{256} << 20;

    // What a drag carries: catalogue rows, and the folder they lie in when a
    // tree folder is dragged ("BKF\set\dir\"; empty for found files).
    struct Items {
        std::vector<std::size_t> rows;
        std::string folderKey;
    };
    // The window's side: its status line, the report of a save, and whether a scan runs.
    struct Window {
        std::function<void(const QString&)> status;
        std::function<void(const ExtractionReport&)> report;
        std::function<bool()> scanRunning;
    };

    // Everything given outlives this object.
    DragOut(CatalogueList& list, FolderTree& tree, const CatalogueStore& store, PrivateSave& save, Window window,
            QObject* parent = nullptr);

    // Saves `items` privately and returns what the drop target gets: the
    // file for one found file, the folder for a tree folder, else the output
    // root. Nothing when refused (with the status text said) or not saved.
    std::optional<QList<QUrl>> Stage(const Items& items);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a press at `point` of `viewport` would drag, if it moved far enough.
    std::optional<Items> ItemsAt(QObject* viewport, const QPoint& point) const;
    void Start(const Items& items);

    CatalogueList& m_list;
    FolderTree& m_tree;
    const CatalogueStore& m_store;
    PrivateSave& m_save;
    Window m_window;
    std::optional<Items> m_pressed; // a drag may start from this press
    QObject* m_pressedIn = nullptr;
    QPoint m_pressedAt;
};
