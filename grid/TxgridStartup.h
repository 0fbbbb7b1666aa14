#pragma once
// What the grid library does once per process: before any grid exists (LibraryStartUp, from
// the program's start) and after the last one is gone (LibraryShutDown, at exit).
#include <QString>
#include <functional>

class QWidget;

namespace grid {

// Theme binding, then the grid unit: class registration and the date-picker decision.
void LibraryStartUp();
// The reverse order.
void LibraryShutDown();
bool LibraryStarted();

// Whether grids offer the date-picker editor (decided at start-up).
bool DatePickerAvailable();
// The date picker needs common controls newer than 4.69: (major * 65536 + minor) > 0x00040045.
// A version of -1 (unreadable) fails.
bool CommonControlsSupportDatePicker(qint64 Version);
// The version of the platform's common controls (the widget toolkit), major * 65536 + minor.
qint64 CommonControlsVersion();

// Classes that forms may name, for reading forms that place them.
using TComponentFactory = std::function<QWidget*(QWidget* Parent)>;
void RegisterClass(const QString& ClassName, TComponentFactory Factory);
// An empty function when the class is not registered.
TComponentFactory FindClass(const QString& ClassName);

} // namespace grid
