#include "platform/report/PageStream.h"

#include "platform/report/Output.h"
#include "platform/system/FileReplacement.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace report {

// ---- PageCollector ----------------------------------------------------------------------------

void PageCollector::begin(const PageSetup& setup, const QString& title)
{
    list_ = PageList();
    list_.setup = setup;
    list_.title = title;
}

// ---- PageSpool --------------------------------------------------------------------------------

namespace {

// A page on the spool: its fonts and element names once each, then the items with small
// indexes into those tables, texts as UTF-8, positions as floats (far finer than a printer dot),
// the whole compressed. A page of a sales report takes a few kilobytes.
QDataStream& operator<<(QDataStream& s, const FontSpec& f)
{
    return s << f.family << f.size << f.bold << f.italic << f.color;
}

QDataStream& operator>>(QDataStream& s, FontSpec& f)
{
    return s >> f.family >> f.size >> f.bold >> f.italic >> f.color;
}

template <class T>
quint16 indexIn(std::vector<T>& table, const T& value)
{
    for (size_t i = table.size(); i-- > 0;)
        if (table[i] == value)
            return quint16(i);
    table.push_back(value);
    return quint16(table.size() - 1);
}

QByteArray encode(const Page& page)
{
    std::vector<FontSpec> fonts;
    std::vector<QString> names;
    QByteArray body;
    {
        QDataStream s(&body, QIODevice::WriteOnly);
        s.setFloatingPointPrecision(QDataStream::SinglePrecision);
        for (const DrawItem& item : page.items) {
            s << quint8(item.kind) << indexIn(names, item.name) << item.rect.x() << item.rect.y() << item.rect.width()
              << item.rect.height();
            switch (item.kind) {
            case DrawItem::Kind::Text:
            case DrawItem::Kind::RichText:
                s << item.text.toUtf8() << indexIn(fonts, item.font) << quint8(int(item.align) | (item.wrap ? 4 : 0));
                break;
            case DrawItem::Kind::Line: s << item.penWidth << qint32(item.penStyle); break;
            case DrawItem::Kind::Image: s << item.image; break;
            }
        }
    }
    QByteArray raw;
    {
        QDataStream s(&raw, QIODevice::WriteOnly);
        s << qint32(page.number) << quint32(page.items.size()) << quint32(fonts.size());
        for (const FontSpec& f : fonts)
            s << f;
        s << quint32(names.size());
        for (const QString& n : names)
            s << n;
    }
    raw += body;
    return qCompress(raw, 1);
}

Page decode(const QByteArray& packed)
{
    const QByteArray raw = qUncompress(packed);
    QDataStream s(raw);
    Page page;
    qint32 number = 0;
    quint32 count = 0, fontCount = 0, nameCount = 0;
    s >> number >> count >> fontCount;
    std::vector<FontSpec> fonts(fontCount);
    for (FontSpec& f : fonts)
        s >> f;
    s >> nameCount;
    std::vector<QString> names(nameCount);
    for (QString& n : names)
        s >> n;
    s.setFloatingPointPrecision(QDataStream::SinglePrecision);
    page.number = number;
    page.items.resize(count);
    for (DrawItem& item : page.items) {
        quint8 kind = 0;
        quint16 name = 0;
        double x = 0, y = 0, w = 0, h = 0;
        s >> kind >> name >> x >> y >> w >> h;
        item.kind = DrawItem::Kind(kind);
        item.name = names.at(name);
        item.rect = QRectF(x, y, w, h);
        switch (item.kind) {
        case DrawItem::Kind::Text:
        case DrawItem::Kind::RichText: {
            QByteArray text;
            quint16 font = 0;
            quint8 flags = 0;
            s >> text >> font >> flags;
            item.text = QString::fromUtf8(text);
            item.font = fonts.at(font);
            item.align = Align(flags & 3);
            item.wrap = flags & 4;
            break;
        }
        case DrawItem::Kind::Line: {
            qint32 style = 0;
            s >> item.penWidth >> style;
            item.penStyle = Qt::PenStyle(style);
            break;
        }
        case DrawItem::Kind::Image: s >> item.image; break;
        }
    }
    return page;
}

// The spool's failure: where and why ("... w folderze /tmp: brak miejsca na dysku.").
Error spoolError(int code)
{
    return Error(QStringLiteral("Nie można zapisać stron wydruku w pliku tymczasowym w folderze %1: %2.")
                     .arg(QDir::tempPath(), sys::saveFailureCause(code)));
}

// Why the folder of a printout could not be made: the error met making its first missing
// level, or what is in its place.
QString folderFailure(const QString& folder)
{
    QString there = QDir::cleanPath(folder), missing;
    for (QString up = QFileInfo(there).path(); !QFileInfo::exists(there) && up != there; up = QFileInfo(up).path()) {
        missing = there;
        there = up;
    }
    if (const QFileInfo last(there); last.exists() && !last.isDir())
        return QStringLiteral("pod nazwą %1 jest plik, a nie folder").arg(there);
    const QByteArray name = QFile::encodeName(missing);
    if (missing.isEmpty() || ::mkdir(name.constData(), 0777) == 0) { // it could be made now after all: not kept
        if (!missing.isEmpty())
            ::rmdir(name.constData());
        return sys::saveFailureCause(0);
    }
    return sys::saveFailureCause(errno);
}

} // namespace

PageSpool::PageSpool() = default;
PageSpool::~PageSpool() = default;

void PageSpool::begin(const PageSetup& setup, const QString& title)
{
    setup_ = setup;
    title_ = title;
    offsets_.clear();
    bytes_ = 0;
    auto file = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("tarnex_strony_XXXXXX")));
    if (!file->open())
        throw spoolError(errno);
    file_ = std::move(file);
}

void PageSpool::page(Page&& page)
{
    if (!file_)
        begin(setup_, title_);
    const QByteArray packed = encode(page);
    const qint64 at = file_->size();
    errno = 0;
    if (!file_->seek(at) || file_->write(packed) != packed.size())
        throw spoolError(errno);
    offsets_.push_back(at);
    bytes_ = at + packed.size();
}

void PageSpool::end()
{
    errno = 0;
    if (file_ && !file_->flush())
        throw spoolError(errno);
}

Page PageSpool::page(int index) const
{
    if (!file_ || index < 0 || index >= pageCount())
        return {};
    const qint64 at = offsets_[size_t(index)];
    const qint64 end = size_t(index + 1) < offsets_.size() ? offsets_[size_t(index + 1)] : bytes_;
    if (!file_->seek(at))
        return {};
    return decode(file_->read(end - at));
}

// ---- PdfStream --------------------------------------------------------------------------------

PdfStream::PdfStream(QString path) : path_(std::move(path)) {}

PdfStream::~PdfStream()
{
    // Not ended: the writer is dropped, and with the replacement its temporary file; a file
    // that was there before stays as it was.
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    writer_.reset();
}

void PdfStream::begin(const PageSetup& setup, const QString& title)
{
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        throw Error(sys::saveSentence(path_,
                                      QStringLiteral("nie można utworzyć folderu %1 (%2)")
                                          .arg(info.absolutePath(), folderFailure(info.absolutePath()))));
    // Written beside the file and put in its place only when whole and on the disk.
    painter_.reset();
    writer_.reset();
    try {
        file_ = std::make_unique<sys::FileReplacement>(path_);
    } catch (const sys::SaveError& e) {
        throw Error(e.message());
    }
    writer_ = std::make_unique<QPdfWriter>(&file_->device());
    writer_->setResolution(1200);
    writer_->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4),
                    setup.orientation == PageOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                    QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Orlimek - Tarnex"));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(writer_.get()))
        failed();
    pages_ = 0;
}

void PdfStream::failed()
{
    try {
        file_->fail(file_->lastWriteError());
    } catch (const sys::SaveError& e) {
        throw Error(e.message());
    }
}

void PdfStream::page(Page&& page) { draw(page); }

void PdfStream::draw(const Page& page)
{
    if (!painter_)
        throw Error(sys::saveSentence(path_, QStringLiteral("wydruk do tego pliku nie został rozpoczęty")));
    if (pages_ > 0)
        writer_->newPage();
    drawPage(*painter_, page, writer_->logicalDpiX());
    ++pages_;
    if (file_->lastWriteError()) // a full disk stops the run at the page it could not take
        failed();
}

void PdfStream::end()
{
    if (!painter_)
        return;
    const bool ok = painter_->end();
    painter_.reset();
    writer_.reset();
    if (!ok || file_->lastWriteError())
        failed();
    try {
        file_->commit();
    } catch (const sys::SaveError& e) {
        throw Error(e.message());
    }
    file_.reset();
}

} // namespace report
