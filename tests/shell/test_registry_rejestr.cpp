#include "shell/Rejestr.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Rejestr, SettingsLiveUnderHkeyLocalMachine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("rejestr.ini"));
    registry::setStorePath(path);

    const QString klucz = QStringLiteral("Software\\Orlimek\\Tarnex\\Ustawienia\\");
    EXPECT_EQ(Czytaj_Rejestr(HKEY_LOCAL_MACHINE, klucz, QStringLiteral("Miejsce_Wyst")), QString());
    EXPECT_FALSE(QFile::exists(path));

    EXPECT_TRUE(Zapisz_Rejestr(HKEY_LOCAL_MACHINE, klucz, QStringLiteral("Miejsce_Wyst"), QStringLiteral("Tarnów")));
    EXPECT_EQ(Czytaj_Rejestr(klucz, QStringLiteral("miejsce_wyst")), QStringLiteral("Tarnów"));
    EXPECT_TRUE(Zapisz_Rejestr(klucz, QStringLiteral("Faktura_od"), QStringLiteral("1")));
    EXPECT_EQ(Czytaj_Rejestr(HKEY_LOCAL_MACHINE, klucz, QStringLiteral("FAKTURA_OD")), QStringLiteral("1"));
    EXPECT_EQ(Czytaj_Rejestr(HKEY_CURRENT_USER, klucz, QStringLiteral("Faktura_od")), QString());

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("[HKEY_LOCAL_MACHINE\\Software\\Orlimek\\Tarnex\\Ustawienia]\n"));

    // A store that cannot be written: the caller is told.
    registry::setStorePath(dir.filePath(QStringLiteral("brak/rejestr.ini")));
    EXPECT_FALSE(Zapisz_Rejestr(klucz, QStringLiteral("Faktura_od"), QStringLiteral("0")));
    registry::setStorePath(QString());
}

} // namespace
