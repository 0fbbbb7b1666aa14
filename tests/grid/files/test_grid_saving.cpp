// Saving over files as a user meets it: every file the grid writes, saved by a user who is not
// root over a protected file, a file with a second hard link, a file of a given mode and group
// and a symbolic link; on a full and on a read-only file system; and workbook saves killed
// part-way, after which every book is the old one or the new one, whole, and no temporary file
// stays behind; access lists, a colleague's file saved in place, names that hold no file, and a
// printout to a PDF on a full disk.
#include "grid/columngrid/TxColumnGrid.h"
#include "grid/core/Txgrid.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/settings/TxgridIniFile.h"
#include "grid/controls/Txobj.h"

#include "support/ChildProcess.h"
#include "support/PdfText.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>

#include <acl/libacl.h>
#include <sys/acl.h>
#include <sys/stat.h>

using namespace grid;

namespace {

QByteArray bytesOf(const QString& File)
{
    QFile f(File);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString errorText(const std::function<void()>& Save)
{
    try {
        Save();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("<none>");
}

// A grid of two by two holding Marker.
void fill(TTxStringGrid& G, const char* Marker)
{
    G.SetColCount(2);
    G.SetRowCount(2);
    G.SaveWithFixedCells = true;
    G.setCells(0, 0, QString::fromLatin1(Marker));
    G.setCells(1, 1, QStringLiteral("x"));
}

using TSave = std::function<void(const QString& Path, const char* Marker)>;

struct TWriter {
    const char* Name;
    const char* File;
    TSave Save;
};

TSave onGrid(void (TTxStringGrid::*Save)(const QString&))
{
    return [Save](const QString& p, const char* m) {
        TTxStringGrid g;
        fill(g, m);
        (g.*Save)(p);
    };
}

TSave onExchange(void (TGridExchange::*Save)(const QString&))
{
    return [Save](const QString& p, const char* m) {
        TTxStringGrid g;
        fill(g, m);
        (g.Exchange().*Save)(p);
    };
}

const std::vector<TWriter>& writers()
{
    static const std::vector<TWriter> all = {
        {"native", "siatka.txg", onGrid(&TTxStringGrid::SaveToFile)},
        {"csv", "dane.csv", onGrid(&TTxStringGrid::SaveToCSV)},
        {"csv append", "dopisane.csv", onGrid(&TTxStringGrid::AppendToCSV)},
        {"ascii", "raport.txt", onGrid(&TTxStringGrid::SaveToASCII)},
        {"html", "tabela.html", onGrid(&TTxStringGrid::SaveToHTML)},
        {"rtf", "tabela.doc", onExchange(&TGridExchange::SaveToDOC)},
        {"workbook", "ksiega.xlsx", onExchange(&TGridExchange::SaveToXLS)},
        {"fixed", "kolumny.txt",
         [](const QString& p, const char* m) {
             TTxStringGrid g;
             fill(g, m);
             TIntList widths;
             g.SaveToFixed(p, widths);
         }},
        {"xml", "dane.xml",
         [](const QString& p, const char* m) {
             TTxStringGrid g;
             fill(g, m);
             g.SaveToXML(p, QStringLiteral("lista"), QStringLiteral("rekord"), nullptr);
         }},
        {"sheet", "arkusz.xlsx",
         [](const QString& p, const char* m) {
             TTxStringGrid g;
             fill(g, m);
             g.Exchange().SaveToXLSSheet(p, QStringLiteral("Arkusz"));
         }},
        {"ini", "ustawienia.ini",
         [](const QString& p, const char* m) {
             TIniFile ini(p);
             ini.WriteString(QStringLiteral("Siatka"), QStringLiteral("Stan"), QString::fromLatin1(m));
             ini.UpdateFile();
         }},
        {"column set", "kolumny.txc",
         [](const QString& p, const char* m) {
             TTxColumnGrid g;
             g.SetColCount(1);
             g.Columns().Items(0)->Name = QString::fromLatin1(m);
             g.SaveColumnsToFile(p);
         }},
    };
    return all;
}

// Which content a file holds: "nowe" (the new), "stare" (the old), or "?".
std::string markerOf(const QString& File)
{
    const QByteArray bytes = bytesOf(File);
    QStringList texts;
    if (bytes.startsWith("PK")) {
        try {
            for (const TOfficeSheet& s : ReadWorkbook(File).Sheets)
                for (const auto& row : s.Rows)
                    for (const TOfficeCell& c : row.second)
                        texts << c.Value.Text;
        } catch (const std::exception&) {
            return "?";
        }
    }
    for (const char* m : {"nowe", "stare"}) {
        const QString marker = QString::fromLatin1(m);
        const QByteArray utf16(reinterpret_cast<const char*>(marker.utf16()), marker.size() * 2);
        QByteArray bigEndian;
        for (qsizetype i = 0; i < utf16.size(); i += 2)
            bigEndian.append(utf16.at(i + 1)).append(utf16.at(i));
        if (texts.contains(marker) || bytes.contains(m) || bytes.contains(bigEndian))
            return m;
    }
    return "?";
}

// Every name under Folder, relative to it, sorted.
QStringList namesUnder(const QString& Folder)
{
    QStringList names;
    QDirIterator it(Folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(Folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

mode_t modeOf(const QString& File)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(File).constData(), &st) == 0 ? st.st_mode : 0;
}

gid_t groupOf(const QString& File)
{
    struct stat st {};
    return ::stat(QFile::encodeName(File).constData(), &st) == 0 ? st.st_gid : gid_t(-1);
}

// The rules of a careful save, for one writer in a folder of its own; what was not so.
std::string userCases(const TWriter& W, const QString& Root)
{
    std::string out;
    auto expect = [&](bool Ok, const QString& What) {
        if (!Ok)
            out += std::string(W.Name) + ": " + What.toStdString() + "\n";
    };
    const QString folder =
        Root + QLatin1Char('/') + QString::fromLatin1(W.Name).replace(QLatin1Char(' '), QLatin1Char('_'));
    QDir().mkpath(folder + QStringLiteral("/real"));
    const QString file = folder + QLatin1Char('/') + QLatin1String(W.File);
    const QByteArray path = QFile::encodeName(file);

    W.Save(file, "stare");
    expect((modeOf(file) & 07777) == 0644, QStringLiteral("a new file has mode %1").arg(modeOf(file) & 07777, 0, 8));

    // A file the user may not write: refused, saying so, and left as it was.
    ::chmod(path.constData(), 0444);
    QByteArray before = bytesOf(file);
    QString said = errorText([&] { W.Save(file, "nowe"); });
    expect(said.contains(QStringLiteral("Nie udało się zapisać pliku ") + file)
               && said.contains(QStringLiteral("tylko do odczytu")),
           QStringLiteral("a protected file: ") + said);
    expect(bytesOf(file) == before, QStringLiteral("a protected file was changed"));

    // Its mode and group are kept.
    const gid_t group = child::secondGroup();
    if (group != gid_t(-1) && ::chown(path.constData(), uid_t(-1), group) != 0)
        expect(false, QStringLiteral("cannot give the file the user's second group"));
    ::chmod(path.constData(), 0640);
    said = errorText([&] { W.Save(file, "nowe"); });
    expect(said == QStringLiteral("<none>") && markerOf(file) == "nowe", QStringLiteral("saving over: ") + said);
    expect((modeOf(file) & 07777) == 0640, QStringLiteral("the mode became %1").arg(modeOf(file) & 07777, 0, 8));
    expect(group == gid_t(-1) || groupOf(file) == group, QStringLiteral("the group was not kept"));

    // A second hard link: refused, both names keep the content.
    const QString second = folder + QStringLiteral("/druga_nazwa");
    ::link(path.constData(), QFile::encodeName(second).constData());
    before = bytesOf(file);
    said = errorText([&] { W.Save(file, "stare"); });
    expect(said.contains(file) && said.contains(QStringLiteral("dowiązania twarde")),
           QStringLiteral("a hard link: ") + said);
    expect(bytesOf(file) == before && bytesOf(second) == before, QStringLiteral("a hard-linked file was changed"));
    ::unlink(QFile::encodeName(second).constData());

    // A symbolic link stays a link, and the file it leads to is saved.
    const QString target = folder + QStringLiteral("/real/") + QLatin1String(W.File);
    const QString link = folder + QStringLiteral("/link-") + QLatin1String(W.File);
    W.Save(target, "stare");
    ::symlink((QStringLiteral("real/") + QLatin1String(W.File)).toUtf8().constData(),
              QFile::encodeName(link).constData());
    said = errorText([&] { W.Save(link, "nowe"); });
    expect(said == QStringLiteral("<none>") && S_ISLNK(modeOf(link)) && markerOf(target) == "nowe",
           QStringLiteral("through a link: ") + said);

    // Nothing else is left behind.
    const QStringList left = namesUnder(folder);
    QStringList expected = {QLatin1String(W.File), QStringLiteral("link-") + QLatin1String(W.File),
                            QStringLiteral("real"), QStringLiteral("real/") + QLatin1String(W.File)};
    expected.sort();
    expect(left == expected, QStringLiteral("left in the folder: ") + left.join(QLatin1Char(' ')));
    return out;
}

// Every writer over files in Folder holding the old content (made here), with the file system
// in the given state; what was not as expected.
std::string refusedEverywhere(const QString& Folder, const QString& Cause)
{
    std::string out;
    for (const TWriter& w : writers()) {
        const QString file = Folder + QLatin1Char('/') + QLatin1String(w.File);
        const QByteArray before = bytesOf(file);
        const QString said = errorText([&] { w.Save(file, "nowe"); });
        if (!said.contains(file) || !said.contains(Cause))
            out += std::string(w.Name) + ": " + said.toStdString() + "\n";
        if (bytesOf(file) != before || before.isEmpty())
            out += std::string(w.Name) + ": the file changed\n";
    }
    return out;
}

} // namespace

TEST(GridSaving, AsAUserEveryWriterRefusesProtectedAndLinkedFilesKeepsLinksModeAndGroup)
{
    const std::string report = child::asUser([](const QString& Folder) {
        ::umask(022);
        std::string out;
        for (const TWriter& w : writers())
            out += userCases(w, Folder);
        return out;
    });
    if (child::skipped(report))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}

TEST(GridSaving, AFullOrReadOnlyFileSystemIsNamedAndEveryFileStays)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const std::string report = child::onTinyDisk(folder, "1m", [&] {
        for (const TWriter& w : writers())
            w.Save(folder + QLatin1Char('/') + QLatin1String(w.File), "stare");
        // The disk filled to its last byte.
        std::string out = child::fillDisk(folder, 0);
        if (!out.empty())
            return out;
        const QString filler = folder + QStringLiteral("/wypelnienie");
        QStringList before = namesUnder(folder);
        out += refusedEverywhere(folder, QStringLiteral("brak miejsca na dysku"));
        if (namesUnder(folder) != before)
            out += "left on the full disk: " + namesUnder(folder).join(QLatin1Char(' ')).toStdString() + "\n";

        QFile::remove(filler);
        out += child::remountReadOnly(folder);
        out += refusedEverywhere(folder, QStringLiteral("system plików jest tylko do odczytu"));
        const QString fresh = folder + QStringLiteral("/nowy.csv");
        const QString said = errorText([&] {
            TTxStringGrid g;
            fill(g, "nowe");
            g.SaveToCSV(fresh);
        });
        if (!said.contains(QStringLiteral("system plików jest tylko do odczytu")))
            out += "a new file on a read-only file system: " + said.toStdString() + "\n";
        return out;
    });
    if (child::skipped(report))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}

namespace {

constexpr int kKillRows = 2000, kKillCols = 4;

// Version V of the book: every cell of the sheet holds V.
void saveVersion(const QString& Book, int V, bool IntoSheet)
{
    TTxStringGrid g;
    g.SaveWithFixedCells = true;
    g.SetColCount(kKillCols);
    g.SetRowCount(kKillRows);
    for (int r = 0; r < kKillRows; ++r)
        for (int c = 0; c < kKillCols; ++c)
            g.setCells(c, r, QStringLiteral("w%1").arg(V));
    if (IntoSheet)
        g.Exchange().SaveToXLSSheet(Book, QStringLiteral("Arkusz"));
    else
        g.Exchange().SaveToXLS(Book);
}

// The version the book holds whole, or -1 when it is not one version whole.
int versionOf(const QString& Book)
{
    try {
        const TOfficeWorkbook book = ReadWorkbook(Book);
        for (const TOfficeSheet& s : book.Sheets) {
            if (s.Name != QStringLiteral("Arkusz") && book.Sheets.size() > 1)
                continue;
            QString seen;
            int cells = 0;
            for (const auto& row : s.Rows)
                for (const TOfficeCell& c : row.second) {
                    if (!seen.isEmpty() && c.Value.Text != seen)
                        return -1;
                    seen = c.Value.Text;
                    ++cells;
                }
            return cells == kKillRows * kKillCols && seen.startsWith(QLatin1Char('w')) ? seen.mid(1).toInt() : -1;
        }
    } catch (const std::exception&) {}
    return -1;
}

int temporaryFiles(const QString& Folder)
{
    return int(QDir(Folder).entryList({QStringLiteral("*.tarnex-*")}, QDir::Files | QDir::Hidden).size());
}

} // namespace

TEST(GridSaving, KilledSavesLeaveTheOldBookOrTheNewOneWholeAndNothingBehind)
{
    std::mt19937 random(47);
    for (const bool intoSheet : {false, true}) {
        SCOPED_TRACE(intoSheet ? "sheet saves" : "whole-book saves");
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("ksiega.xlsx"));
        // The kills are spread over a few saves as long as this machine takes for one now, so
        // that a loaded machine still sees kills inside the save and not only before it.
        QElapsedTimer timer;
        timer.start();
        saveVersion(book, 0, intoSheet);
        const int saveUs = int(std::max<qint64>(timer.nsecsElapsed() / 1000, 2'000));
        std::uniform_int_distribution<int> delayUs(saveUs / 4, saveUs * 3);
        int killedInside = 0;
        // At least 12 kills; more, up to 48, until two of them came inside a save.
        for (int k = 0; k < 48 && (k < 12 || killedInside < 2); ++k) {
            ASSERT_TRUE(child::killAfter(useconds_t(delayUs(random)), [&] {
                for (int v = 1;; ++v)
                    saveVersion(book, v, intoSheet);
            }));
            EXPECT_GE(versionOf(book), 0) << "after kill " << k;
            // A save killed inside leaves its temporary file; the next save removes it.
            const int left = temporaryFiles(dir.path());
            EXPECT_LE(left, 1) << "after kill " << k;
            killedInside += left;
        }
        EXPECT_GT(killedInside, 0) << "no kill came inside a save";
        saveVersion(book, 99, intoSheet);
        EXPECT_EQ(versionOf(book), 99);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).join(QLatin1Char(' ')).toStdString(), "ksiega.xlsx");
    }
}

namespace {

// The file's access list as text, empty when it has none beyond its mode.
std::string aclOf(const QString& File)
{
    const QByteArray path = QFile::encodeName(File);
    if (::acl_extended_file(path.constData()) != 1)
        return std::string();
    acl_t acl = ::acl_get_file(path.constData(), ACL_TYPE_ACCESS);
    char* text = acl ? ::acl_to_any_text(acl, nullptr, ',', TEXT_ABBREVIATE) : nullptr;
    std::string out = text ? text : "?";
    ::acl_free(text);
    ::acl_free(acl);
    return out;
}

bool setAcl(const QString& File, const char* Text)
{
    acl_t acl = ::acl_from_text(Text);
    const bool ok = acl && ::acl_set_file(QFile::encodeName(File).constData(), ACL_TYPE_ACCESS, acl) == 0;
    ::acl_free(acl);
    return ok;
}

} // namespace

// Every writer, by a user who is not root: over the user's own file with an access list naming
// another user, and over a colleague's group-writable file in a shared folder (owned by another
// user, with an access list). Both keep their access list, the colleague's file its owner,
// group and mode too (its new content is written into it), and nothing is left beside them. A
// copy of the old content left beside a file by a save in place that was cut off is named by
// the next save and the next read of the file, which both refuse.
TEST(GridSaving, AccessListsOwnersAndGroupsStayAndACutOffSaveInPlaceIsNamed)
{
    if (!child::isRoot())
        GTEST_SKIP() << "giving a file to another user needs root";
    const QString root = child::makeUserFolder();
    ASSERT_FALSE(root.isEmpty());
    const char* ownAcl = "u::rw-,u:4245:rw-,g::r--,m::rw-,o::r--";
    const char* sharedAcl = "u::rw-,u:4245:r--,g::rw-,m::rw-,o::---";
    std::string setUp;
    for (const TWriter& w : writers()) {
        const QString own = root + QStringLiteral("/wlasny-") + QLatin1String(w.File);
        const QString shared = root + QStringLiteral("/wspolny-") + QLatin1String(w.File);
        w.Save(own, "stare");
        w.Save(shared, "stare");
        if (::chown(QFile::encodeName(own).constData(), child::User, child::UserGroup) != 0
            || !child::giveToColleague(shared) || !setAcl(own, ownAcl) || !setAcl(shared, sharedAcl))
            setUp += std::string(w.Name) + " ";
    }
    if (!setUp.empty()) {
        QDir(root).removeRecursively();
        GTEST_SKIP() << "cannot give the files owners or access lists: " << setUp;
    }
    const std::string report = child::run([&] {
        std::string out = child::becomeUser();
        if (!out.empty())
            return out;
        for (const TWriter& w : writers()) {
            const QString own = root + QStringLiteral("/wlasny-") + QLatin1String(w.File);
            const QString shared = root + QStringLiteral("/wspolny-") + QLatin1String(w.File);
            const std::string ownBefore = aclOf(own), sharedBefore = aclOf(shared);
            for (const QString& file : {own, shared}) {
                const QString said = errorText([&] { w.Save(file, "nowe"); });
                if (said != QStringLiteral("<none>") || markerOf(file) != "nowe")
                    out += std::string(w.Name) + ": " + file.toStdString() + ": " + said.toStdString() + "\n";
            }
            struct stat st {};
            ::stat(QFile::encodeName(shared).constData(), &st);
            if (aclOf(own) != ownBefore)
                out += std::string(w.Name) + ": own file's access list " + aclOf(own) + "\n";
            if (aclOf(shared) != sharedBefore || st.st_uid != child::Colleague || st.st_gid != child::Group
                || (st.st_mode & 07777) != 0660)
                out += std::string(w.Name) + ": shared file " + aclOf(shared) + " owner " + std::to_string(st.st_uid)
                    + " group " + std::to_string(st.st_gid) + "\n";
        }
        if (namesUnder(root).size() != qsizetype(2 * writers().size()))
            out += "left: " + namesUnder(root).join(QLatin1Char(' ')).toStdString() + "\n";

        // A save in place cut off: its copy of the old content stays beside the file.
        const QString file = root + QStringLiteral("/wspolny-dane.csv");
        const QString copy = root + QStringLiteral("/wspolny-dane.csv.tarnex-kopia");
        QFile left(copy);
        left.open(QIODevice::WriteOnly);
        left.write("stare");
        left.close();
        const QByteArray before = bytesOf(file);
        for (const QString& said : {errorText([&] { writers()[1].Save(file, "stare"); }), errorText([&] {
                                        TTxStringGrid g;
                                        g.LoadFromCSV(file);
                                    })})
            if (!said.contains(file) || !said.contains(QStringLiteral("przerwany")) || !said.contains(copy))
                out += "after a cut-off save: " + said.toStdString() + "\n";
        if (bytesOf(file) != before || bytesOf(copy) != "stare")
            out += "a file was changed after a cut-off save\n";
        return out;
    });
    QDir(root).removeRecursively();
    if (child::skipped(report))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}

// Every reader and every writer of the grid on a name that holds no file (a FIFO, a device, a
// folder) is refused at once, naming the file and what it is, and the grid keeps its cells. Run
// in a child that an alarm ends, so that an open waiting on the FIFO fails the test and does not
// hang it.
TEST(GridSaving, AFifoADeviceOrAFolderIsRefusedAtOnceByEveryReaderAndWriter)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("kolejka"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    using TRead = std::function<void(TTxStringGrid & G, const QString& Path)>;
    const std::vector<std::pair<const char*, TRead>> readers = {
        {"native", [](TTxStringGrid& g, const QString& p) { g.LoadFromFile(p); }},
        {"csv", [](TTxStringGrid& g, const QString& p) { g.LoadFromCSV(p); }},
        {"fixed",
         [](TTxStringGrid& g, const QString& p) {
             TIntList positions;
             positions.Add(1);
             g.LoadFromFixed(p, positions);
         }},
        {"workbook", [](TTxStringGrid& g, const QString& p) { g.Exchange().LoadFromXLS(p); }},
        {"sheet", [](TTxStringGrid& g, const QString& p) { g.Exchange().LoadFromXLSSheet(p, QStringLiteral("A")); }},
        {"database", [](TTxStringGrid& g, const QString& p) { g.Exchange().LoadFromMDBTable(p, QStringLiteral("t")); }},
        {"print settings", [](TTxStringGrid& g, const QString& p) { g.LoadPrintSettings(p, QStringLiteral("Druk")); }},
        {"column set",
         [](TTxStringGrid&, const QString& p) {
             TTxColumnGrid c;
             c.LoadColumnsFromFile(p);
         }},
    };
    const std::string report = child::run([&] {
        ::alarm(20);
        std::string out;
        const std::vector<std::pair<QString, QString>> odd = {
            {fifo, QStringLiteral("kolejka FIFO")},
            {QStringLiteral("/dev/zero"), QStringLiteral("urządzenie")},
            {folder, QStringLiteral("folder")}};
        for (const auto& oddOne : odd) {
            const QString& path = oddOne.first;
            const QString& kind = oddOne.second;
            for (const auto& reader : readers) {
                const char* name = reader.first;
                TTxStringGrid g;
                fill(g, "stare");
                const QString said = errorText([&] { reader.second(g, path); });
                if (!said.contains(QStringLiteral("Nie można odczytać pliku ") + path) || !said.contains(kind)
                    || g.cells(0, 0) != QStringLiteral("stare"))
                    out += std::string(name) + " " + path.toStdString() + ": " + said.toStdString() + "\n";
            }
            for (const TWriter& w : writers()) {
                const QString said = errorText([&] { w.Save(path, "nowe"); });
                // (the INI file is read before it is written: its reader refuses)
                if (!said.contains(QStringLiteral(" pliku ") + path + QStringLiteral(": ")) || !said.contains(kind))
                    out += std::string(w.Name) + " " + path.toStdString() + ": " + said.toStdString() + "\n";
            }
        }
        return out;
    });
    EXPECT_EQ(report, "");
}

// The grid printed on a machine without a printer, into wydruki/ on a disk with 8 KiB left: the
// print fails as ETxGridError naming the file and the cause, and no PDF is left there; with room
// again, the same print is a whole PDF.
TEST(GridSaving, APrintToAPdfOnAFullDiskSaysWhyAndLeavesNoFile)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    QTemporaryDir dir;
    const QString folder = dir.path();
    const std::string report = child::onTinyDisk(folder, "1m", [&] {
        std::string out;
        QDir::setCurrent(folder);
        QDir(folder).mkdir(QStringLiteral("wydruki"));
        if (std::string full = child::fillDisk(folder, 8192); !full.empty())
            return full;
        TTxStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(200);
        for (int r = 0; r < 200; ++r)
            for (int c = 0; c < 3; ++c)
                g.setCells(c, r, QStringLiteral("komórka %1 %2").arg(c).arg(r));
        g.PrintSettings().JobName = QStringLiteral("Lista");
        const QString said = errorText([&] { g.Print(); });
        if (said
            != QStringLiteral("Nie udało się zapisać pliku %1/wydruki/Lista.pdf: brak miejsca na dysku.").arg(folder))
            out += "print: " + said.toStdString() + "\n";
        if (!QDir(folder + QStringLiteral("/wydruki")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            out += "left in wydruki: "
                + QDir(folder + QStringLiteral("/wydruki"))
                      .entryList(QDir::AllEntries | QDir::Hidden)
                      .join(u' ')
                      .toStdString()
                + "\n";
        // With room again the printout is there, whole.
        QFile::remove(folder + QStringLiteral("/wypelnienie"));
        g.Print();
        if (!pdf::text(folder + QStringLiteral("/wydruki/Lista.pdf")).contains(QStringLiteral("komórka 2 199")))
            out += "the printout with room to spare is not whole\n";
        return out;
    });
    if (child::skipped(report))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}
