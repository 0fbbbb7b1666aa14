#pragma once
// The key/value store that stands in for the Windows registry: one text file (`rejestr.ini` in
// the working directory) with one section per key, named by root and key path:
//
//   [HKEY_LOCAL_MACHINE\Software\Orlimek\Tarnex\Ustawienia]
//   Faktura_od=0
//
// Key paths and value names are matched without regard to case, and a key path may end with "\"
// or not. Reading never creates anything; writing rewrites the file atomically. The file is UTF-8;
// one that is not (written by another tool in Windows-1250) is read in Windows-1250 and written
// back in it.
#include <QString>

namespace registry {

enum class Root { LocalMachine, CurrentUser };

// "HKEY_LOCAL_MACHINE" / "HKEY_CURRENT_USER".
QString rootName(Root root);

// The value `name` of the key `keyPath`; empty text when the file, the key or the value is missing
// or the file cannot be read.
QString read(Root root, const QString& keyPath, const QString& name);

// Stores `value` as `name` of the key `keyPath`, creating the key when needed. The file is saved
// as sys::FileReplacement saves one (complete and on the disk before it replaces the old one; a
// link's target saved, mode, owner and group kept), so a failure leaves the old file untouched.
// Returns false when nothing could be written (the file or its folder is not writable, the file
// has other hard links, the disk is full, or an existing file cannot be read and would be lost).
bool write(Root root, const QString& keyPath, const QString& name, const QString& value);
// Why the last write() returned false, naming the file and the cause ("Nie udało się zapisać
// pliku rejestr.ini: brak miejsca na dysku."); empty after one that succeeded.
QString lastWriteError();

// Why the store's file cannot be read, naming it: a folder, a FIFO or a device under its name, a
// file over 1 MiB (no settings file is near that), one that cannot be opened. Reads then give
// empty texts (the program's defaults) and writes are refused, the file left as it is. Empty
// when the file can be read or there is none.
QString problem();

// The file in use: "rejestr.ini" relative to the working directory unless set otherwise.
QString storePath();
// Tests point the store at a file of their own; an empty path restores the default.
void setStorePath(const QString& path);

} // namespace registry
