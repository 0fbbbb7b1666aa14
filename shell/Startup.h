#pragma once
// The program's start-up: the windows and the data module created once, in the fixed order of
// the window table's start-up rows, each followed by its position of the splash bar.
#include "shell/WindowTable.h"

#include <functional>
#include <vector>

extern class TMainForm* MainForm;

using StartupStep = WindowKind;

// The start-up rows of the window table, in the order of creation.
std::vector<const StartupStep*> startupTable();

// Runs every step of the table: creates its window (when the program has it), sets the splash bar
// to the step's position and repaints the splash. `afterStep` (tests) is called after each step.
// Then hides the splash. MainForm must exist before.
void Utworz_Formularze(const std::function<void(const StartupStep&)>& afterStep = {});

// Deletes what Utworz_Formularze created, last first, and clears the global pointers. Runs before
// the main window is deleted (the dialogs are its children).
void Zwolnij_Formularze();
