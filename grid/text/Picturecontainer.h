#pragma once
// Pictures for formatted cell text: a picture that keeps its file's own bytes and decodes them
// (PNG, JPEG, BMP, GIF with its frames, ICO), a named collection of such pictures, and a cache
// of pictures known by their address ("RES://name", "FILE://path").
#include "platform/ui/Canvas.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;

namespace grid {

// The resolution of what a canvas draws on (96 for a canvas that only measures).
int CanvasPixelsPerInchX(const ui::Canvas& Canvas);
int CanvasPixelsPerInchY(const ui::Canvas& Canvas);

class THTMLPicture {
public:
    using TNotifyEvent = std::function<void(THTMLPicture& Sender)>;
    using TDownLoadProgressEvent = std::function<void(THTMLPicture& Sender, unsigned dwSize, unsigned dwTotSize)>;
    using TDownLoadCancelEvent = std::function<void(THTMLPicture& Sender, bool& Cancel)>;
    using TDownLoadErrorEvent = std::function<void(THTMLPicture& Sender, const QString& err)>;

    THTMLPicture() = default;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // A file that cannot be read or decoded leaves the picture empty, without an error.
    void LoadFromFile(const QString& FileName);
    // Copies the whole stream and decodes it; decoding errors raise ETxGridError.
    void LoadFromStream(QIODevice* Stream);
    // A picture of the program's resources (":/" + Name); nothing when there is none.
    void LoadFromResourceName(const QString& Name);
    // The resource named by the number; a missing one raises ETxGridError.
    void LoadFromResourceID(int ResID);
    // "RES://" + name or "FILE://" + path (prefixes in any case, the rest as given); other
    // addresses are only recorded, remote pictures are not fetched.
    void LoadFromURL(const QString& URL);
    void SaveToStream(QIODevice* Stream) const;
    // Copies Source's data (nullptr clears the picture).
    void Assign(const THTMLPicture* Source);

    void Draw(ui::Canvas& Canvas, const ui::Rect& Rect) const;

    bool GetEmpty() const { return FEmpty; }
    int GetWidth() const;
    int GetHeight() const;
    // The animation's whole area for GIF files, else the picture's size.
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    bool IsGIFFile() const;
    // Frames of a GIF file (0 when it has no frame with a control block); -1 for other data.
    int GetFrameCount();
    // Delay of a frame in hundredths of a second; -1 when there is no such frame.
    int GetFrameTime(int AFrame);
    int Frame() const { return FFrame; }
    // Frames count from 1; a number outside the picture's frames is ignored.
    void SetFrame(int AFrame);
    void FrameNext();
    void FramePrev();
    // One animation tick (a tenth of a second): true when the frame changed.
    bool Step();

    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    int FrameWidth() const { return FFrameWidth; }
    int FrameHeight() const { return FFrameHeight; }
    bool FrameTransp() const { return FFrameTransp; }
    int FrameDisposal() const { return FFrameDisposal; }

    // The address it was asked to load, and the one it has loaded (its cache key).
    QString URL() const { return FURL; }
    QString ID() const { return FID; }
    bool ThreadBusy() const { return FThreadBusy; }

    const QByteArray& Data() const { return FData; }
    // The decoded current frame (null when not decoded).
    const QImage& Image() const { return FImage; }

    void SetWidth(int) {}
    void SetHeight(int) {}

    void DownLoadProgress(unsigned dwSize, unsigned dwTotSize);
    void DownLoadComplete();
    void DownLoadCancel(bool& Cancel);
    void DownLoadError(const QString& err);

    bool Stretch = false;
    bool Asynchronous = true;
    int LogPixX = 96, LogPixY = 96;

    TNotifyEvent OnChange;
    TNotifyEvent OnFrameChange;
    TDownLoadProgressEvent OnDownLoadProgress;
    TNotifyEvent OnDownLoadComplete;
    TDownLoadCancelEvent OnDownLoadCancel;
    TDownLoadErrorEvent OnDownLoadError;

private:
    void LoadData(const QByteArray& Bytes);
    void Decode();
    void DecodeLoaded();
    void Changed();

    QByteArray FData;
    bool FEmpty = true;
    QImage FImage;
    int FHiMetricWidth = 0, FHiMetricHeight = 0;
    QString FURL, FID;
    bool FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    int FNextFrameTime = -1;
    int FTimerCount = -1;
    int FFrameXPos = 0, FFrameYPos = 0, FFrameWidth = 0, FFrameHeight = 0;
    bool FFrameTransp = false;
    int FFrameDisposal = 0;
    int FAnimMaxX = 0, FAnimMaxY = 0;
};

class TPictureContainer;

class TPictureItem {
public:
    TPictureItem() : FPicture(std::make_unique<THTMLPicture>()) {}
    THTMLPicture& Picture() { return *FPicture; }
    const THTMLPicture& Picture() const { return *FPicture; }
    void SetPicture(const THTMLPicture& Value) { FPicture->Assign(&Value); }

    QString Name;
    int Tag = 0;

private:
    std::unique_ptr<THTMLPicture> FPicture;
};

class TPictureCollection {
public:
    explicit TPictureCollection(TPictureContainer* Owner) : FOwner(Owner) {}

    int Count() const { return int(FItems.size()); }
    TPictureItem& Add();
    // The new item goes to Index, clamped to the collection.
    TPictureItem& Insert(int Index);
    TPictureItem& GetItem(int Index) const;
    // Copies Value's name, tag and picture into the item at Index.
    void SetItem(int Index, const TPictureItem& Value);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    TPictureContainer* GetOwner() const { return FOwner; }
    bool Animate();

private:
    TPictureContainer* FOwner;
    std::vector<std::unique_ptr<TPictureItem>> FItems;
};

class TPictureContainer {
public:
    TPictureContainer() : FItems(this) {}
    TPictureCollection& Items() { return FItems; }
    const TPictureCollection& Items() const { return FItems; }
    // The first item whose upper-cased name equals Name (callers pass upper-case names).
    THTMLPicture* FindPicture(const QString& Name) const;

private:
    TPictureCollection FItems;
};

class THTMLPictureCache {
public:
    int Count() const { return int(FPictures.size()); }
    THTMLPicture& AddPicture();
    // The first picture whose loaded address is Name exactly.
    THTMLPicture* FindPicture(const QString& Name) const;
    THTMLPicture& GetPicture(int Index) const;
    void SetPicture(int Index, const THTMLPicture& Value);
    // Frees every picture and empties the list.
    void ClearPictures() { FPictures.clear(); }
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> FPictures;
};

} // namespace grid
