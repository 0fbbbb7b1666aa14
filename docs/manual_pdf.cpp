// Turns the user manual's Markdown source into the PDF the help menu opens.
// Usage: tarnex_manual <source.md> <output.pdf>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <source.md> <output.pdf>\n", argv[0]);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    QFont font("DejaVu Sans");
    font.setPointSize(10);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(in.readAll()));

    const QString outName = QString::fromLocal8Bit(argv[2]);
    QPdfWriter pdf(outName);
    pdf.setTitle(QStringLiteral("Instrukcja obsługi programu Orlimek Tarnex"));
    pdf.setCreator(QStringLiteral("Orlimek Tarnex"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    pdf.setResolution(300);
    doc.print(&pdf);
    if (!QFile::exists(outName)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
