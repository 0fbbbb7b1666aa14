#pragma once
// Asking the desktop to open things.
#include <QString>

namespace sys {

// Opens a file (absolute, or relative to the working directory) with the desktop's application
// for its type. Returns false when the file is missing or the desktop could not open it.
bool shellOpen(const QString& path);

// Starts the first desktop calculator found (gnome-calculator, kcalc, galculator, mate-calc,
// qalculate-gtk, xcalc), detached from the program. Returns false when none is installed or it
// could not be started.
bool startCalculator();

} // namespace sys
