// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview_loader.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <utility>

namespace {

// A picture is read whole up to this size; a larger one shows as hex.
constexpr std::size_t kPictureBytes = std::size_t{64} << 20;

QByteArray AsBytes(const std::vector<std::uint8_t>& bytes, std::size_t count)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(count));
}

// The picture scaled down to fit `room`; null when it cannot be read.
QImage ReadPicture(const QByteArray& bytes, const QSize& room, QSize& ownSize)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    ownSize = reader.size();
    if (ownSize.isValid() && !room.isEmpty()
        && (ownSize.width() > room.width() || ownSize.height() > room.height()))
        reader.setScaledSize(ownSize.scaled(room, Qt::KeepAspectRatio));
    return reader.read();
}

// The picture when the bytes hold one Qt reads (read again whole when the
// first mebibyte did not hold all of it); false leaves the hex view.
bool LoadPicture(const BkfFileHandle& backup, const PreviewRequest& request, PreviewResult& result,
                 QByteArray& bytes)
{
    const auto held = static_cast<std::uint64_t>(bytes.size());
    if (result.head.available > held && result.head.available <= kPictureBytes)
        bytes = AsBytes(ReadRowHead(backup, request.row, kPictureBytes).bytes,
                        static_cast<std::size_t>(result.head.available));
    if (static_cast<std::uint64_t>(bytes.size()) < result.head.available)
        return false;
    result.image = ReadPicture(bytes, request.imageRoom, result.imageSize);
    result.shown = static_cast<std::size_t>(bytes.size());
    return !result.image.isNull();
}

} // namespace

PreviewLoader::PreviewLoader(std::function<void(const PreviewResult&)> onLoaded, QObject* parent)
    : QObject(parent), m_onLoaded(std::move(onLoaded))
{
}

PreviewLoader::~PreviewLoader()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_pending.reset();
    }
    m_changed.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void PreviewLoader::Request(const PreviewRequest& request)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.emplace(++m_serial, request);
    }
    m_changed.notify_all();
    if (!m_worker.joinable())
        m_worker = std::thread(&PreviewLoader::Run, this);
}

void PreviewLoader::Cancel()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_serial;
    m_pending.reset();
}

void PreviewLoader::Run()
{
    for (;;) {
        std::pair<std::uint64_t, PreviewRequest> job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || m_pending.has_value(); });
            if (m_stop)
                return;
            job = std::move(*m_pending);
            m_pending.reset();
        }
        HandOver(job.first, Load(job.second));
    }
}

// Queued to the window thread; dropped there when a newer request came
// meanwhile, and with this object when it goes first.
void PreviewLoader::HandOver(std::uint64_t serial, PreviewResult result)
{
    QMetaObject::invokeMethod(
        this,
        [this, serial, result = std::move(result)] {
            if (serial == m_serial)
                m_onLoaded(result);
        },
        Qt::QueuedConnection);
}

PreviewResult PreviewLoader::Load(const PreviewRequest& request)
{
    PreviewResult result;
    BkfFileHandle backup;
    if (!backup.Open(request.backupPath) || backup.OpenedAs() != request.scanned) {
        result.opened = false;
        return result;
    }
    result.head = ReadRowHead(backup, request.row, kTextPreviewBytes);
    QByteArray bytes = AsBytes(result.head.bytes, result.head.bytes.size());
    result.head.bytes.clear();
    result.choice = ChoosePreview(bytes);
    if (result.choice.kind == PreviewKind::Image && LoadPicture(backup, request, result, bytes))
        return result;
    if (result.choice.kind == PreviewKind::Image)
        result.choice.kind = PreviewKind::Hex;
    if (result.choice.kind == PreviewKind::Text) {
        result.text = DecodePreviewText(bytes, result.choice.encoding);
        result.shown = static_cast<std::size_t>(bytes.size());
    } else {
        result.text = HexDump(bytes);
        result.shown = std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), kHexPreviewBytes);
    }
    return result;
}
