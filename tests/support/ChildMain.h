#pragma once
// A test program started again by one of its tests, as a second process of its own (a second
// copy of the program on one file): `--child=NAME args...` runs the part registered under NAME
// instead of the tests, with the QApplication made, and ends with what it returns. The part is
// no test, so the test lists show nothing of it.
#include <QStringList>

namespace testmain {

using ChildRun = int (*)(const QStringList& args);

// Registers `run` under `name` (at static initialisation); returns true.
bool addChild(const char* name, ChildRun run);

} // namespace testmain
