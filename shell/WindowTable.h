#pragma once
// The table of the program's windows: one row per kind of window, read by the main window (which
// menu item opens what, which items are available), by start-up (which dialogs are created, in
// which order, with which splash position) and by the exit check (the open MDI children).
//
// The rows are registered once by the program's top level (app/Okna.cpp), which is the one place
// that knows every window class; the main window and start-up only read them. Adding a window is
// one row there.
#include <QObject>
#include <QString>
#include <QWidget>

#include <span>
#include <type_traits>
#include <vector>

class TMainForm;

struct WindowKind {
    const char* global = nullptr;       // its global pointer, e.g. "Form_Faktura"
    const char* action = nullptr;       // objectName of the menu item that opens it, or nullptr
    int startup = 0;                    // splash position after creating it at start-up; 0: on first use
    bool TMainForm::*flag = nullptr;    // an MDI child kept as one instance: its Czy_ flag
    QObject* (*create)() = nullptr;     // start-up: creates it into its global pointer
    void (*destroy)() = nullptr;        // and deletes it again
    void (*open)(TMainForm&) = nullptr; // what its menu item does
};

// Replaces the table (the program's top level calls it once, before the main window exists).
void Ustaw_Tabele_Okien(std::vector<WindowKind> rows);
std::span<const WindowKind> Tabela_Okien();
// The row whose menu item has this objectName, or nullptr.
const WindowKind* Okno_Dla_Pozycji(const QString& action);

namespace window_table_detail {
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
} // namespace window_table_detail

// A window created at start-up into its global pointer with the main window as its owner.
template <class T, T** Global>
WindowKind createdAtStartup(const char* global, int position)
{
    WindowKind k;
    k.global = global;
    k.startup = position;
    k.create = &window_table_detail::create<T, Global>;
    k.destroy = &window_table_detail::destroy<T, Global>;
    return k;
}

// A start-up position whose window the program does not create (the bar only moves).
inline WindowKind startupPlaceholder(const char* global, int position)
{
    WindowKind k;
    k.global = global;
    k.startup = position;
    return k;
}
