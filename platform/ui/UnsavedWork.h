#pragma once
// A window that can hold work not yet saved. Before the program closes, the main window asks
// each open window that implements this whether it may be dropped (the window asks its user).
namespace ui {

class UnsavedWork {
public:
    virtual ~UnsavedWork() = default;
    // True when the window holds nothing unsaved, or its user agreed to drop it.
    virtual bool mayDiscard() = 0;
};

} // namespace ui
