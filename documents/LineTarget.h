#pragma once
// What the line dialogs need of the window that called them: its line grid, and a word after a
// line was added or changed so that the window shows its totals and locks its price mode.
// Each document window registers itself under its caller code ("FV", "PFV", "FV_P") while it
// exists; the dialogs find their caller by that code and know nothing else about it.
#include <QString>

namespace documents {

class LineGridModel;

class LineTarget {
public:
    virtual ~LineTarget() = default;
    virtual LineGridModel& lineGrid() = 0;
    // The lines changed: totals from the grid, price mode locked while there are lines.
    virtual void linesChanged() = 0;
};

// Registers (or, with nullptr, removes) the window that answers to `code`. Removing only
// removes `target` if it is still the one registered.
void setLineTarget(const QString& code, LineTarget* target);
void removeLineTarget(const QString& code, LineTarget* target);
LineTarget* lineTarget(const QString& code);

} // namespace documents
