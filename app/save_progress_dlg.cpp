// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_progress_dlg.h"

#include "artwork.h"
#include "human_texts.h"
#include "message_service.h"
#include "system_texts.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace {

// The window's 321 x 164 dialog units in pixels of an 8-point dialog font.
constexpr QSize kSize(482, 267);
// A line of the labels in those pixels (the byte line's two lines are the
// tightest): a larger desktop font scales the whole window by its line spacing.
constexpr qreal kLineSpacing = 18.0;

QRect Scaled(const QRect& rect, qreal scale)
{
    return QRectF(rect.x() * scale, rect.y() * scale, rect.width() * scale, rect.height() * scale).toRect();
}

int BarValue(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, INT_MAX));
}

} // namespace

CSaveProgressDlg::CSaveProgressDlg(const Save& save, MessageService& messages, QWidget* parent)
    : CBitmapDialog(parent),
      m_save(save),
      m_messages(messages),
      m_worker([this](const SaveProgressSnapshot& snapshot) { ShowProgress(snapshot); },
               [this](const ExtractionReport& report) { OnSaveEnded(report); }),
      m_question(messages, [this](bool held) { m_worker.Hold(held); })
{
    setWindowTitle(Texts::Tr(m_save.check ? SystemText::kCheckTitle : SystemText::kSaveTitle));
    m_scale = qMax<qreal>(1.0, fontMetrics().lineSpacing() / kLineSpacing);
    setFixedSize(Scaled(QRect(QPoint(), kSize), m_scale).size());
    SetBackgroundMaker(&Artwork::DialogBackground);
    CreateControls();
}

// The window closes itself only once the worker has ended. Should it go
// before (the application ending under it), the worker stops after the file
// it is writing, and the SaveWorker waits for that.
CSaveProgressDlg::~CSaveProgressDlg() = default;

void CSaveProgressDlg::CreateControls()
{
    m_lblFileName = new QLabel(Texts::Tr(SystemText::kSaveLabel), this);
    m_lblFileName->setGeometry(Scaled(QRect(10, 73, 460, 57), m_scale));
    m_lblFileName->setWordWrap(true);
    m_lblFileName->setTextFormat(Qt::PlainText);
    m_wndProgress = new QProgressBar(this);
    m_wndProgress->setGeometry(Scaled(QRect(44, 163, 359, 16), m_scale));
    m_wndProgress->setTextVisible(false);
    m_wndProgress->setRange(0, 0);
    m_lblBytes = new QLabel(this);
    m_lblBytes->setGeometry(Scaled(QRect(44, 185, 359, 36), m_scale));
    m_lblBytes->setTextFormat(Qt::PlainText);
    m_btnCancel = new QPushButton(Texts::Tr(m_save.check ? "Stop" : "Cancel"), this);
    m_btnCancel->setGeometry(Scaled(QRect(203, 232, 75, 23), m_scale));
    m_btnCancel->setDefault(true);
    connect(m_btnCancel, &QPushButton::clicked, this, &CSaveProgressDlg::reject);
}

bool CSaveProgressDlg::Run()
{
    if (!m_worker.OpenBackup(m_save.backupPath.toStdString(), m_save.scanned, nullptr)) {
        m_messages.ShowMessage(Texts::Tr(SystemText::kOpenFailed), MessageService::kInform);
        return false;
    }
    m_meter = RateMeter();
    if (m_worker.Start(SaveWorker::Job{m_save.rows, m_save.destination, m_save.prefix, m_save.options, m_save.check},
                       &m_report.failure))
        exec();
    return true;
}

void CSaveProgressDlg::ShowProgress(const SaveProgressSnapshot& snapshot)
{
    m_wndProgress->setRange(0, BarValue(snapshot.rowCount));
    m_wndProgress->setValue(BarValue(snapshot.rowPosition));
    if (!snapshot.currentPath.empty())
        m_lblFileName->setText(QString::fromStdString(snapshot.currentPath));
    m_lblBytes->setText(
        Texts::Tr(m_save.check ? SystemText::kCheckBytes : SystemText::kSaveBytes)
            .arg(HumanBytesText(snapshot.bytesCopied), HumanBytesText(snapshot.bytesChosen))
        + QStringLiteral("\n") + RateText(m_meter.RateOf(snapshot.bytesCopied, snapshot.bytesChosen)));
}

void CSaveProgressDlg::OnSaveEnded(const ExtractionReport& report)
{
    m_report = report;
    m_bSaveDone = true;
    m_question.JobEnded();
    done(QDialog::Rejected);
}

void CSaveProgressDlg::StopSave(bool atOnce)
{
    if (atOnce)
        m_worker.StopAtOnce();
    else
        m_worker.Stop();
}

void CSaveProgressDlg::reject()
{
    if (m_bSaveDone)
        return;
    // A check writes nothing: it stops at once, without a question.
    if (m_save.check) {
        m_worker.StopAtOnce();
        return;
    }
    // The worker finishes the file it is writing; the window closes when it ends.
    AskToStop([this] { m_worker.Stop(); });
}

bool CSaveProgressDlg::AskToStop(const std::function<void()>& stop)
{
    return !m_bSaveDone && m_question.Ask(stop);
}
