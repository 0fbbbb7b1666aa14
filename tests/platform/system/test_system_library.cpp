#include "platform/system/Library.h"
#include "platform/system/Shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// The fixture libraries are built into their own folder, neither beside the test program nor
// on the search path: only the working directory finds them.
const QString kFixtures = QStringLiteral(TARNEX_BINARY_DIR "/testlibs");

class WorkingDirectory {
public:
    explicit WorkingDirectory(const QString& dir) : old_(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~WorkingDirectory() { QDir::setCurrent(old_); }

private:
    QString old_;
};

TEST(SystemLibrary, MissingLibraryGivesNullAndTheLoaderText)
{
    sys::LibraryHandle h = sys::loadLibrary(QStringLiteral("Brak_Biblioteki.dll"));
    EXPECT_EQ(h, nullptr);
    const QString error = sys::lastErrorText();
    EXPECT_TRUE(error.contains(QStringLiteral("Brak_Biblioteki.so"))) << error.toStdString();

    // Looking an entry up in a library that did not load finds nothing and keeps that text.
    EXPECT_EQ(sys::findEntry(nullptr, "_ShowFaktStdRep"), nullptr);
    EXPECT_EQ(sys::lastErrorText(), error);
    sys::freeLibrary(nullptr);
}

TEST(SystemLibrary, WindowsNameLoadsTheSharedObjectFromTheWorkingDirectory)
{
    ASSERT_TRUE(QFile::exists(kFixtures + QStringLiteral("/Probna.so")));
    sys::LibraryHandle h = nullptr;
    {
        WorkingDirectory wd(kFixtures);
        h = sys::loadLibrary(QStringLiteral("Probna.dll"));
    }
    ASSERT_NE(h, nullptr) << sys::lastErrorText().toStdString();
    EXPECT_TRUE(sys::lastErrorText().isEmpty());

    using Entry = int (*)(int);
    auto entry = reinterpret_cast<Entry>(sys::findEntry(h, "_ShowProbna"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(1), 43);

    EXPECT_EQ(sys::findEntry(h, "_ShowBrak"), nullptr);
    EXPECT_TRUE(sys::lastErrorText().contains(QStringLiteral("_ShowBrak"))) << sys::lastErrorText().toStdString();
    sys::freeLibrary(h);

    // Elsewhere the same name is not found: the working directory was what found it.
    EXPECT_EQ(sys::loadLibrary(QStringLiteral("Probna.dll")), nullptr);
}

TEST(SystemLibrary, PathWithFolderLoadsFromThereOnly)
{
    sys::LibraryHandle h = sys::loadLibrary(kFixtures + QStringLiteral("/Probna.so"));
    ASSERT_NE(h, nullptr) << sys::lastErrorText().toStdString();
    sys::freeLibrary(h);
    EXPECT_EQ(sys::loadLibrary(QStringLiteral("/nie/ma/Probna.dll")), nullptr);
    EXPECT_FALSE(sys::lastErrorText().isEmpty());
}

TEST(SystemLibrary, ALibraryThatFailsToLoadReportsWhyNotJustNotFound)
{
    ASSERT_TRUE(QFile::exists(kFixtures + QStringLiteral("/Zepsuta.so")));
    WorkingDirectory wd(kFixtures);
    EXPECT_EQ(sys::loadLibrary(QStringLiteral("Zepsuta.dll")), nullptr);
    EXPECT_TRUE(sys::lastErrorText().contains(QStringLiteral("brak_takiego_symbolu")))
        << sys::lastErrorText().toStdString();
}

TEST(SystemShell, OpeningAMissingFileFails)
{
    EXPECT_FALSE(sys::shellOpen(QString()));
    EXPECT_FALSE(sys::shellOpen(QStringLiteral("/nie/ma/Instrukcja.pdf")));
}

TEST(SystemShell, CalculatorIsTheFirstOneInstalled)
{
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    EXPECT_FALSE(sys::startCalculator()); // none installed: nothing started, nothing said

    // Two fake calculators: the earlier in the list is started.
    const QString marker = bin.filePath(QStringLiteral("uruchomiony"));
    for (const char* name : {"xcalc", "kcalc"}) {
        QFile script(bin.filePath(QLatin1String(name)));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho " + QByteArray(name) + " > '" + QFile::encodeName(marker) + "'\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const bool started = sys::startCalculator();
    qputenv("PATH", oldPath);
    ASSERT_TRUE(started);
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(marker) && t.elapsed() < 5000)
        QThread::msleep(20);
    QThread::msleep(50);
    QFile m(marker);
    ASSERT_TRUE(m.open(QIODevice::ReadOnly));
    EXPECT_EQ(m.readAll().trimmed(), QByteArray("kcalc"));
}

} // namespace
