// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window of the message box: icon and plain text on the message colours,
// the style's buttons below, and an optional details area that one click
// opens (selectable, and saved with the text by "Save report..."). exec() returns the MessageService::Button pressed; Escape and the
// close button give the style's escape answer.

#include <QColor>
#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

class PPMessageDialog : public QDialog {
    Q_OBJECT

public:
    // `details` empty: no details area.
    PPMessageDialog(const QString& text, int style, const QString& details = QString(),
        QWidget* parent = nullptr);

    // The two colours of the message area: `top` fades into `bottom`.
    void SetBackground(const QColor& top, const QColor& bottom);

    // The button that answers `button`, or null when the style has none.
    QPushButton* Button(int button) const;
    bool DetailsVisible() const;
    QList<QPushButton*> AnswerButtons() const;

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A button's underlined letter alone answers with that button, as users
    // of message boxes expect ("Y", "N").
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLayout* CreateMessageRow(const QString& text, int style);
    QLayout* CreateButtonRow(int style, bool withDetails);
    void CreateDetails(const QString& details, QVBoxLayout* layout);
    void ToggleDetails();
    int DetailsWidth() const;
    void SaveReport();

    int m_escapeAnswer;
    QString m_text;
    QColor m_top;
    QColor m_bottom;
    QWidget* m_buttonStrip = nullptr;
    QPushButton* m_detailsButton = nullptr;
    QPlainTextEdit* m_details = nullptr;
};
