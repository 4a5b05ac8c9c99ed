// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bar above the found-files list: the filter box (Ctrl+F from anywhere in
// the window) with its clear button, "Only rows that are not ok", a "Larger
// than" size and the count of rows shown of all rows (in short where the bar
// is narrow, whole in its tooltip). Every change filters the
// list at once; the filter hides rows and never changes a tick.

#include <QWidget>

class CatalogueListModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

class CatalogueFilterBar : public QWidget {
    Q_OBJECT

public:
    // The model outlives the bar.
    explicit CatalogueFilterBar(CatalogueListModel& model, QWidget* parent = nullptr);

    QLineEdit* TextBox() const { return m_text; }
    QToolButton* ClearButton() const { return m_clear; }
    QCheckBox* NotOkBox() const { return m_notOk; }
    QComboBox* SizeBox() const { return m_size; }
    QLabel* CountLabel() const { return m_count; }
    // What Ctrl+F does: the filter box gets the focus, its text selected.
    void FocusTextBox();
    // Shows every row again: no text, "not ok" unticked, no size limit.
    void Reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeControls();
    void Apply();
    void ShowCounts();
    // The count in words where it fits, else as "shown/total".
    void FitCount();
    QString ShortCount() const;

    CatalogueListModel& m_model;
    QLineEdit* m_text = nullptr;
    QToolButton* m_clear = nullptr;
    QCheckBox* m_notOk = nullptr;
    QComboBox* m_size = nullptr;
    QLabel* m_count = nullptr;
};
