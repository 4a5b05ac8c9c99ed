// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads and prepares a file's preview on a thread of its own, so that the
// window never waits for the backup: the first bytes of the row's data (the
// save's own bounded, sector-tolerant reads), the kind of preview they make,
// the decoded text, hex lines or downscaled picture. A newer request
// supersedes an older one: only the result of the newest reaches the window.

#include "bkf_file_handle.h"
#include "catalogue_store.h"
#include "preview_content.h"
#include "row_head.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

struct PreviewRequest {
    std::string backupPath;
    FileIdentity scanned; // the backup as the scan found it
    CatalogueRow row;     // its path is not used
    QSize imageRoom;      // a picture is scaled down to fit inside
};

struct PreviewResult {
    bool opened = true;   // false: the backup could not be opened or is not the file scanned
    RowHead head;         // its bytes are not kept
    std::size_t shown = 0; // bytes the preview shows
    PreviewChoice choice;
    QString text; // the text or the hex lines
    QImage image;
    QSize imageSize; // the picture's own size
};

class PreviewLoader : public QObject {
    Q_OBJECT

public:
    // `onLoaded` runs on the window thread with the newest request's result.
    explicit PreviewLoader(std::function<void(const PreviewResult&)> onLoaded, QObject* parent = nullptr);
    // Waits for the read under way (at most one file's first bytes).
    ~PreviewLoader() override;

    // Window thread: supersedes any earlier request.
    void Request(const PreviewRequest& request);
    // Window thread: no result of an earlier request will be handed over.
    void Cancel();

    // What a request shows: read, chosen and decoded on the calling thread.
    static PreviewResult Load(const PreviewRequest& request);

private:
    void Run();
    void HandOver(std::uint64_t serial, PreviewResult result);

    std::function<void(const PreviewResult&)> m_onLoaded;
    std::uint64_t m_serial = 0; // window thread: the newest request

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<std::pair<std::uint64_t, PreviewRequest>> m_pending;
    bool m_stop = false;
    std::thread m_worker; // started with the first request
};
