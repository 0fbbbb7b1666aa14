#pragma once
// Loading the print libraries by the names the program uses ("Dokpress.dll") and finding their
// entry points by name, on top of the dynamic loader.
#include <QString>

namespace sys {

using LibraryHandle = void*;

// Loads a library by its Windows file name: "Dokpress.dll" means Dokpress.so, looked for beside
// the program, then in the working directory, then in the system's search path. A name with a
// folder in it is loaded from there only. Returns nullptr when nothing loads (see lastErrorText).
LibraryHandle loadLibrary(const QString& name);

// The address of the exported entry point `name` ("_ShowFaktStdRep"), or nullptr. A null handle
// (a library that did not load) finds nothing and keeps the load error as the last error.
void* findEntry(LibraryHandle handle, const char* name);

// Unloads a library loaded by loadLibrary; a null handle is ignored.
void freeLibrary(LibraryHandle handle);

// The loader's text for the last failed loadLibrary or findEntry.
QString lastErrorText();

} // namespace sys
