#include "platform/report/PageStream.h"

#include "platform/report/Output.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

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

QDataStream& operator<<(QDataStream& s, const FontSpec& f)
{
    return s << f.family << f.size << f.bold << f.italic << f.color;
}

QDataStream& operator>>(QDataStream& s, FontSpec& f)
{
    return s >> f.family >> f.size >> f.bold >> f.italic >> f.color;
}

void write(QDataStream& s, const Page& page)
{
    s << qint32(page.number) << quint32(page.items.size());
    for (const DrawItem& item : page.items) {
        s << quint8(item.kind) << item.name << item.rect;
        switch (item.kind) {
        case DrawItem::Kind::Text:
        case DrawItem::Kind::RichText:
            s << item.text << item.font << quint8(item.align) << item.wrap;
            break;
        case DrawItem::Kind::Line:
            s << item.penWidth << qint32(item.penStyle);
            break;
        case DrawItem::Kind::Image:
            s << item.image;
            break;
        }
    }
}

Page read(QDataStream& s)
{
    Page page;
    qint32 number = 0;
    quint32 count = 0;
    s >> number >> count;
    page.number = number;
    page.items.resize(count);
    for (DrawItem& item : page.items) {
        quint8 kind = 0;
        s >> kind >> item.name >> item.rect;
        item.kind = DrawItem::Kind(kind);
        switch (item.kind) {
        case DrawItem::Kind::Text:
        case DrawItem::Kind::RichText: {
            quint8 align = 0;
            s >> item.text >> item.font >> align >> item.wrap;
            item.align = Align(align);
            break;
        }
        case DrawItem::Kind::Line: {
            qint32 style = 0;
            s >> item.penWidth >> style;
            item.penStyle = Qt::PenStyle(style);
            break;
        }
        case DrawItem::Kind::Image:
            s >> item.image;
            break;
        }
    }
    return page;
}

const QString kSpoolError = QStringLiteral("Nie można zapisać stron wydruku w pliku tymczasowym.");

} // namespace

PageSpool::PageSpool() = default;
PageSpool::~PageSpool() = default;

void PageSpool::begin(const PageSetup& setup, const QString& title)
{
    setup_ = setup;
    title_ = title;
    offsets_.clear();
    auto file = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("tarnex_strony_XXXXXX")));
    if (!file->open())
        throw Error(kSpoolError);
    file_ = std::move(file);
}

void PageSpool::page(Page&& page)
{
    if (!file_)
        begin(setup_, title_);
    file_->seek(file_->size());
    const qint64 at = file_->pos();
    QDataStream s(file_.get());
    write(s, page);
    if (s.status() != QDataStream::Ok)
        throw Error(kSpoolError);
    offsets_.push_back(at);
}

void PageSpool::end()
{
    if (file_ && !file_->flush())
        throw Error(kSpoolError);
}

Page PageSpool::page(int index) const
{
    if (!file_ || index < 0 || index >= pageCount())
        return {};
    file_->seek(offsets_[size_t(index)]);
    QDataStream s(file_.get());
    return read(s);
}

// ---- PdfStream --------------------------------------------------------------------------------

PdfStream::PdfStream(QString path) : path_(std::move(path)) {}

PdfStream::~PdfStream()
{
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    writer_.reset();
    if (!done_ && !path_.isEmpty())
        QFile::remove(path_); // an unfinished file is no printout
}

void PdfStream::begin(const PageSetup& setup, const QString& title)
{
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        throw Error(QStringLiteral("Nie można utworzyć folderu „%1”.").arg(info.absolutePath()));
    writer_ = std::make_unique<QPdfWriter>(path_);
    writer_->setResolution(1200);
    writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                       setup.orientation == PageOrientation::Portrait ? QPageLayout::Portrait
                                                                                      : QPageLayout::Landscape,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Orlimek - Tarnex"));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(writer_.get()))
        throw Error(QStringLiteral("Nie można zapisać pliku wydruku „%1”.").arg(path_));
    pages_ = 0;
}

void PdfStream::page(Page&& page)
{
    draw(page);
}

void PdfStream::draw(const Page& page)
{
    if (!painter_)
        throw Error(QStringLiteral("Nie można zapisać pliku wydruku „%1”.").arg(path_));
    if (pages_ > 0)
        writer_->newPage();
    drawPage(*painter_, page, writer_->logicalDpiX());
    ++pages_;
}

void PdfStream::end()
{
    if (!painter_)
        return;
    const bool ok = painter_->end();
    painter_.reset();
    writer_.reset();
    if (!ok || !QFileInfo::exists(path_) || QFileInfo(path_).size() == 0)
        throw Error(QStringLiteral("Nie można zapisać pliku wydruku „%1”.").arg(path_));
    done_ = true;
}

} // namespace report
