// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A report's text saved as a plain text file, where the user chooses.

#include <QString>

class QWidget;

// Writes `text` into `path` as UTF-8 with a final line break, replacing the
// file; the reason when it cannot, "" when it did.
QString WriteReportFile(const QString& path, const QString& text);

// Asks for a file name ("Save report") and writes `text` there; the reason
// when it could not be written, "" when it was or the user cancelled.
QString SaveReportAs(QWidget* parent, const QString& text);
