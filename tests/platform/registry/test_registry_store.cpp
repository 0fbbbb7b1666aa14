#include "platform/registry/Registry.h"

#include "support/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using registry::Root;

namespace {

const QString kFirma = QStringLiteral("Software\\Orlimek\\Tarnex\\");
const QString kUstawienia = QStringLiteral("Software\\Orlimek\\Tarnex\\Ustawienia\\");

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("rejestr.ini"));
        registry::setStorePath(path);
    }
    void TearDown() override { registry::setStorePath(QString()); }

    QTemporaryDir dir;
    QString path;
};

TEST_F(RegistryStore, MissingFileKeyOrValueReadsEmptyAndCreatesNothing)
{
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Nip")), QString());
    EXPECT_FALSE(QFile::exists(path));

    writeBytes(path, "[HKEY_LOCAL_MACHINE\\Software\\Orlimek\\Tarnex]\nNip=123\n");
    const QByteArray before = fileBytes(path);
    EXPECT_EQ(registry::read(Root::LocalMachine, kUstawienia, QStringLiteral("Faktura_od")), QString());
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Tel")), QString());
    EXPECT_EQ(registry::read(Root::CurrentUser, kFirma, QStringLiteral("Nip")), QString());
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(RegistryStore, WriteCreatesTheKeyInTheDocumentedLayout)
{
    ASSERT_TRUE(registry::write(Root::LocalMachine, kUstawienia, QStringLiteral("Faktura_od"), QStringLiteral("0")));
    ASSERT_TRUE(registry::write(Root::LocalMachine, kUstawienia, QStringLiteral("Miejsce_Wyst"), QString()));
    EXPECT_EQ(fileBytes(path),
              QByteArray("[HKEY_LOCAL_MACHINE\\Software\\Orlimek\\Tarnex\\Ustawienia]\n"
                         "Faktura_od=0\n"
                         "Miejsce_Wyst=\n"));
}

TEST_F(RegistryStore, NamesAndKeysIgnoreCaseAndTrailingBackslash)
{
    ASSERT_TRUE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("111")));
    ASSERT_TRUE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Logo"), QStringLiteral("/x/logo.jpg")));
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("NIP")), QStringLiteral("111"));
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("logo")), QStringLiteral("/x/logo.jpg"));
    EXPECT_EQ(registry::read(Root::LocalMachine, QStringLiteral("software\\orlimek\\TARNEX"), QStringLiteral("nip")),
              QStringLiteral("111"));

    // Rewriting under another spelling keeps one value, named as first written.
    ASSERT_TRUE(registry::write(Root::LocalMachine, QStringLiteral("SOFTWARE\\Orlimek\\Tarnex"), QStringLiteral("NIP"),
                                QStringLiteral("222")));
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Nip")), QStringLiteral("222"));
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.contains("\nNip=222\n")) << bytes.constData();
    EXPECT_FALSE(bytes.contains("NIP=")) << bytes.constData();
    EXPECT_EQ(bytes.count("[HKEY_LOCAL_MACHINE"), 1);
}

TEST_F(RegistryStore, RootsAreSeparate)
{
    ASSERT_TRUE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Tel"), QStringLiteral("1")));
    ASSERT_TRUE(registry::write(Root::CurrentUser, kFirma, QStringLiteral("Tel"), QStringLiteral("2")));
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Tel")), QStringLiteral("1"));
    EXPECT_EQ(registry::read(Root::CurrentUser, kFirma, QStringLiteral("Tel")), QStringLiteral("2"));
}

TEST_F(RegistryStore, AnyTextReadsBackUnchanged)
{
    const QStringList values = {
        QString(),
        QStringLiteral("  spacje z obu stron  "),
        QStringLiteral("C:\\Firma\\logo.jpg"),
        QStringLiteral("dwie\nlinie\r\nw wartości"),
        QStringLiteral("\"w cudzysłowie\""),
        QStringLiteral("a=b;c [d] #e"),
        QStringLiteral("Zażółć gęślą jaźń ŁÓDŹ"),
        QStringLiteral("\\n dosłownie"),
    };
    int i = 0;
    for (const QString& v : values) {
        const QString name = QStringLiteral("V%1").arg(i++);
        ASSERT_TRUE(registry::write(Root::LocalMachine, kFirma, name, v));
    }
    i = 0;
    for (const QString& v : values) {
        const QString name = QStringLiteral("V%1").arg(i++);
        EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, name), v) << name.toStdString();
    }
}

TEST_F(RegistryStore, HandWrittenFileIsReadAndItsCommentsSurviveAWrite)
{
    writeBytes(path,
               "\xEF\xBB\xBF; ustawienia domyślne\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Orlimek\\Tarnex\\Ustawienia\\]\r\n"
               "Faktura_od = 1\r\n"
               "# miejsce\r\n"
               "Miejsce_Wyst=Kraków\r\n"
               "\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Orlimek\\Tarnex\\Wydruki]\r\n"
               "FV_O=1\r\n");
    EXPECT_EQ(registry::read(Root::LocalMachine, kUstawienia, QStringLiteral("faktura_od")), QStringLiteral("1"));
    EXPECT_EQ(registry::read(Root::LocalMachine, kUstawienia, QStringLiteral("Miejsce_Wyst")),
              QStringLiteral("Kraków"));

    ASSERT_TRUE(registry::write(Root::LocalMachine, kUstawienia, QStringLiteral("Nowa"), QStringLiteral("x")));
    ASSERT_TRUE(registry::write(Root::LocalMachine, QStringLiteral("Software\\Orlimek\\Tarnex\\Wydruki\\"),
                                QStringLiteral("fv_o"), QStringLiteral("3")));
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.contains("; ustawienia domyślne")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("# miejsce")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("Miejsce_Wyst=Kraków\nNowa=x\n")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("FV_O=3")) << bytes.constData();
    EXPECT_EQ(registry::read(Root::LocalMachine, kUstawienia, QStringLiteral("Faktura_od")), QStringLiteral("1"));
    EXPECT_EQ(registry::read(Root::LocalMachine, kUstawienia, QStringLiteral("NOWA")), QStringLiteral("x"));
}

TEST_F(RegistryStore, ChangesMadeByOthersAreSeenAtTheNextRead)
{
    writeBytes(path, "[HKEY_LOCAL_MACHINE\\K]\nA=1\n");
    EXPECT_EQ(registry::read(Root::LocalMachine, QStringLiteral("K"), QStringLiteral("A")), QStringLiteral("1"));
    writeBytes(path, "[HKEY_LOCAL_MACHINE\\K]\nA=2\n"); // same size, same file
    EXPECT_EQ(registry::read(Root::LocalMachine, QStringLiteral("K"), QStringLiteral("A")), QStringLiteral("2"));
    QFile::remove(path);
    EXPECT_EQ(registry::read(Root::LocalMachine, QStringLiteral("K"), QStringLiteral("A")), QString());
}

TEST_F(RegistryStore, WriteReplacesTheFileAtomically)
{
    ASSERT_TRUE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Kod"), QStringLiteral("00-001")));
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    ASSERT_TRUE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Kod"), QStringLiteral("30-002")));
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    // A new file was renamed into place: a reader never sees a half-written one.
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("rejestr.ini")});
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Kod")), QStringLiteral("30-002"));
}

TEST_F(RegistryStore, FailedWriteIsReportedAndChangesNothing)
{
    // The store path names a folder: nothing can be read or written there.
    registry::setStorePath(dir.path());
    EXPECT_FALSE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("1")));
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Nip")), QString());

    // Its folder does not exist.
    registry::setStorePath(dir.filePath(QStringLiteral("brak/rejestr.ini")));
    EXPECT_FALSE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("1")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("brak"))));

    // A name that cannot be stored.
    registry::setStorePath(path);
    EXPECT_FALSE(registry::write(Root::LocalMachine, kFirma, QString(), QStringLiteral("1")));
    EXPECT_FALSE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("a=b"), QStringLiteral("1")));
    EXPECT_FALSE(QFile::exists(path));
}

// A store that is a FIFO, or larger than any settings file (3 GiB, sparse): reads give the
// defaults at once (the FIFO is not waited on, the large file not read), the problem names the
// file, and writes are refused with it, the file left as it was. In a child that an alarm ends,
// so that a read waiting on the FIFO fails the test and does not hang it.
TEST_F(RegistryStore, AFifoOrAHugeStoreIsRefusedNamedAndNeverWrittenOver)
{
    const QString fifo = dir.filePath(QStringLiteral("kolejka.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    writeBytes(path, "[HKEY_LOCAL_MACHINE\\Software\\Orlimek\\Tarnex]\nNip=1\n");
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 3LL << 30), 0);
    const std::string report = child::run([&] {
        ::alarm(10);
        std::string out;
        for (const auto& [store, cause] :
             {std::pair{fifo, QStringLiteral("kolejka FIFO")}, std::pair{path, QStringLiteral("większy niż 1 MiB")}}) {
            registry::setStorePath(store);
            if (!registry::read(Root::LocalMachine, kFirma, QStringLiteral("Nip")).isEmpty())
                out += "a value was read from " + store.toStdString() + "\n";
            const QString problem = registry::problem();
            if (!problem.contains(store) || !problem.contains(cause))
                out += "problem: " + problem.toStdString() + "\n";
            if (registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("2"))
                || registry::lastWriteError() != problem)
                out += "write: " + registry::lastWriteError().toStdString() + "\n";
        }
        return out;
    });
    EXPECT_EQ(report, "");
    QFileInfo huge(path);
    EXPECT_EQ(huge.size(), 3LL << 30);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("kolejka.ini"), QStringLiteral("rejestr.ini")}));
}

TEST_F(RegistryStore, DefaultStoreIsRejestrIniInTheWorkingDirectory)
{
    registry::setStorePath(QString());
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const bool written =
        registry::write(Root::LocalMachine, kFirma, QStringLiteral("Miasto"), QStringLiteral("Tarnów"));
    const QString back = registry::read(Root::LocalMachine, kFirma, QStringLiteral("miasto"));
    QDir::setCurrent(old);
    EXPECT_TRUE(written);
    EXPECT_EQ(back, QStringLiteral("Tarnów"));
    EXPECT_TRUE(QFile::exists(path));
}

} // namespace

TEST_F(RegistryStore, Windows1250FileIsReadAndSavedBackIntact)
{
    // Values written by another tool in Windows-1250: "Łódź", "Zażółć gęślą jaźń".
    const QByteArray cp1250 = "[HKEY_LOCAL_MACHINE\\Software\\Orlimek\\Tarnex]\r\n"
                              "Miasto=\xA3\xF3"
                              "d\x9F\r\n"
                              "Nazwa_L1=Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1\r\n";
    writeBytes(path, cp1250);
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Miasto")), QStringLiteral("Łódź"));

    ASSERT_TRUE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Tel"), QStringLiteral("12 345 67 89")));
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Miasto")), QStringLiteral("Łódź"));
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Nazwa_L1")),
              QStringLiteral("Zażółć gęślą jaźń"));
    const QByteArray after = fileBytes(path);
    EXPECT_TRUE(after.contains("Miasto=\xA3\xF3"
                               "d\x9F"))
        << "kept in the file's code page for its other tools";
    EXPECT_FALSE(after.contains("\xEF\xBF\xBD")) << "no replacement characters";

    // A letter the code page lacks turns the file into UTF-8, with every letter kept.
    ASSERT_TRUE(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Adres"), QStringLiteral("Straße № 5")));
    registry::setStorePath(path); // read from the disk again
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Adres")), QStringLiteral("Straße № 5"));
    EXPECT_EQ(registry::read(Root::LocalMachine, kFirma, QStringLiteral("Nazwa_L1")),
              QStringLiteral("Zażółć gęślą jaźń"));
    EXPECT_TRUE(fileBytes(path).contains("Miasto=\xC5\x81\xC3\xB3"
                                         "d\xC5\xBA"));
}

// As a user who is not root: a store the user may not write, or one with a second hard link,
// is left as it was and the write says it failed; a store reached through a symbolic link is
// saved where the link leads, and stays a link; its mode and group are kept; nothing is left.
TEST(RegistryStoreAsUser, ProtectedAndHardLinkedStoresAreLeftAndLinksStayLinks)
{
    const std::string report = child::asUser([](const QString& folder) {
        std::string out;
        auto expect = [&](bool ok, const char* what) {
            if (!ok)
                out += std::string(what) + "\n";
        };
        const QString path = folder + QStringLiteral("/rejestr.ini");
        const QByteArray p = QFile::encodeName(path);
        registry::setStorePath(path);
        expect(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("1")), "first write");

        ::chmod(p.constData(), 0444);
        QByteArray before = fileBytes(path);
        expect(!registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("2")),
               "a protected store was written");
        expect(fileBytes(path) == before, "a protected store changed");

        const gid_t group = child::secondGroup();
        if (group != gid_t(-1))
            expect(::chown(p.constData(), uid_t(-1), group) == 0, "cannot give the store the second group");
        ::chmod(p.constData(), 0640);
        expect(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("3")), "write");
        struct stat st {};
        ::stat(p.constData(), &st);
        expect((st.st_mode & 07777) == 0640 && (group == gid_t(-1) || st.st_gid == group), "mode or group not kept");

        const QByteArray second = QFile::encodeName(folder + QStringLiteral("/kopia.ini"));
        ::link(p.constData(), second.constData());
        before = fileBytes(path);
        expect(!registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("4")),
               "a hard-linked store was written");
        expect(fileBytes(path) == before, "a hard-linked store changed");
        ::unlink(second.constData());

        const QString link = folder + QStringLiteral("/dowiazanie.ini");
        ::symlink("rejestr.ini", QFile::encodeName(link).constData());
        registry::setStorePath(link);
        expect(registry::write(Root::LocalMachine, kFirma, QStringLiteral("Nip"), QStringLiteral("5")),
               "write through a link");
        struct stat ls {};
        ::lstat(QFile::encodeName(link).constData(), &ls);
        expect(S_ISLNK(ls.st_mode) && fileBytes(path).contains("Nip=5"),
               "the link was replaced or its target not saved");
        registry::setStorePath(QString());
        expect(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                   == QStringList({QStringLiteral("dowiazanie.ini"), QStringLiteral("rejestr.ini")}),
               "something was left in the folder");
        return out;
    });
    if (child::skipped(report))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}
