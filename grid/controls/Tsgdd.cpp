#include "grid/controls/Tsgdd.h"

#include "platform/ui/Connect.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <QtEndian>

namespace grid {

namespace {
bool gRTFAware = false;
// Rich text as other programs may name it.
const char* const kMimeRTFAlt = "application/rtf";
} // namespace

const char* const MimeText = "text/plain";
const char* const MimeRTF = "text/rtf";
const char* const MimeGridCol = "application/x-grid-column";

void SetRTFAware(bool Value) { gRTFAware = Value; }
bool RTFAware() { return gRTFAware; }
void SetOleDropRTFAccepted(bool Value) { SetRTFAware(Value); }
bool OleDropRTFAccepted() { return RTFAware(); }

TDropEffect StandardEffect(Qt::KeyboardModifiers Shift)
{
    return Shift.testFlag(Qt::ControlModifier) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// --- reading a foreign drag -----------------------------------------------------------------

bool TEnumFormats::HasFormat(const QString& Format) const { return FData && FData->hasFormat(Format); }
bool TEnumFormats::HasText() const { return HasFormat(QLatin1String(MimeText)); }
bool TEnumFormats::HasRTF() const { return HasFormat(QLatin1String(MimeRTF)) || HasFormat(QLatin1String(kMimeRTFAlt)); }
bool TEnumFormats::HasCol() const { return HasFormat(QLatin1String(MimeGridCol)); }

bool TEnumFormats::HasFile() const
{
    if (!FData || !FData->hasUrls())
        return false;
    for (const QUrl& u : FData->urls())
        if (u.isLocalFile())
            return true;
    return false;
}

TDropFormats TEnumFormats::Formats() const
{
    TDropFormats f = 0;
    if (HasText())
        f |= dfText;
    if (HasFile())
        f |= dfFile;
    if (HasCol())
        f |= dfCol;
    if (HasRTF())
        f |= dfRTF;
    return f;
}

QString TEnumFormats::SomeText(const QString& Format) const
{
    if (!HasFormat(Format))
        return {};
    QByteArray bytes = FData->data(Format);
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromUtf8(bytes);
}

int TEnumFormats::SomeInt(const QString& Format) const
{
    if (!HasFormat(Format))
        return -1;
    const QByteArray bytes = FData->data(Format);
    if (bytes.size() < 4)
        return -1; // too short to hold an index
    return qFromLittleEndian<qint32>(bytes.constData());
}

bool TEnumFormats::SomeFiles(QStringList& List) const
{
    bool any = false;
    if (!FData)
        return false;
    for (const QUrl& u : FData->urls())
        if (u.isLocalFile() && !u.toLocalFile().isEmpty()) {
            List.append(u.toLocalFile());
            any = true;
        }
    return any;
}

QString TEnumFormats::Text() const
{
    // Qt hands plain text over in the system's form; text() decodes it.
    return HasText() ? FData->text() : QString();
}

QString TEnumFormats::RTF() const
{
    return HasFormat(QLatin1String(MimeRTF)) ? SomeText(QLatin1String(MimeRTF)) : SomeText(QLatin1String(kMimeRTFAlt));
}

int TEnumFormats::Col() const { return SomeInt(QLatin1String(MimeGridCol)); }

// --- what a drag from the grid offers ---------------------------------------------------------

QStringList TSourceDataObject::Formats() const
{
    QStringList f;
    if (FCol == -1) {
        f << QLatin1String(MimeText);
        if (RTFAware() && !FRTF.isEmpty())
            f << QLatin1String(MimeRTF);
    } else {
        f << QLatin1String(MimeGridCol);
    }
    return f;
}

bool TSourceDataObject::QueryGetData(const QString& Format) const { return Formats().contains(Format); }

bool TSourceDataObject::GetData(const QString& Format, QByteArray& Data) const
{
    if (!QueryGetData(Format))
        return false;
    if (Format == QLatin1String(MimeText))
        Data = FText.toUtf8();
    else if (Format == QLatin1String(MimeRTF))
        Data = FRTF.toUtf8();
    else {
        Data.resize(4);
        qToLittleEndian<qint32>(FCol, Data.data());
    }
    return true;
}

QMimeData* TSourceDataObject::CreateMimeData() const
{
    auto* m = new QMimeData;
    for (const QString& f : Formats()) {
        QByteArray d;
        GetData(f, d);
        if (f == QLatin1String(MimeText))
            m->setText(FText); // also the system's own text forms
        else
            m->setData(f, d);
    }
    return m;
}

// --- drop target ------------------------------------------------------------------------------

TDropEffect TTSGDropTarget::DragEnter(const QMimeData* Data, Qt::KeyboardModifiers Keys, QPoint)
{
    const TEnumFormats e(Data);
    FFormats = e.Formats();
    FAcceptable = ((FFormats & dfText) && AcceptsText) || ((FFormats & dfFile) && AcceptsFiles)
        || ((FFormats & dfRTF) && RTFAware() && AcceptsText) || ((FFormats & dfCol) && AcceptsColumns);
    DragMouseEnter();
    return FAcceptable ? StandardEffect(Keys) : DROPEFFECT_NONE;
}

TDropEffect TTSGDropTarget::DragOver(Qt::KeyboardModifiers Keys, QPoint Pt)
{
    TDropEffect effect = FAcceptable ? StandardEffect(Keys) : DROPEFFECT_NONE;
    bool allow = effect != DROPEFFECT_NONE;
    DragMouseMove(Pt, allow, FFormats);
    if (!allow)
        effect = DROPEFFECT_NONE;
    return effect;
}

void TTSGDropTarget::DragLeave() { DragMouseLeave(); }

TDropEffect TTSGDropTarget::Drop(const QMimeData* Data, Qt::KeyboardModifiers Keys, QPoint Pt)
{
    if (!FAcceptable)
        return DROPEFFECT_NONE;
    const TEnumFormats e(Data);
    FDropEffect = StandardEffect(Keys);
    // One of column, rich text, text; files besides. A kind the target does not accept is
    // not delivered even when the drop was acceptable for another kind it carries.
    bool taken = false;
    if (e.HasCol() && AcceptsColumns)
        taken = DropCol(Pt, e.Col());
    else if (RTFAware() && e.HasRTF() && AcceptsText)
        taken = DropRTF(Pt, e.RTF());
    else if (e.HasText() && AcceptsText)
        taken = DropText(Pt, e.Text());
    if (e.HasFile() && AcceptsFiles) {
        QStringList names;
        if (e.SomeFiles(names))
            taken = DropFiles(Pt, names) || taken;
    }
    const TDropEffect effect = taken ? FDropEffect : DROPEFFECT_NONE;
    FDropEffect = DROPEFFECT_NONE;
    return effect;
}

namespace {

Qt::DropAction toAction(TDropEffect e)
{
    return e == DROPEFFECT_COPY ? Qt::CopyAction : e == DROPEFFECT_MOVE ? Qt::MoveAction : Qt::IgnoreAction;
}

void answer(QDropEvent* ev, TDropEffect e)
{
    if (e == DROPEFFECT_NONE) {
        ev->ignore();
        return;
    }
    ev->setDropAction(toAction(e));
    ev->accept();
}

} // namespace

bool TTSGDropTarget::HandleDragEvent(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::DragEnter: {
        // An enter left unaccepted shows no-drop, and neither moves nor the drop follow.
        auto* ev = static_cast<QDragEnterEvent*>(Event);
        answer(ev, DragEnter(ev->mimeData(), ev->modifiers(), ev->position().toPoint()));
        return true;
    }
    case QEvent::DragMove: {
        auto* ev = static_cast<QDragMoveEvent*>(Event);
        answer(ev, DragOver(ev->modifiers(), ev->position().toPoint()));
        return true;
    }
    case QEvent::DragLeave:
        DragLeave();
        Event->accept();
        return true;
    case QEvent::Drop: {
        auto* ev = static_cast<QDropEvent*>(Event);
        ev->ignore(); // a drop that fails on the way stays refused
        answer(ev, Drop(ev->mimeData(), ev->modifiers(), ev->position().toPoint()));
        return true;
    }
    default: return false;
    }
}

// --- drop source and starting a drag ----------------------------------------------------------

long TTSGDropSource::QueryContinueDrag(bool EscapePressed, Qt::MouseButtons Buttons)
{
    QueryDrag();
    if (EscapePressed)
        return DRAGDROP_S_CANCEL;
    if (Buttons.testFlag(Qt::LeftButton))
        return S_OK_RESULT;
    return DRAGDROP_S_DROP;
}

long TTSGDropSource::GiveFeedback(TDropEffect Effect)
{
    FNoEffect = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

long DragResult(Qt::DropAction Performed, bool NoEffect)
{
    return Performed == Qt::IgnoreAction || NoEffect ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}

namespace {

TDropEffect toEffect(Qt::DropAction a)
{
    switch (a) {
    case Qt::CopyAction: return DROPEFFECT_COPY;
    case Qt::MoveAction:
    case Qt::TargetMoveAction: return DROPEFFECT_MOVE;
    default: return DROPEFFECT_NONE;
    }
}

long runDrag(QWidget* Widget, TTSGDropSource& Source, const TSourceDataObject& Data, Qt::DropActions Allowed,
             TDropEffect& Effect)
{
    auto* drag = new QDrag(Widget); // Qt deletes it when the drag ends
    drag->setMimeData(Data.CreateMimeData());
    const QMetaObject::Connection feedback =
        ui::on(drag, &QDrag::actionChanged, Widget, [&Source](Qt::DropAction a) { Source.GiveFeedback(toEffect(a)); });
    const Qt::DropAction done = drag->exec(Allowed);
    QObject::disconnect(feedback); // the drag object may outlive this call; the source does not
    Effect = toEffect(done);
    return DragResult(done, Source.NoEffect());
}

} // namespace

long StartTextDoDragDrop(QWidget* Widget, TTSGDropSource& Source, const QString& Text, const QString& RTF,
                         TDropEffect& Effect, Qt::DropActions Allowed)
{
    return runDrag(Widget, Source, TSourceDataObject(Text, RTF, -1), Allowed, Effect);
}

long StartColDoDragDrop(QWidget* Widget, TTSGDropSource& Source, int Column, Qt::DropActions Allowed,
                        TDropEffect& Effect)
{
    return runDrag(Widget, Source, TSourceDataObject(QString(), QString(), Column), Allowed, Effect);
}

} // namespace grid
