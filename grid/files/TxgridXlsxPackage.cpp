// The .xlsx package through libzip: parts streamed into the XML scanner under the read
// budget, and one sheet saved into an existing package with every other part kept as it is
// (TxgridXlsxSave.cpp).
#include "grid/controls/TxgridError.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/files/TxgridWorkbook.h"

#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QLocale>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <list>
#include <new>
#include <zip.h>

namespace grid {

// --- limits --------------------------------------------------------------------------------

QString GroupedNumber(qint64 N)
{
    QString digits = QString::number(N);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return digits;
}

QString RangeTooLargeMessage(const QString& Range)
{
    return QStringLiteral("Zakres %1 arkusza jest za duży: siatka wczytuje najwyżej %2 komórek.")
        .arg(Range, GroupedNumber(kGridMaxRangeCells));
}

QString CellTooLongMessage(const QString& Sheet, int Row, int Col, qsizetype Length)
{
    return QStringLiteral("Komórka %1%2 arkusza \"%3\" ma %4 znaków, a komórka skoroszytu mieści najwyżej %5.")
        .arg(ColumnLetters(Col + 1))
        .arg(Row + 1)
        .arg(Sheet, GroupedNumber(Length), GroupedNumber(kWorkbookMaxCellText));
}

void Corrupt(const QString& FileName)
{
    throw ETxGridError(QStringLiteral("File contains no data or corrupt file ") + FileName);
}

QByteArray FileHead(const QString& FileName)
{
    CheckFileKind(FileName);
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        throw ETxGridError(QStringLiteral("Cannot open file ") + FileName);
    return f.peek(8);
}

QString InflatedTooLargeMessage(const QString& FileName)
{
    return QStringLiteral("Skoroszyt %1 jest za duży: jego rozpakowana treść przekracza %2 MiB.")
        .arg(FileName, GroupedNumber(kWorkbookMaxInflated >> 20));
}

void TReadBudget::AddInflated(qint64 N)
{
    Inflated += N;
    if (Inflated > kWorkbookMaxInflated)
        throw ETxGridError(InflatedTooLargeMessage(FileName));
}

void TooManyCells(const QString& FileName)
{
    throw ETxGridError(QStringLiteral("Skoroszyt %1 jest za duży: ma więcej niż %2 niepustych komórek.")
                           .arg(FileName, GroupedNumber(qint64(kWorkbookMaxCells))));
}

void TReadBudget::AddCell()
{
    if (++Cells > kWorkbookMaxCells)
        TooManyCells(FileName);
}

void TReadBudget::AddString(qint64 Chars)
{
    if (++Strings > kWorkbookMaxCells)
        TooManyCells(FileName);
    AddText(Chars + 1);
}

void TReadBudget::AddText(qint64 N)
{
    Text += N;
    if (Text > kWorkbookMaxText)
        throw ETxGridError(QStringLiteral("Skoroszyt %1 jest za duży: tekst jego komórek przekracza %2 znaków.")
                               .arg(FileName, GroupedNumber(kWorkbookMaxText)));
}

// --- the package, read -----------------------------------------------------------------------

TPackage::TPackage(const QString& FileName)
{
    int err = 0;
    FZip = zip_open(QFile::encodeName(FileName).constData(), ZIP_RDONLY, &err);
}

TPackage::TPackage(const QByteArray& Bytes)
{
    zip_error_t err;
    zip_error_init(&err);
    // libzip keeps reading the buffer while the archive is open: it holds its own copy.
    void* copy = std::malloc(std::size_t(std::max<qsizetype>(Bytes.size(), 1)));
    if (copy) {
        std::memcpy(copy, Bytes.constData(), std::size_t(Bytes.size()));
        zip_source_t* src = zip_source_buffer_create(copy, zip_uint64_t(Bytes.size()), 1, &err);
        if (!src)
            std::free(copy);
        else if (!(FZip = zip_open_from_source(src, ZIP_RDONLY, &err)))
            zip_source_free(src);
    }
    zip_error_fini(&err);
}

TPackage::~TPackage()
{
    if (FZip)
        zip_discard(FZip);
}

bool TPackage::Has(const QString& Part) const
{
    return FZip && zip_name_locate(FZip, Part.toUtf8().constData(), 0) >= 0;
}

TPartReader::TPartReader(const TPackage& Package, const QString& Part, TReadBudget& Budget)
    : X([this](char* Data, qint64 Max) { return read(Data, Max); }, Budget.FileName), FBudget(Budget)
{
    if (Package.IsOpen())
        FFile = zip_fopen(Package.Handle(), Part.toUtf8().constData(), 0);
}

TPartReader::~TPartReader()
{
    if (FFile)
        zip_fclose(FFile);
}

qint64 TPartReader::read(char* Data, qint64 Max)
{
    if (!FFile)
        return 0;
    const zip_int64_t n = zip_fread(FFile, Data, zip_uint64_t(Max));
    if (n < 0)
        Corrupt(FBudget.FileName);
    FBudget.AddInflated(n);
    return n;
}

} // namespace grid
