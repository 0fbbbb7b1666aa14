#pragma once
// Whether a printout reads as laid out, judged on the words of its PDF (pdftotext -bbox): no
// word lies over another, every word lies wholly inside the box its text was laid out in (a
// word outside it is cut by its frame or spills into the next column), and nothing is printed
// invisibly (white text still shows up in a search or a copy).
#include "platform/report/PageList.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

namespace pdf {

struct Word {
    int page = 0; // from 0
    QRectF box;   // millimetres from the paper's top left corner
    QString text;
};

inline std::vector<Word> words(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    constexpr double mm = 25.4 / 72.0;
    std::vector<Word> out;
    int page = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        QString text = m.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&apos;"), QStringLiteral("'"));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        out.push_back({page,
                       QRectF(QPointF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm),
                              QPointF(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm)),
                       text});
    }
    return out;
}

// What a reader would stumble on in the words `all` of the PDF of `pages` (one copy); empty when
// none.
inline QStringList unreadable(const std::vector<Word>& all, const report::PageList& pages)
{
    constexpr double tol = 0.25; // millimetres: glyph boxes against measured text boxes
    QStringList problems;
    for (size_t i = 0; i < all.size(); ++i) {
        const Word& w = all[i];
        for (size_t j = i + 1; j < all.size() && all[j].page == w.page; ++j) {
            const QRectF both = w.box.intersected(all[j].box);
            if (both.width() > tol && both.height() > tol)
                problems << QStringLiteral("p.%1: «%2» over «%3»").arg(w.page + 1).arg(w.text, all[j].text);
        }
        if (size_t(w.page) >= pages.pages.size())
            continue;
        bool inside = false;
        for (const report::DrawItem& item : pages.pages[size_t(w.page)].items)
            if ((item.kind == report::DrawItem::Kind::Text || item.kind == report::DrawItem::Kind::RichText)
                && item.rect.adjusted(-tol, -tol, tol, tol).contains(w.box) && item.text.contains(w.text))
                inside = true;
        if (!inside)
            problems << QStringLiteral("p.%1: «%2» outside its box (%3, %4 - %5, %6)")
                            .arg(w.page + 1)
                            .arg(w.text)
                            .arg(w.box.left(), 0, 'f', 1)
                            .arg(w.box.top(), 0, 'f', 1)
                            .arg(w.box.right(), 0, 'f', 1)
                            .arg(w.box.bottom(), 0, 'f', 1);
    }
    for (const report::Page& p : pages.pages)
        for (const report::DrawItem& item : p.items)
            if (item.kind == report::DrawItem::Kind::Text && !item.text.isEmpty() && item.font.color == Qt::white)
                problems << QStringLiteral("p.%1: invisible «%2» (%3)").arg(p.number).arg(item.text, item.name);
    return problems;
}

// What a reader would stumble on in `file`, the PDF of `pages` (one copy); empty when none.
inline QStringList unreadable(const QString& file, const report::PageList& pages)
{
    return unreadable(words(file), pages);
}

// The words of `all` that a horizontal rule of `pages` runs through, descenders included (a rule
// is half its pen, about 0.2 mm, thick on either side of its line); empty when none.
inline QStringList overRules(const std::vector<Word>& all, const report::PageList& pages)
{
    constexpr double halfPen = 0.2, tol = 0.1;
    QStringList problems;
    for (const Word& w : all) {
        if (size_t(w.page) >= pages.pages.size())
            continue;
        for (const report::DrawItem& item : pages.pages[size_t(w.page)].items)
            if (item.kind == report::DrawItem::Kind::Line && item.rect.height() == 0 && item.rect.left() < w.box.right()
                && w.box.left() < item.rect.right() && item.rect.top() > w.box.top() + tol
                && item.rect.top() - halfPen < w.box.bottom())
                problems << QStringLiteral("p.%1: «%2» (%3 - %4) on %5 at %6")
                                .arg(w.page + 1)
                                .arg(w.text)
                                .arg(w.box.top(), 0, 'f', 2)
                                .arg(w.box.bottom(), 0, 'f', 2)
                                .arg(item.name)
                                .arg(item.rect.top(), 0, 'f', 2);
    }
    return problems;
}

// The words of `file` that a horizontal rule of `pages` runs through; empty when none.
inline QStringList overRules(const QString& file, const report::PageList& pages)
{
    return overRules(words(file), pages);
}

} // namespace pdf
