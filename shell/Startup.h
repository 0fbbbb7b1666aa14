#pragma once
// The program's start-up: the windows and the data module created once, in a fixed order, each
// followed by a fixed position of the splash bar.
//
// Adding a window to start-up: in Startup.cpp include its header and replace its
//     pending("Form_X", nn),
// row by
//     step<TForm_X, &Form_X>("Form_X", nn),
// `step` creates the window with the main window as its owner (or with no owner when the class
// has no such constructor) and stores it in its global pointer; `Zwolnij_Formularze` deletes it
// again in reverse order and clears the pointer.
#include <QObject>
#include <QWidget>

#include <functional>
#include <span>
#include <type_traits>

extern class TMainForm* MainForm;

struct StartupStep {
    const char* global;        // the global pointer the step fills, e.g. "Form_Komunikat"
    int position;              // splash bar after the step
    QObject* (*create)();      // null while the window is not built: the step only moves the bar
    void (*destroy)();
};

namespace startup_detail {
QWidget* owner();

template <class T, T** Global>
QObject* create()
{
    if constexpr (std::is_constructible_v<T, QWidget*>)
        *Global = new T(owner());
    else if constexpr (std::is_constructible_v<T, QObject*>)
        *Global = new T(static_cast<QObject*>(owner()));
    else
        *Global = new T();
    return *Global;
}

template <class T, T** Global>
void destroy()
{
    T* p = *Global;
    *Global = nullptr;
    delete p;
}
} // namespace startup_detail

template <class T, T** Global>
constexpr StartupStep step(const char* global, int position)
{
    return {global, position, &startup_detail::create<T, Global>, &startup_detail::destroy<T, Global>};
}

constexpr StartupStep pending(const char* global, int position)
{
    return {global, position, nullptr, nullptr};
}

// The table, in the order of creation.
std::span<const StartupStep> startupTable();

// Runs every step of the table: creates its window (when built), sets the splash bar to the
// step's position and repaints the splash. `afterStep` (tests) is called after each step.
// Then hides the splash. MainForm must exist before.
void Utworz_Formularze(const std::function<void(const StartupStep&)>& afterStep = {});

// Deletes what Utworz_Formularze created, last first, and clears the global pointers. Runs before
// the main window is deleted (the dialogs are its children).
void Zwolnij_Formularze();
