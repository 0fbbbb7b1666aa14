#pragma once
// Cell checkers: a component the grid calls to correct cell texts and mark errors in them.
// The base checker changes nothing; TCapitalCheck capitalises the first letter of sentences.
#include <QString>

namespace grid {

class TTxStringGridCheck {
public:
    virtual ~TTxStringGridCheck() = default;

    bool AutoCorrect = false;   // Correct on every validated edit
    bool AutoMarkError = false; // MarkError on every validated edit
    bool UseCorrect = false;    // Correct when cells are checked on request
    bool UseMarkError = false;  // MarkError when cells are checked on request
    bool GotoCell = false;      // the current cell visits each checked cell

    virtual QString MarkError(int ACol, int ARow, const QString& Value) { return Value; }
    virtual QString Correct(int ACol, int ARow, const QString& Value) { return Value; }
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    // S with its first OldPattern replaced by NewPattern (unchanged when absent or empty).
    static QString ReplaceOnce(const QString& S, const QString& OldPattern, const QString& NewPattern);
    // S (formatted text) with every occurrence of Word in its visible text wrapped in
    // "<Tag>" .. "</Tag>".
    static QString HiLight(const QString& S, const QString& Word, const QString& Tag, bool CaseSensitive);
};

class TCapitalCheck : public TTxStringGridCheck {
public:
    QString Correct(int ACol, int ARow, const QString& Value) override;
};

} // namespace grid
