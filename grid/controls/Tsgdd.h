#pragma once
// The grid library's drag-and-drop layer on Qt's drag and drop: what a drag carries (text,
// rich text, dropped files, a grid column), a drop target that classifies incoming data and
// delivers it to overridable hooks, a drop source that follows the feedback, and the entry
// points that start a drag. The rules are plain functions of the data, the keys and the
// flags, so they work without a screen; the widget side only forwards Qt's drag events.
#include <QPoint>
#include <QString>
#include <QStringList>

class QEvent;
class QMimeData;
class QWidget;

namespace grid {

// Whether dropped data may be taken as rich text, and whether drags offer it (one switch for
// the whole process, off at start-up).
void SetRTFAware(bool Value);
bool RTFAware();
void SetOleDropRTFAccepted(bool Value); // the same switch
bool OleDropRTFAccepted();

// The formats a drag carries.
extern const char* const MimeText;    // "text/plain"
extern const char* const MimeRTF;     // "text/rtf"
extern const char* const MimeGridCol; // the column index, 4 bytes little-endian
enum TDropFormat : unsigned { dfText = 1, dfFile = 2, dfCol = 4, dfRTF = 8 };
using TDropFormats = unsigned;

// Drop effects and the results of a drag.
enum TDropEffect : int { DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2 };
constexpr long S_OK_RESULT = 0;
constexpr long DRAGDROP_S_DROP = 0x00040100;
constexpr long DRAGDROP_S_CANCEL = 0x00040101;
constexpr long DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

// Copy with Ctrl held, else move.
TDropEffect StandardEffect(Qt::KeyboardModifiers Shift);

// Reads what a foreign drag carries. Data may be null: then nothing is present.
class TEnumFormats {
public:
    explicit TEnumFormats(const QMimeData* Data) : FData(Data) {}
    void SetDataObject(const QMimeData* Data) { FData = Data; }
    bool HasFormat(const QString& Format) const;
    bool HasText() const;
    bool HasRTF() const;
    bool HasCol() const;
    bool HasFile() const;
    TDropFormats Formats() const;                  // every format present
    QString SomeText(const QString& Format) const; // empty when absent; up to a zero character
    int SomeInt(const QString& Format) const;      // -1 when absent or shorter than 4 bytes
    bool SomeFiles(QStringList& List) const;       // local file names; true when at least one
    QString Text() const;
    QString RTF() const;
    int Col() const;

private:
    const QMimeData* FData;
};

// What a drag from the grid offers: a text (and, while RTFAware, its rich text when there is
// one), or a column index alone (Col other than -1).
class TSourceDataObject {
public:
    TSourceDataObject(const QString& Text, const QString& RTF, int Col) : FText(Text), FRTF(RTF), FCol(Col) {}
    // The formats offered, in order: text, rich text, grid column.
    QStringList Formats() const;
    bool QueryGetData(const QString& Format) const;
    // The bytes of a format offered (UTF-8 text, the rich text, the 4-byte index); false when
    // not offered.
    bool GetData(const QString& Format, QByteArray& Data) const;
    QMimeData* CreateMimeData() const; // the caller owns it

private:
    QString FText, FRTF;
    int FCol;
};

class TTSGDropTarget {
public:
    virtual ~TTSGDropTarget() = default;
    bool AcceptsText = true;
    bool AcceptsFiles = true;
    bool AcceptsColumns = false;

    // The drag arrives, moves, leaves or drops; each answers the effect to show.
    TDropEffect DragEnter(const QMimeData* Data, Qt::KeyboardModifiers Keys, QPoint Pt);
    TDropEffect DragOver(Qt::KeyboardModifiers Keys, QPoint Pt);
    void DragLeave();
    TDropEffect Drop(const QMimeData* Data, Qt::KeyboardModifiers Keys, QPoint Pt);
    // Qt's drag events of the widget the target serves; true when the event was one of them.
    bool HandleDragEvent(QEvent* Event);

    bool Acceptable() const { return FAcceptable; }
    TDropFormats FormatsPresent() const { return FFormats; }
    // While a drop is delivered: the effect it answers when taken (a move or a copy).
    TDropEffect DropEffect() const { return FDropEffect; }

protected:
    // Each answers whether it took what was dropped; a drop nothing took answers no effect,
    // so that a moving source keeps its data.
    virtual bool DropText(QPoint, const QString&) { return false; }
    virtual bool DropRTF(QPoint, const QString&) { return false; }
    virtual bool DropFiles(QPoint, const QStringList&) { return false; }
    virtual bool DropCol(QPoint, int) { return false; }
    virtual void DragMouseMove(QPoint, bool& /*Allow*/, TDropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

private:
    bool FAcceptable = false;
    TDropFormats FFormats = 0;
    TDropEffect FDropEffect = DROPEFFECT_NONE;
};

class TTSGDropSource {
public:
    virtual ~TTSGDropSource() = default;
    // Escape cancels; the left button still down goes on (S_OK_RESULT); else the drop.
    long QueryContinueDrag(bool EscapePressed, Qt::MouseButtons Buttons);
    // The effect the drag shows now.
    long GiveFeedback(TDropEffect Effect);
    bool NoEffect() const { return FNoEffect; }

protected:
    virtual void QueryDrag() {}
    virtual void CurrentEffect(TDropEffect) {}

private:
    bool FNoEffect = false;
};

// The result of a finished drag: a cancel or an ignored drop, and a drop over a place that
// last showed no effect, count as cancelled.
long DragResult(Qt::DropAction Performed, bool NoEffect);

// Drag from Widget (modal until the drop). Effect gets the effect performed.
long StartTextDoDragDrop(QWidget* Widget, TTSGDropSource& Source, const QString& Text, const QString& RTF,
                         TDropEffect& Effect, Qt::DropActions Allowed);
long StartColDoDragDrop(QWidget* Widget, TTSGDropSource& Source, int Column, Qt::DropActions Allowed,
                        TDropEffect& Effect);

} // namespace grid
