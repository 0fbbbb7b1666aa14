// The faces that stand in for the designed fonts, the designed point size, and Qt's own dialogs
// in Polish.
#include "platform/ui/Application.h"
#include "platform/ui/Font.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(Fonts, DesignedFamiliesGetTheirStandIns)
{
    if (!QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "Liberation Sans is not installed";
    EXPECT_EQ(ui::screenFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(ui::screenFamily(QStringLiteral("ms sans serif")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(ui::screenFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans")) << "installed: itself";

    const QFont saved = QApplication::font();
    ui::useDesignedFonts();
    EXPECT_EQ(QApplication::font().pointSize(), 8);
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Tahoma"))).family(), QStringLiteral("Liberation Sans"))
        << "a font asked for by its designed name gets the same face";
    QApplication::setFont(saved);
}

TEST(Translations, QtsOwnButtonsSpeakPolish)
{
    if (!ui::loadQtTranslations())
        GTEST_SKIP() << "Qt's Polish translations are not installed (scripts/setup installs them)";
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_TRUE(box.button(QDialogButtonBox::Cancel)->text().contains(QStringLiteral("Anuluj")))
        << box.button(QDialogButtonBox::Cancel)->text().toStdString();
}
