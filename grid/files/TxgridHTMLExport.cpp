// The grid written as an HTML table (optionally an XHTML 1.0 Strict document) with the
// cells' colours, font styles, spans and links, and as a simple XML document with one
// element per row and one per field.
#include "grid/files/TxgridFiles.h"

#include "grid/files/TGridFiles.h"
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/controls/Txutil.h"

#include <QIODevice>

namespace grid {

namespace files {

namespace {

QString Num(int Value) { return QString::number(Value); }

// A blank, the name, "=" and the value in double quotes.
QString Attr(const QString& Name, const QString& Value)
{
    return QLatin1Char(' ') + Name + QStringLiteral("=\"") + Value + QLatin1Char('"');
}

QString Colour(TColor Color) { return QLatin1Char('#') + HTMLColor(Color); }

// Line breaks as <br>, web and mail addresses as links. Nothing is escaped: formatting tags
// in a cell pass into the document.
QString CellHTML(const TTxStringGrid& Grid, const QString& Text)
{
    QString t = HTMLLineBreaks(Text);
    if (!Grid.URLShow() || Text.contains(QLatin1String("</")))
        return t;
    if (const qsizetype p = Text.indexOf(QLatin1String("://")); p >= 0) {
        const qsizetype q = t.indexOf(QLatin1String("://"));
        const QString label = Grid.URLFull() ? t : t.mid(q + 3, 255);
        t = QStringLiteral("<a href=") + t + QLatin1Char('>') + label + QStringLiteral("</a>");
    }
    if (const qsizetype p = Text.indexOf(QLatin1String("mailto:")); p >= 0)
        t = QStringLiteral("<a href=") + Text + QLatin1Char('>') + Text.mid(p + 7, 255) + QStringLiteral("</a>");
    return t;
}

QString AlignAttr(TAlignment HAlign, const QString& Text)
{
    if (Text.isEmpty())
        return QString();
    if (HAlign == taRightJustify)
        return Attr(QStringLiteral("align"), QStringLiteral("right"));
    if (HAlign == taCenter)
        return Attr(QStringLiteral("align"), QStringLiteral("center"));
    return QString();
}

QString XMLEscaped(const QString& Text)
{
    QString t;
    t.reserve(Text.size());
    for (QChar c : Text) {
        if (c == QLatin1Char('&'))
            t += QStringLiteral("&amp;");
        else if (c == QLatin1Char('<'))
            t += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            t += QStringLiteral("&gt;");
        else
            t += c;
    }
    return t;
}

} // namespace

QStringList HTMLLines(TTxStringGrid& Grid)
{
    const THTMLSettings& S = Grid.HTMLSettings();
    const int FC = Grid.SaveWithFixedCells ? 0 : Grid.FixedCols();
    const int FR = Grid.SaveWithFixedCells ? 0 : Grid.FixedRows();
    QStringList L;
    if (S.XHTML) {
        L << QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
          << QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"")
          << QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">")
          << QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">");
    }
    if (!S.PrefixTag.isEmpty())
        L << S.PrefixTag;
    QString table = QStringLiteral("<table") + Attr(QStringLiteral("border"), Num(S.BorderSize))
        + Attr(QStringLiteral("cellspacing"), Num(S.CellSpacing))
        + Attr(QStringLiteral("cellpadding"), Num(S.CellPadding));
    if (!S.TableStyle.isEmpty())
        table += QLatin1Char(' ') + S.TableStyle;
    L << table + Attr(QStringLiteral("width"), Num(S.Width) + QLatin1Char('%')) + QLatin1Char('>');

    const QString N = Grid.WordWrap ? QString() : QStringLiteral(" nowrap");
    const QString fixedColour = Attr(QStringLiteral("bgcolor"), Colour(Grid.FixedColor));
    auto width = [&](int Index) {
        if (Index < 0 || Index >= S.ColWidths.Count())
            return QString();
        return QStringLiteral(" width=") + Num(S.ColWidths.GetInteger(Index));
    };
    QString text;
    const bool header = Grid.SaveWithFixedCells && Grid.FixedRows() > 0;
    if (header) {
        L << QStringLiteral("<tr>");
        for (int i = 0; i < Grid.colCount(); ++i) {
            Grid.SaveCell(Grid.RemapCol(i), 0, text);
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            Grid.GetCellAlignment(i, 0, ha, va);
            const QString T = text.isEmpty() ? QStringLiteral("<br>") : CellHTML(Grid, text);
            L << QStringLiteral("<td") + N + AlignAttr(ha, text) + fixedColour + width(i) + QStringLiteral("><b>") + T
                    + QStringLiteral("</b></td>");
        }
        L << QStringLiteral("</tr>");
    }
    for (int r = header ? 1 : FR; r < Grid.rowCount(); ++r) {
        L << QStringLiteral("<tr>");
        for (int c = FC; c < Grid.colCount(); ++c) {
            const int real = Grid.RemapCol(c);
            if (!Grid.IsBaseCell(real, r))
                continue; // covered by a merged cell: its base cell stands for it
            const TPoint span = Grid.CellSpan(real, r);
            QString spans;
            if (span.x() > 0)
                spans += Attr(QStringLiteral("colspan"), Num(span.x() + 1));
            if (span.y() > 0)
                spans += Attr(QStringLiteral("rowspan"), Num(span.y() + 1));
            QString C = r < Grid.FixedRows() || c < Grid.FixedCols() ? fixedColour : QString();
            // The colours and style painting would give, from none.
            ui::Brush brush;
            brush.color = ui::clNone;
            ui::Font font;
            font.color = ui::clNone;
            font.style = 0;
            TGridDrawState state = 0;
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            bool wrap = Grid.WordWrap;
            Grid.GetVisualProperties(c, r, state, false, false, brush, font, ha, va, wrap);
            if (brush.color != ui::clNone && S.SaveColor)
                C = Attr(QStringLiteral("bgcolor"), Colour(brush.color));
            QString F, F2, O, O2;
            if (font.color != ui::clNone && S.SaveColor) {
                F = QStringLiteral("<font") + Attr(QStringLiteral("color"), Colour(font.color)) + QLatin1Char('>');
                F2 = QStringLiteral("</font>");
            }
            if (S.SaveFonts) {
                if (font.bold()) {
                    O += QStringLiteral("<b>");
                    O2.prepend(QStringLiteral("</b>"));
                }
                if (font.italic()) {
                    O += QStringLiteral("<i>");
                    O2.prepend(QStringLiteral("</i>"));
                }
                if (font.underline()) {
                    O += QStringLiteral("<u>");
                    O2.prepend(QStringLiteral("</u>"));
                }
            }
            const QString W = header ? QString() : width(c - FC);
            Grid.SaveCell(real, r, text);
            const QString T = !text.isEmpty() ? CellHTML(Grid, text)
                : S.XHTML                     ? QStringLiteral("<br/>")
                                              : QStringLiteral("<br>");
            L << QStringLiteral("<td") + spans + N + AlignAttr(ha, text) + C + W + QLatin1Char('>') + F + O + T + O2
                    + F2 + QStringLiteral("</td>");
        }
        L << QStringLiteral("</tr>");
    }
    L << QStringLiteral("</table>");
    if (!S.SuffixTag.isEmpty())
        L << S.SuffixTag;
    if (S.XHTML)
        L << QStringLiteral("</html>");
    return L;
}

void WriteXML(TTxStringGrid& Grid, QIODevice& Device, const QString& ListDescr, const QString& RecordDescr,
              const QStringList* FieldDescr, const QString& Name)
{
    // UTF-8: the declaration names no encoding, so a reader takes the document as UTF-8.
    TLineWriter out(Device, tcUtf8, Name);
    out.WriteLine(QStringLiteral("<?xml version=\"1.0\"?>"));
    out.WriteLine(QLatin1Char('<') + ListDescr + QLatin1Char('>'));
    const int c0 = Grid.GetSaveStartCol();
    const std::vector<int> real = StoreColumns(Grid, c0, Grid.GetSaveEndCol());
    QString text;
    for (int r = Grid.GetSaveStartRow(); r <= Grid.GetSaveEndRow(); ++r) {
        out.WriteLine(QLatin1Char('<') + RecordDescr + QLatin1Char('>'));
        for (std::size_t k = 0; k < real.size(); ++k) {
            const QString tag = FieldDescr && int(k) < FieldDescr->size() ? FieldDescr->at(int(k))
                                                                          : QStringLiteral("FIELD") + Num(int(k));
            Grid.SaveCell(real[k], r, text);
            out.WriteLine(QLatin1Char('<') + tag + QLatin1Char('>') + XMLEscaped(text) + QStringLiteral("</") + tag
                          + QLatin1Char('>'));
        }
        out.WriteLine(QStringLiteral("</") + RecordDescr + QLatin1Char('>'));
    }
    out.WriteLine(QStringLiteral("</") + ListDescr + QLatin1Char('>'));
    out.Finish();
}

} // namespace files

// --- the grid's methods --------------------------------------------------------------------

void TGridFiles::OutputToHTML(const QString& FileName, bool AppendMode)
{
    const QStringList lines = files::HTMLLines(FGrid);
    TSaveFile f(FileName, AppendMode);
    // The XHTML document declares UTF-8; the plain table is 8-bit text.
    files::TLineWriter out(f.Device(), FGrid.HTMLSettings().XHTML ? files::tcUtf8 : files::tcAnsi, FileName);
    files::CopyFileLines(FGrid.HTMLSettings().HeaderFile, out);
    for (const QString& l : lines)
        out.WriteLine(l);
    files::CopyFileLines(FGrid.HTMLSettings().FooterFile, out);
    out.Finish();
    f.Commit();
}

void TGridFiles::SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                           const QStringList* FieldDescr)
{
    TSaveFile f(FileName);
    files::WriteXML(FGrid, f.Device(), ListDescr, RecordDescr, FieldDescr, FileName);
    f.Commit();
}

} // namespace grid
