// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_dlg.h"

#include "artwork.h"
#include "message_service.h"
#include "prefix_check.h"
#include "system_texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// 246 x 110 dialog units in pixels of an 8-point dialog font.
constexpr QSize kSize(369, 179);

} // namespace

CSettingsDlg::CSettingsDlg(QString& prefix, bool& restoreDates, MessageService& messages, QWidget* parent)
    : CBitmapDialog(parent), m_strFilePrefix(prefix), m_bRestoreDates(restoreDates), m_messages(messages)
{
    setWindowTitle(Texts::Tr(SystemText::kSettingsTitle));
    setMinimumSize(kSize);
    SetBackgroundMaker(&Artwork::DialogBackground);

    auto* group = new QGroupBox(this);
    m_options = new QGridLayout(group);
    m_options->setContentsMargins(20, 20, 20, 20);
    m_editPrefix = new QLineEdit(m_strFilePrefix, group);
    m_editPrefix->setMaxLength(kPrefixLimit);
    AddOptionRow(new QLabel(Texts::Tr(SystemText::kPrefixLabel), group), m_editPrefix);
    m_restoreDates = new QCheckBox(Texts::Tr(SystemText::kRestoreDates), group);
    m_restoreDates->setChecked(m_bRestoreDates);
    m_options->addWidget(m_restoreDates, m_options->rowCount(), 0, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Texts::Tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Texts::Tr("Cancel"));
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(33, 20, 33, 16);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void CSettingsDlg::AddOptionRow(QLabel* label, QWidget* field)
{
    const int row = m_options->count() == 0 ? 0 : m_options->rowCount();
    m_options->addWidget(label, row, 0);
    m_options->addWidget(field, row, 1);
}

const char* CSettingsDlg::PrefixMessage(const QString& prefix) const
{
    switch (CheckPrefix(prefix.toStdString())) {
    case PrefixFault::None:
        return nullptr;
    case PrefixFault::Empty:
        return SystemText::kFillPrefix;
    case PrefixFault::DotName:
    case PrefixFault::ControlCharacter:
    case PrefixFault::ForbiddenCharacter:
        return SystemText::kIllegalPrefix;
    }
    return SystemText::kIllegalPrefix;
}

void CSettingsDlg::accept()
{
    const QString prefix = m_editPrefix->text();
    if (const char* message = PrefixMessage(prefix)) {
        m_messages.ShowMessage(Texts::Tr(message), MessageService::kInform);
        return;
    }
    m_strFilePrefix = prefix;
    m_bRestoreDates = m_restoreDates->isChecked();
    CBitmapDialog::accept();
}
