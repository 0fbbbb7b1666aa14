#include "platform/system/Library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

namespace sys {

namespace {

QString g_lastError;

QString loaderError()
{
    const char* e = dlerror();
    return e ? QString::fromLocal8Bit(e) : QString();
}

// "Dokpress.dll" -> "Dokpress.so"; other names are kept.
QString sharedObjectName(const QString& name)
{
    if (name.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        return name.left(name.size() - 4) + QLatin1String(".so");
    return name;
}

void* open(const QString& path) { return dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL); }

} // namespace

LibraryHandle loadLibrary(const QString& name)
{
    const QString file = sharedObjectName(name);
    if (file.isEmpty()) {
        g_lastError = QStringLiteral("Pusta nazwa biblioteki");
        return nullptr;
    }
    if (file.contains(QLatin1Char('/'))) {
        void* h = open(file);
        g_lastError = h ? QString() : loaderError();
        return h;
    }

    // A file that exists but fails to load (a missing symbol, a wrong architecture) says more
    // than the final "not found" of the search path, so its error is the one kept.
    QString firstError;
    QStringList folders;
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath();
    folders << QDir::currentPath();
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(file);
        if (!QFileInfo::exists(path))
            continue;
        if (void* h = open(path)) {
            g_lastError.clear();
            return h;
        }
        if (firstError.isEmpty())
            firstError = loaderError();
    }
    if (void* h = open(file)) {
        g_lastError.clear();
        return h;
    }
    const QString searchError = loaderError();
    g_lastError = firstError.isEmpty() ? searchError : firstError;
    return nullptr;
}

void* findEntry(LibraryHandle handle, const char* name)
{
    if (!handle) {
        if (g_lastError.isEmpty())
            g_lastError = QStringLiteral("Biblioteka nie jest załadowana");
        return nullptr;
    }
    dlerror();
    void* entry = dlsym(handle, name);
    if (!entry) {
        const QString e = loaderError();
        g_lastError = e.isEmpty() ? QStringLiteral("Brak punktu wejścia %1").arg(QLatin1String(name)) : e;
    }
    return entry;
}

void freeLibrary(LibraryHandle handle)
{
    if (handle)
        dlclose(handle);
}

QString lastErrorText() { return g_lastError; }

} // namespace sys
