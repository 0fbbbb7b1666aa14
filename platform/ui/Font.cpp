#include "platform/ui/Font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>

namespace ui {

QString screenFamily(const QString& designed)
{
    // Asking fontconfig costs; the installed fonts do not change while the program runs.
    static QHash<QString, QString> chosen;
    const QString key = designed.toCaseFolded();
    if (auto it = chosen.constFind(key); it != chosen.constEnd())
        return *it;
    QString family = designed;
    if (!QFontDatabase::hasFamily(designed)) {
        static const QString metricArial = QStringLiteral("Liberation Sans");
        static const QStringList closeSans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
        const bool arial = key == QLatin1String("arial") || key == QLatin1String("arial unicode ms");
        const bool tahoma = key == QLatin1String("tahoma") || key == QLatin1String("ms sans serif")
            || key == QLatin1String("microsoft sans serif");
        if (arial && QFontDatabase::hasFamily(metricArial)) {
            family = metricArial;
        } else if (tahoma) {
            for (const QString& f : closeSans)
                if (QFontDatabase::hasFamily(f)) {
                    family = f;
                    break;
                }
        }
    }
    chosen.insert(key, family);
    return family;
}

QFont designedFont(int points, bool bold)
{
    QFont f(screenFamily(QStringLiteral("Tahoma")));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

void useDesignedFonts()
{
    for (const char* designed : {"Tahoma", "MS Sans Serif", "Arial", "Arial Unicode MS"}) {
        const QString name = QString::fromLatin1(designed);
        const QString family = screenFamily(name);
        if (family != name)
            QFont::insertSubstitution(name, family);
    }
    QApplication::setFont(designedFont());
}

QFont Font::toQFont() const
{
    QFont f(screenFamily(name));
    f.setPointSize(size > 0 ? size : 8);
    f.setBold(bold());
    f.setItalic(italic());
    f.setUnderline(underline());
    f.setStrikeOut(strikeOut());
    return f;
}

Font Font::fromQFont(const QFont& f, Color color)
{
    Font r;
    r.name = f.family();
    r.size = f.pointSize() > 0 ? f.pointSize() : 8;
    r.color = color;
    r.style = (f.bold() ? unsigned(fsBold) : 0u) | (f.italic() ? unsigned(fsItalic) : 0u)
        | (f.underline() ? unsigned(fsUnderline) : 0u) | (f.strikeOut() ? unsigned(fsStrikeOut) : 0u);
    return r;
}

} // namespace ui
