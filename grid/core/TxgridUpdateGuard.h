#pragma once
// The grid's update lock (BeginUpdate ... EndUpdate) held for a scope, however it ends.

namespace grid {

class TTxStringGrid;

class TUpdateGuard {
public:
    explicit TUpdateGuard(TTxStringGrid& Grid);
    ~TUpdateGuard();
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    TTxStringGrid& FGrid;
};

} // namespace grid
