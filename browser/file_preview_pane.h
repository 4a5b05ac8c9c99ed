// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preview pane beside the lists: the file's name, size, status, date and
// data check over its first bytes as text, a picture or hex lines, and a
// close button. It only shows; the reading is the PreviewLoader's.

#include "catalogue_store.h"

#include <QFrame>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTimer;
class QToolButton;
struct PreviewResult;

class FilePreviewPane : public QFrame {
    Q_OBJECT

public:
    explicit FilePreviewPane(QWidget* parent = nullptr);

    // The file whose bytes are being read: its details, and "Reading…".
    void ShowReading(const QString& name, const CatalogueRow& row);
    // What the loader made of the file shown last.
    void ShowResult(const PreviewResult& result);
    // The room a picture is scaled down to.
    QSize PictureRoom() const;

    QToolButton& CloseButton() const { return *m_close; }
    QLabel& Details() const { return *m_details; }
    QLabel& Note() const { return *m_note; }
    QPlainTextEdit& TextView() const { return *m_text; }
    QLabel& Picture() const { return *m_picture; }

signals:
    void closeRequested();

private:
    void ShowDetails(const QString& dataCheck);
    void SetNote(const QString& text);
    // Shows `text`: its start at once, the rest a piece per turn of the event
    // loop, so that a long text does not hold up the window.
    void ShowText(QString text);
    void AppendPiece();

    QLabel* m_title;
    QToolButton* m_close;
    QLabel* m_details;
    QLabel* m_note;
    QStackedWidget* m_stack;
    QPlainTextEdit* m_text;
    QLabel* m_picture;
    CatalogueRow m_row;
    QString m_pending;      // text still to be added to the view
    qsizetype m_added = 0;  // characters of m_pending added so far
    QTimer* m_pieces;
};
