#pragma once
// Rich text as cells, the clipboard and drag and drop carry it: RTF, a text starting "{\".
// One reader serves the document, the plain text and the painting; the writer gives back what
// the reader understands (character formats, colours, fonts, paragraph alignment), so a round
// trip keeps that content. Anything else the reader skips; no input makes it fail.
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;
class QTextDocument;

namespace grid {

bool IsRichText(const QString& Text); // starts with "{\"

// Replaces Doc's content with the text and formats Rtf describes.
void RichTextToDocument(const QString& Rtf, QTextDocument& Doc);
// Doc as RTF; characters outside ASCII travel as \u escapes.
QString DocumentToRichText(const QTextDocument& Doc);
// The text alone: paragraph and line marks become CR LF (none at the end), \tab a tab.
QString RichTextToPlain(const QString& Rtf);

// How a rich cell is drawn on screen and on paper: Rtf laid out with BaseFont and BaseColor
// where it sets none, at Scale device units per screen pixel, wrapped to Box's width when
// WordWrap, and clipped to Box.
struct TRichTextBox {
    QRectF Box;
    QFont BaseFont;
    QColor BaseColor = Qt::black;
    double Scale = 1.0;
    bool WordWrap = false;
    QColor TextColor; // when valid, every character in it, whatever colours Rtf gives (a selected cell)
};
void DrawRichText(QPainter& Painter, const QString& Rtf, const TRichTextBox& Where);
// The size (in screen pixels) the text takes laid out as DrawRichText lays it out; Width <= 0
// is unbounded.
QSizeF RichTextSize(const QString& Rtf, const QFont& BaseFont, double Width);

} // namespace grid
