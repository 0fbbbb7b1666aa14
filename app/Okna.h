#pragma once
// The program's top level: the one place that knows every window class. It fills the window
// table that the main window, start-up and the exit check read.

// Registers every window of the program (before the main window is created).
void Zarejestruj_Okna();
