// Keeping the grid's column widths and print settings between runs.
#include "grid/files/TxgridPersist.h"

#include "grid/files/TGridFiles.h"
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/controls/Txutil.h"
#include "platform/registry/Registry.h"

namespace grid {

namespace {

QString yesNo(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

void writeFont(TIniFile& Ini, const QString& Section, const QString& Prefix, const ui::Font& F)
{
    Ini.WriteString(Section, Prefix + QLatin1String("FontName"), F.name);
    Ini.WriteInteger(Section, Prefix + QLatin1String("FontSize"), F.size);
    Ini.WriteInteger(Section, Prefix + QLatin1String("FontStyle"), int(F.style & 15u));
    // System colours carry the top bit: they are stored as negative numbers.
    Ini.WriteInteger(Section, Prefix + QLatin1String("FontColor"), qint32(F.color));
}

void readFont(const TIniFile& Ini, const QString& Section, const QString& Prefix, ui::Font& F)
{
    F.name = Ini.ReadString(Section, Prefix + QLatin1String("FontName"), QStringLiteral("Arial"));
    F.size = Ini.ReadInteger(Section, Prefix + QLatin1String("FontSize"), 10);
    // Exactly the stored styles: a font saved without underline must not load underlined.
    F.style = ui::FontStyles(Ini.ReadInteger(Section, Prefix + QLatin1String("FontStyle"), 0)) & 15u;
    F.color = ui::Color(quint32(Ini.ReadInteger(Section, Prefix + QLatin1String("FontColor"), 0)));
}

bool readYes(const TIniFile& Ini, const QString& Section, const char* Ident, const char* Default)
{
    return Ini.ReadString(Section, QLatin1String(Ident), QLatin1String(Default)) == QLatin1String("Y");
}

template <typename E>
void readOrdinal(const TIniFile& Ini, const QString& Section, const char* Ident, int Max, E& Value)
{
    const int v = Ini.ReadInteger(Section, QLatin1String(Ident), 0);
    if (v >= 0 && v <= Max)
        Value = E(v);
}

TPrintPosition readPosition(const TIniFile& Ini, const QString& Section, const char* Ident)
{
    const int v = Ini.ReadInteger(Section, QLatin1String(Ident), 0);
    return v >= 1 && v <= 6 ? TPrintPosition(v) : ppNone;
}

} // namespace

int PenStyleToOrdinal(Qt::PenStyle Style)
{
    switch (Style) {
    case Qt::DashLine: return 1;
    case Qt::DotLine: return 2;
    case Qt::DashDotLine: return 3;
    case Qt::DashDotDotLine: return 4;
    case Qt::NoPen: return 5;
    default: return 0;
    }
}

Qt::PenStyle PenStyleFromOrdinal(int Ordinal)
{
    switch (Ordinal) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

void WritePrintSettings(TIniFile& Ini, const QString& Section, const TPrintSettings& P)
{
    const auto wi = [&](const char* k, int v) { Ini.WriteInteger(Section, QLatin1String(k), v); };
    const auto ws = [&](const char* k, const QString& v) { Ini.WriteString(Section, QLatin1String(k), v); };
    wi("ColumnSpacing", P.ColumnSpacing);
    wi("RowSpacing", P.RowSpacing);
    wi("TitleSpacing", P.TitleSpacing);
    wi("FixedHeight", P.FixedHeight);
    wi("FixedWidth", P.FixedWidth);
    ws("Centered", yesNo(P.Centered));
    ws("NoAutoSize", yesNo(P.NoAutoSize));
    ws("UseFixedHeight", yesNo(P.UseFixedHeight));
    ws("UseFixedWidth", yesNo(P.UseFixedWidth));
    ws("RepeatFixedRows", yesNo(P.RepeatFixedRows));
    ws("RepeatFixedCols", yesNo(P.RepeatFixedCols));
    wi("Borders", int(P.Borders));
    wi("BorderStyle", PenStyleToOrdinal(P.BorderStyle));
    wi("Date", int(P.Date));
    wi("PageNr", int(P.PageNr));
    wi("Title", int(P.Title));
    wi("Time", int(P.Time));
    ws("DateFormat", P.DateFormat);
    ws("TitleText", P.TitleText);
    wi("FooterSize", P.FooterSize);
    wi("HeaderSize", P.HeaderSize);
    wi("LeftSize", P.LeftSize);
    wi("RightSize", P.RightSize);
    wi("FitToPage", int(P.FitToPage));
    writeFont(Ini, Section, QString(), P.Font);
    writeFont(Ini, Section, QStringLiteral("Header"), P.HeaderFont);
    writeFont(Ini, Section, QStringLiteral("Footer"), P.FooterFont);
    ws("PageNumSep", P.PageNumSep);
    ws("PageSuffix", P.PageSuffix);
    ws("PagePrefix", P.PagePrefix);
    wi("Orientation", int(P.Orientation));
    // Every line followed by a line break, as a list's text reads.
    QString lines;
    for (const QString& l : P.TitleLines)
        lines += l + QLatin1String("\r\n");
    ws("TitleLines", LFToCLF(lines));
}

void ReadPrintSettings(const TIniFile& Ini, const QString& Section, TPrintSettings& P)
{
    const auto ri = [&](const char* k, int d) { return Ini.ReadInteger(Section, QLatin1String(k), d); };
    const auto rs = [&](const char* k) { return Ini.ReadString(Section, QLatin1String(k), QString()); };
    P.ColumnSpacing = ri("ColumnSpacing", 20);
    P.RowSpacing = ri("RowSpacing", 20);
    P.TitleSpacing = ri("TitleSpacing", 20);
    P.FixedHeight = ri("FixedHeight", 0);
    P.FixedWidth = ri("FixedWidth", 0);
    P.Centered = readYes(Ini, Section, "Centered", "Y");
    P.NoAutoSize = readYes(Ini, Section, "NoAutoSize", "N");
    P.UseFixedHeight = readYes(Ini, Section, "UseFixedHeight", "N");
    P.UseFixedWidth = readYes(Ini, Section, "UseFixedWidth", "N");
    P.RepeatFixedRows = readYes(Ini, Section, "RepeatFixedRows", "N");
    P.RepeatFixedCols = readYes(Ini, Section, "RepeatFixedCols", "N");
    readOrdinal(Ini, Section, "Borders", int(pbCustom), P.Borders);
    const int pen = ri("BorderStyle", 0);
    if (pen >= 0 && pen <= 6)
        P.BorderStyle = PenStyleFromOrdinal(pen);
    P.Date = readPosition(Ini, Section, "Date");
    P.PageNr = readPosition(Ini, Section, "PageNr");
    P.Title = readPosition(Ini, Section, "Title");
    P.Time = readPosition(Ini, Section, "Time");
    P.DateFormat = rs("DateFormat");
    P.TitleText = rs("TitleText");
    P.FooterSize = ri("FooterSize", 100);
    P.HeaderSize = ri("HeaderSize", 100);
    P.LeftSize = ri("LeftSize", 100);
    P.RightSize = ri("RightSize", 100);
    readOrdinal(Ini, Section, "FitToPage", int(fpCustom), P.FitToPage);
    readFont(Ini, Section, QString(), P.Font);
    readFont(Ini, Section, QStringLiteral("Header"), P.HeaderFont);
    readFont(Ini, Section, QStringLiteral("Footer"), P.FooterFont);
    P.PageNumSep = rs("PageNumSep");
    P.PageSuffix = rs("PageSuffix");
    P.PagePrefix = rs("PagePrefix");
    readOrdinal(Ini, Section, "Orientation", int(poLandscape), P.Orientation);
    // Line breaks come back as CR; a break at the end closes the last line.
    QString text = CLFToLF(rs("TitleLines"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\r'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    P.TitleLines = lines;
}

// --- the grid's side -------------------------------------------------------------------------

namespace {

QString colName(int c) { return QStringLiteral("Col") + QString::number(c); }

QString registryKey(const TColumnSize& cs)
{
    QString key = cs.Key;
    while (key.endsWith(QLatin1Char('\\')))
        key.chop(1);
    return key + QLatin1Char('\\') + cs.Section;
}

} // namespace

void TGridFiles::SaveColSizes()
{
    const TColumnSize& cs = FGrid.ColumnSize();
    if (cs.Key.isEmpty() || cs.Section.isEmpty() || FGrid.designing())
        return;
    if (cs.Location == clIniFile) {
        TIniFile ini(cs.Key);
        for (int c = 0; c < FGrid.colCount(); ++c)
            ini.WriteInteger(cs.Section, colName(c), FGrid.colWidths(c));
        ini.UpdateFile();
        return;
    }
    const QString key = registryKey(cs);
    for (int c = 0; c < FGrid.colCount(); ++c)
        if (!registry::write(registry::Root::CurrentUser, key, colName(c), QString::number(FGrid.colWidths(c))))
            throw ETxGridError(QStringLiteral("Nie można zapisać szerokości kolumn w rejestrze (%1). %2")
                                   .arg(key, registry::lastWriteError()));
}

void TGridFiles::LoadColSizes()
{
    const TColumnSize& cs = FGrid.ColumnSize();
    if (cs.Key.isEmpty() || cs.Section.isEmpty() || FGrid.designing())
        return;
    const int def = FGrid.defaultColWidth();
    if (cs.Location == clIniFile) {
        const TIniFile ini(cs.Key);
        for (int c = 0; c < FGrid.colCount(); ++c) {
            const int w = ini.ReadInteger(cs.Section, colName(c), def);
            if (w != FGrid.colWidths(c))
                FGrid.setColWidths(c, w);
        }
        return;
    }
    const QString key = registryKey(cs);
    for (int c = 0; c < FGrid.colCount(); ++c) {
        bool ok = false;
        int w = registry::read(registry::Root::CurrentUser, key, colName(c)).toInt(&ok);
        if (!ok)
            w = def;
        if (w != FGrid.colWidths(c))
            FGrid.setColWidths(c, w);
    }
}

void TGridFiles::SavePrintSettings(const QString& FileName, const QString& Section)
{
    TIniFile ini(FileName);
    WritePrintSettings(ini, Section, FGrid.PrintSettings());
    ini.UpdateFile();
}

void TGridFiles::LoadPrintSettings(const QString& FileName, const QString& Section)
{
    ReadPrintSettings(TIniFile(FileName), Section, FGrid.PrintSettings());
}

} // namespace grid
