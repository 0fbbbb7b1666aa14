#include "platform/registry/Registry.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include "platform/codepage/Cp1250.h"
#include "platform/system/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace registry {

namespace {

QString g_storePath;                                         // empty: "rejestr.ini" in the working directory
QByteArray g_encodedPath = QByteArrayLiteral("rejestr.ini"); // the same, for stat()
QString g_lastWriteError;                                    // why the last write() failed

enum class Kind { Other, Section, Entry };

struct Line {
    Kind kind = Kind::Other;
    QString raw;  // the line as it stands in the file
    QString key;  // Section: the normalised key name; Entry: the key of its section
    QString name; // Entry: the value name as written
    QString value;
};

// A settings file is a few kilobytes; one larger than this is no settings file of the program's.
constexpr qint64 kMaxStoreBytes = 1024 * 1024;

struct Document {
    bool readable = true; // false: the file exists but could not be read
    QString problem;      // why it could not be read, naming it
    bool cp1250 = false;  // the file was not UTF-8 and was read as Windows-1250
    QList<Line> lines;
    QHash<QString, QString> index; // lookupKey(key, name) -> value of its first occurrence
};

// Names are compared without regard to case; folding both parts makes that one hash lookup.
QString lookupKey(const QString& key, const QString& name)
{
    return key.toCaseFolded() + QLatin1Char('\n') + name.toCaseFolded();
}

void buildIndex(Document& doc)
{
    doc.index.clear();
    for (const Line& line : doc.lines)
        if (line.kind == Kind::Entry) {
            const QString k = lookupKey(line.key, line.name);
            if (!doc.index.contains(k)) // the first occurrence is the one read and rewritten
                doc.index.insert(k, line.value);
        }
}

// The parsed file of the last call, reused while the file on disk is unchanged.
// A stamp of the file on disk: device and inode name the file whatever the working directory;
// a rename (our writes) changes the inode, an edit in place the modification time or the size.
struct Stamp {
    bool exists = false;
    bool isDir = false;
    unsigned long long device = 0, inode = 0, size = 0;
    long long sec = 0, nsec = 0;
    bool operator==(const Stamp&) const = default;
};

// The store is looked at on every read (settings may change while the program runs), so this
// is the one system call a read costs.
Stamp currentStamp()
{
    struct stat st {};
    Stamp s;
    if (::stat(g_encodedPath.constData(), &st) != 0)
        return s;
    s.exists = true;
    s.isDir = S_ISDIR(st.st_mode);
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = static_cast<unsigned long long>(st.st_size);
    s.sec = st.st_mtim.tv_sec;
    s.nsec = st.st_mtim.tv_nsec;
    return s;
}

struct Cache {
    Stamp stamp;
    Document doc;
    bool valid = false;
} g_cache;

QString normaliseKey(QString key)
{
    key = key.trimmed();
    while (key.endsWith(QLatin1Char('\\')))
        key.chop(1);
    while (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    return key;
}

QString sectionName(Root root, const QString& keyPath)
{
    const QString path = normaliseKey(keyPath);
    return path.isEmpty() ? rootName(root) : rootName(root) + QLatin1Char('\\') + path;
}

bool sameName(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

// Values are written as they are, except that "\" "\n" "\r" are escaped and a value with
// surrounding blanks or a leading quote is put in quotes, so any text reads back unchanged.
QString encodeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    if (!out.isEmpty() && (out.front().isSpace() || out.back().isSpace() || out.front() == QLatin1Char('"')))
        out = QLatin1Char('"') + out + QLatin1Char('"');
    return out;
}

// A backslash before anything but "\", "n" or "r" is kept, so hand-written paths such as
// C:\logo.jpg read as they stand.
QString decodeValue(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.front() == QLatin1Char('"') && text.back() == QLatin1Char('"'))
        text = text.mid(1, text.size() - 2);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar n = text[i + 1];
            if (n == QLatin1Char('\\')) {
                out += QLatin1Char('\\');
                ++i;
                continue;
            }
            if (n == QLatin1Char('n')) {
                out += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (n == QLatin1Char('r')) {
                out += QLatin1Char('\r');
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

Document parse(const QString& content)
{
    Document doc;
    QString text = content;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList raw = text.split(QLatin1Char('\n'));
    if (!raw.isEmpty() && raw.back().isEmpty())
        raw.removeLast(); // the final line break
    QString current;
    bool inSection = false;
    for (QString r : raw) {
        if (r.endsWith(QLatin1Char('\r')))
            r.chop(1);
        Line line;
        line.raw = r;
        const QString t = r.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            line.kind = Kind::Section;
            current = normaliseKey(t.mid(1, t.size() - 2));
            line.key = current;
            inSection = true;
        } else if (inSection && !t.startsWith(QLatin1Char(';')) && !t.startsWith(QLatin1Char('#'))
                   && t.contains(QLatin1Char('='))) {
            const qsizetype eq = r.indexOf(QLatin1Char('='));
            line.kind = Kind::Entry;
            line.key = current;
            line.name = r.left(eq).trimmed();
            line.value = decodeValue(r.mid(eq + 1));
        }
        doc.lines.append(line);
    }
    return doc;
}

QString filePath() { return g_storePath.isEmpty() ? QStringLiteral("rejestr.ini") : g_storePath; }

// The whole file, within the bound; empty with `problem` set (naming the file) when it cannot be
// read. Nothing under the name but a regular file is opened, and the open does not wait (a FIFO
// put in its place meanwhile is refused, not waited on).
QByteArray readBounded(const QString& path, QString& problem)
{
    auto refuse = [&](const QString& cause) {
        problem = QStringLiteral("Nie można odczytać pliku ustawień %1: %2. Program działa na ustawieniach "
                                 "domyślnych, a plik pozostaje bez zmian.")
                      .arg(path, cause);
        return QByteArray();
    };
    if (const QString kind = sys::fileKindProblem(path); !kind.isEmpty())
        return refuse(kind);
    const int fd = ::open(g_encodedPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(QString::fromLocal8Bit(std::strerror(errno)));
    struct Closed {
        int fd;
        ~Closed() { ::close(fd); }
    } closed{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return refuse(QStringLiteral("to nie jest zwykły plik"));
    const auto tooLarge = [&] {
        return refuse(QStringLiteral("plik jest większy niż %1 MiB, a plik ustawień programu jest dużo mniejszy")
                          .arg(kMaxStoreBytes / (1024 * 1024)));
    };
    if (st.st_size > kMaxStoreBytes)
        return tooLarge();
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > kMaxStoreBytes)
                return tooLarge(); // it grew while it was read
            bytes.resize(std::min<qsizetype>(got * 2 + 4096, kMaxStoreBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return refuse(QString::fromLocal8Bit(std::strerror(errno)));
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

// The current content of the store; a missing file is an empty store.
Document load()
{
    const QString path = filePath();
    const Stamp stamp = currentStamp();
    if (!stamp.exists)
        return Document{};
    if (g_cache.valid && g_cache.stamp == stamp)
        return g_cache.doc;

    Document bad;
    bad.readable = false;
    const QByteArray bytes = readBounded(path, bad.problem);
    if (!bad.problem.isEmpty()) {
        // Nothing is read, and nothing will be written over the file: the program goes on with
        // its defaults.
        g_cache = Cache{stamp, bad, true};
        return bad;
    }
    // Values written by other tools of the desktop may be in Windows-1250; a file that is not
    // UTF-8 is read in that code page, so its letters are neither shown nor saved back broken.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString content = utf8(bytes);
    const bool cp1250 = utf8.hasError();
    if (cp1250)
        content = text::fromCp1250(bytes);
    Document doc = parse(content);
    doc.cp1250 = cp1250;
    buildIndex(doc);
    g_cache = Cache{stamp, doc, true};
    return doc;
}

} // namespace

QString rootName(Root root)
{
    return root == Root::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER") : QStringLiteral("HKEY_LOCAL_MACHINE");
}

QString read(Root root, const QString& keyPath, const QString& name)
{
    const Document doc = load();
    if (doc.index.isEmpty())
        return QString();
    return doc.index.value(lookupKey(sectionName(root, keyPath), name.trimmed()));
}

bool write(Root root, const QString& keyPath, const QString& name, const QString& value)
{
    g_lastWriteError.clear();
    const QString trimmedName = name.trimmed();
    if (trimmedName.isEmpty() || trimmedName.contains(QLatin1Char('=')) || trimmedName.contains(QLatin1Char('\n'))) {
        g_lastWriteError = QStringLiteral("Nie udało się zapisać pliku %1: „%2” nie może być nazwą ustawienia.")
                               .arg(filePath(), trimmedName);
        return false;
    }
    const QString key = sectionName(root, keyPath);
    Document doc = load();
    if (!doc.readable) { // never replace a file we could not read
        g_lastWriteError = doc.problem;
        return false;
    }

    const QString encoded = encodeValue(value);
    bool done = false;
    // An existing value keeps the spelling of its name as first written.
    for (Line& line : doc.lines) {
        if (line.kind == Kind::Entry && sameName(line.key, key) && sameName(line.name, trimmedName)) {
            line.raw = line.name + QLatin1Char('=') + encoded;
            line.value = value;
            done = true;
            break;
        }
    }
    Line entry;
    entry.kind = Kind::Entry;
    entry.key = key;
    entry.name = trimmedName;
    entry.value = value;
    entry.raw = trimmedName + QLatin1Char('=') + encoded;
    if (!done) {
        // A new value goes after the last value of the key's first section.
        qsizetype insertAt = -1;
        for (qsizetype i = 0; i < doc.lines.size(); ++i) {
            const Line& line = doc.lines[i];
            if (line.kind == Kind::Section) {
                if (insertAt >= 0)
                    break;
                if (sameName(line.key, key))
                    insertAt = i + 1;
            } else if (insertAt >= 0 && line.kind == Kind::Entry) {
                insertAt = i + 1;
            }
        }
        if (insertAt >= 0) {
            entry.key = doc.lines[insertAt - 1].key;
            doc.lines.insert(insertAt, entry);
        } else {
            if (!doc.lines.isEmpty() && !doc.lines.back().raw.trimmed().isEmpty())
                doc.lines.append(Line{});
            Line header;
            header.kind = Kind::Section;
            header.key = key;
            header.raw = QLatin1Char('[') + key + QLatin1Char(']');
            doc.lines.append(header);
            doc.lines.append(entry);
        }
    }

    QString content;
    for (const Line& line : doc.lines) {
        content += line.raw;
        content += QLatin1Char('\n');
    }
    // A Windows-1250 file stays in its code page for the tools that wrote it, unless the new value
    // has letters the code page lacks: then the whole file goes to UTF-8, which holds them all.
    QByteArray bytes;
    if (doc.cp1250) {
        bytes = text::toCp1250(content);
        if (text::fromCp1250(bytes) != content) {
            bytes = content.toUtf8();
            doc.cp1250 = false;
        }
    } else {
        bytes = content.toUtf8();
    }
    try {
        sys::FileReplacement::replace(filePath(), bytes);
    } catch (const sys::SaveError& e) {
        g_lastWriteError = e.message();
        return false;
    }
    buildIndex(doc);
    g_cache = Cache{currentStamp(), doc, true};
    return true;
}

QString problem() { return load().problem; }

QString lastWriteError() { return g_lastWriteError; }

QString storePath() { return filePath(); }

void setStorePath(const QString& path)
{
    g_storePath = path;
    g_encodedPath = QFile::encodeName(filePath());
    g_cache.valid = false;
}

} // namespace registry
