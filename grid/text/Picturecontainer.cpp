#include "grid/text/Picturecontainer.h"

#include "grid/controls/TxgridError.h"
#include "platform/system/FileReplacement.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPaintDevice>
#include <algorithm>

namespace grid {

int CanvasPixelsPerInchX(const ui::Canvas& Canvas)
{
    const QPainter* p = Canvas.painter();
    return p && p->device() ? p->device()->logicalDpiX() : 96;
}

int CanvasPixelsPerInchY(const ui::Canvas& Canvas)
{
    const QPainter* p = Canvas.painter();
    return p && p->device() ? p->device()->logicalDpiY() : 96;
}

namespace {

// a * b / c rounded to the nearest whole number (non-negative operands).
int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    return int((qint64(a) * b + c / 2) / c);
}

int byteAt(const QByteArray& d, qsizetype i) { return uchar(d.at(i)); }
int word16(const QByteArray& d, qsizetype i) { return byteAt(d, i) | (byteAt(d, i + 1) << 8); }

// A frame begins with a graphic control extension of length 4 followed by an image
// descriptor. The descriptor (left, top, width, height) must lie wholly inside the data: a
// frame cut short is no frame.
bool isFrameStart(const QByteArray& d, qsizetype i)
{
    return i + 16 < d.size() && byteAt(d, i) == 0x21 && byteAt(d, i + 1) == 0xF9 && byteAt(d, i + 2) == 0x04
        && byteAt(d, i + 8) == 0x2C;
}

// Position of the start of frame n (from 1), or -1.
qsizetype frameStart(const QByteArray& d, int n)
{
    int k = 0;
    for (qsizetype i = 0; i < d.size(); ++i)
        if (isFrameStart(d, i) && ++k == n)
            return i;
    return -1;
}

// ":/" + Name when that resource exists, else the resource whose path matches Name when
// case is ignored (addresses in formatted text may have been upper-cased); empty when none.
QString findResource(const QString& Name)
{
    QString n = Name;
    while (n.startsWith(QLatin1Char('/')))
        n.remove(0, 1);
    if (n.isEmpty())
        return {};
    const QString direct = QStringLiteral(":/") + n;
    if (QFileInfo(direct).isFile())
        return direct;
    const QStringList parts = n.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = QStringLiteral(":");
    for (int i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        const QDir dir(path + QLatin1Char('/'));
        const QStringList entries = dir.entryList(last ? QDir::Files : QDir::Dirs);
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
            return e.compare(parts.at(i), Qt::CaseInsensitive) == 0;
        });
        if (it == entries.end())
            return {};
        path += QLatin1Char('/') + *it;
    }
    return path;
}

} // namespace

// --- THTMLPicture -------------------------------------------------------------------------

void THTMLPicture::Changed()
{
    if (OnChange)
        OnChange(*this);
}

void THTMLPicture::LoadData(const QByteArray& Bytes)
{
    FData = Bytes;
    FEmpty = false;
    FImage = QImage();
    FFrame = 1;
    FFrameCount = -1;
    FNextFrameTime = -1;
    FTimerCount = -1;
}

bool THTMLPicture::IsGIFFile() const { return FData.size() > 4 && FData.startsWith("GIF8"); }

int THTMLPicture::GetFrameCount()
{
    if (FFrameCount == -1 && IsGIFFile()) {
        int n = 0;
        for (qsizetype i = 0; i < FData.size(); ++i)
            if (isFrameStart(FData, i))
                ++n;
        FFrameCount = n;
    }
    return IsGIFFile() ? FFrameCount : -1;
}

int THTMLPicture::GetFrameTime(int AFrame)
{
    if (!IsGIFFile())
        return -1;
    const qsizetype p = frameStart(FData, AFrame);
    if (p < 0)
        return -1;
    const int packed = byteAt(FData, p + 3);
    FFrameTransp = packed & 1;
    FFrameDisposal = (packed >> 2) & 7;
    return word16(FData, p + 4);
}

void THTMLPicture::Decode()
{
    FImage = QImage();
    FHiMetricWidth = FHiMetricHeight = 0;
    FFrameXPos = FFrameYPos = FFrameWidth = FFrameHeight = 0;
    FAnimMaxX = FAnimMaxY = 0;
    if (FData.isEmpty())
        throw ETxGridError(QStringLiteral("Could not load image"));

    // A GIF file is decoded from its header and global data followed by the current frame
    // onwards, the earlier frames left out.
    QByteArray source;
    const bool frames = IsGIFFile() && GetFrameCount() >= 1;
    if (frames) {
        if (FFrame < 1 || FFrame > FFrameCount)
            FFrame = 1;
        FAnimMaxX = word16(FData, 6);
        FAnimMaxY = word16(FData, 8);
        source.reserve(FData.size());
        int k = 0;
        bool copying = true;
        for (qsizetype i = 0; i < FData.size(); ++i) {
            if (isFrameStart(FData, i)) {
                ++k;
                if (k == FFrame) {
                    FFrameXPos = word16(FData, i + 9);
                    FFrameYPos = word16(FData, i + 11);
                    FFrameWidth = word16(FData, i + 13);
                    FFrameHeight = word16(FData, i + 15);
                    copying = true;
                } else if (k < FFrame) {
                    copying = false;
                }
            }
            if (copying)
                source.append(FData.at(i));
        }
    } else {
        source = FData;
    }

    QBuffer buffer(&source);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage img;
    if (!reader.read(&img) || img.isNull())
        throw ETxGridError(QStringLiteral("Could not load image. Invalid format"));
    if (frames) {
        // The decoder lays a frame out on the animation's whole area; keep just the frame, as
        // it is drawn at its own offset over the area.
        const QRect frame(FFrameXPos, FFrameYPos, FFrameWidth, FFrameHeight);
        if (img.size() == QSize(FAnimMaxX, FAnimMaxY) && frame.size() != img.size()) {
            const QRect part = frame.intersected(img.rect());
            if (!part.isEmpty())
                img = img.copy(part);
            FFrameXPos = part.isEmpty() ? 0 : part.x();
            FFrameYPos = part.isEmpty() ? 0 : part.y();
        }
    }
    FImage = img;
    FHiMetricWidth = mulDiv(img.width(), 2540, 96);
    FHiMetricHeight = mulDiv(img.height(), 2540, 96);
}

void THTMLPicture::LoadFromFile(const QString& FileName)
{
    QFile f(FileName);
    // No picture under a name that holds no file (a FIFO would hold the open).
    if (!sys::fileKindProblem(FileName).isEmpty() || !f.open(QIODevice::ReadOnly)) {
        LoadData(QByteArray());
        FEmpty = true;
        return;
    }
    LoadData(f.readAll());
    try {
        Decode();
    } catch (const ETxGridError&) {
        FEmpty = true;
        return;
    }
    Changed();
}

// The bytes just loaded decoded and announced; a failed decode leaves the picture empty.
void THTMLPicture::DecodeLoaded()
{
    try {
        Decode();
    } catch (...) {
        FEmpty = true;
        throw;
    }
    Changed();
}

void THTMLPicture::LoadFromStream(QIODevice* Stream)
{
    if (!Stream)
        return;
    if (!Stream->isSequential())
        Stream->seek(0);
    LoadData(Stream->readAll());
    DecodeLoaded();
}

void THTMLPicture::LoadFromResourceName(const QString& Name)
{
    const QString path = findResource(Name);
    if (path.isEmpty())
        return;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        LoadFromStream(&f);
}

void THTMLPicture::LoadFromResourceID(int ResID)
{
    const QString path = findResource(QString::number(ResID));
    if (path.isEmpty())
        throw ETxGridError(QStringLiteral("Resource %1 not found").arg(ResID));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ETxGridError(QStringLiteral("Resource %1 not found").arg(ResID));
    LoadFromStream(&f);
}

void THTMLPicture::LoadFromURL(const QString& URL)
{
    // Only the prefixes ignore case: paths and resource names keep theirs.
    if (URL.startsWith(QLatin1String("RES://"), Qt::CaseInsensitive)) {
        FID = URL;
        LoadFromResourceName(URL.mid(6));
    } else if (URL.startsWith(QLatin1String("FILE://"), Qt::CaseInsensitive)) {
        FID = URL;
        LoadFromFile(URL.mid(7));
    } else if (!Asynchronous) {
        FURL = URL;
        FID = URL;
    } else if (!FThreadBusy) {
        // Remote pictures are not fetched: the request is recorded and stays pending.
        FURL = URL;
        FThreadBusy = true;
    }
}

void THTMLPicture::SaveToStream(QIODevice* Stream) const
{
    if (Stream)
        Stream->write(FData);
}

void THTMLPicture::Assign(const THTMLPicture* Source)
{
    if (Source == this)
        return;
    FEmpty = true;
    FImage = QImage();
    FFrameCount = FNextFrameTime = FTimerCount = -1;
    FFrame = 1;
    if (!Source || Source->FData.isEmpty()) {
        FData.clear();
        return;
    }
    LoadData(Source->FData);
    DecodeLoaded();
}

int THTMLPicture::GetWidth() const { return FImage.isNull() ? 0 : mulDiv(FHiMetricWidth, LogPixX, 2540); }
int THTMLPicture::GetHeight() const { return FImage.isNull() ? 0 : mulDiv(FHiMetricHeight, LogPixY, 2540); }
int THTMLPicture::GetMaxWidth() const { return FAnimMaxX != 0 ? FAnimMaxX : GetWidth(); }
int THTMLPicture::GetMaxHeight() const { return FAnimMaxY != 0 ? FAnimMaxY : GetHeight(); }

void THTMLPicture::Draw(ui::Canvas& Canvas, const ui::Rect& Rect) const
{
    if (FEmpty || FImage.isNull())
        return;
    if (Stretch) {
        Canvas.stretchDraw(Rect, FImage);
        return;
    }
    const int w = mulDiv(FHiMetricWidth, CanvasPixelsPerInchX(Canvas), 2540);
    const int h = mulDiv(FHiMetricHeight, CanvasPixelsPerInchY(Canvas), 2540);
    if (w == FImage.width() && h == FImage.height())
        Canvas.drawImage(Rect.Left, Rect.Top, FImage);
    else
        Canvas.stretchDraw({Rect.Left, Rect.Top, Rect.Left + w, Rect.Top + h}, FImage);
}

void THTMLPicture::SetFrame(int AFrame)
{
    const int n = GetFrameCount();
    if (AFrame < 1 || AFrame > std::max(1, n))
        return;
    FFrame = AFrame;
    if (!FData.isEmpty()) {
        Decode();
        if (OnFrameChange)
            OnFrameChange(*this);
    }
}

void THTMLPicture::FrameNext()
{
    const int n = GetFrameCount();
    if (n >= 1)
        SetFrame(FFrame >= n ? 1 : FFrame + 1);
}

void THTMLPicture::FramePrev()
{
    const int n = GetFrameCount();
    if (n >= 1)
        SetFrame(FFrame <= 1 ? n : FFrame - 1);
}

bool THTMLPicture::Step()
{
    if (GetFrameCount() < 2 || FEmpty)
        return false;
    if (FNextFrameTime == -1)
        FNextFrameTime = GetFrameTime(FFrame);
    bool changed = false;
    if (FTimerCount * 10 >= FNextFrameTime) {
        try {
            FrameNext();
        } catch (const ETxGridError&) {
            // A frame that cannot be decoded ends the animation instead of failing every tick.
            FEmpty = true;
            return false;
        }
        FNextFrameTime += GetFrameTime(FFrame);
        changed = true;
    }
    ++FTimerCount;
    return changed;
}

void THTMLPicture::DownLoadProgress(unsigned dwSize, unsigned dwTotSize)
{
    if (OnDownLoadProgress)
        OnDownLoadProgress(*this, dwSize, dwTotSize);
}

void THTMLPicture::DownLoadComplete()
{
    if (OnDownLoadComplete)
        OnDownLoadComplete(*this);
}

void THTMLPicture::DownLoadCancel(bool& Cancel)
{
    if (OnDownLoadCancel)
        OnDownLoadCancel(*this, Cancel);
}

void THTMLPicture::DownLoadError(const QString& err)
{
    if (OnDownLoadError)
        OnDownLoadError(*this, err);
}

// --- collection, container and cache ------------------------------------------------------

namespace {
[[noreturn]] void indexError(int Index)
{
    throw ETxGridError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
} // namespace

TPictureItem& TPictureCollection::Add()
{
    FItems.push_back(std::make_unique<TPictureItem>());
    return *FItems.back();
}

TPictureItem& TPictureCollection::Insert(int Index)
{
    const int at = std::clamp(Index, 0, Count());
    return **FItems.insert(FItems.begin() + at, std::make_unique<TPictureItem>());
}

TPictureItem& TPictureCollection::GetItem(int Index) const
{
    if (Index < 0 || Index >= Count())
        indexError(Index);
    return *FItems[std::size_t(Index)];
}

void TPictureCollection::SetItem(int Index, const TPictureItem& Value)
{
    TPictureItem& item = GetItem(Index);
    if (&item == &Value)
        return;
    item.Name = Value.Name;
    item.Tag = Value.Tag;
    item.SetPicture(Value.Picture());
}

void TPictureCollection::Delete(int Index)
{
    GetItem(Index);
    FItems.erase(FItems.begin() + Index);
}

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (auto& item : FItems)
        changed = item->Picture().Step() || changed;
    return changed;
}

THTMLPicture* TPictureContainer::FindPicture(const QString& Name) const
{
    for (int i = 0; i < FItems.Count(); ++i) {
        TPictureItem& item = FItems.GetItem(i);
        if (item.Name.toUpper() == Name)
            return &item.Picture();
    }
    return nullptr;
}

THTMLPicture& THTMLPictureCache::AddPicture()
{
    FPictures.push_back(std::make_unique<THTMLPicture>());
    return *FPictures.back();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& Name) const
{
    for (const auto& p : FPictures)
        if (p->ID() == Name)
            return p.get();
    return nullptr;
}

THTMLPicture& THTMLPictureCache::GetPicture(int Index) const
{
    if (Index < 0 || Index >= Count())
        indexError(Index);
    return *FPictures[std::size_t(Index)];
}

void THTMLPictureCache::SetPicture(int Index, const THTMLPicture& Value) { GetPicture(Index).Assign(&Value); }

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (auto& p : FPictures)
        changed = p->Step() || changed;
    return changed;
}

} // namespace grid
