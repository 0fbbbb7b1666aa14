#pragma once
// The directory of a compound file (the container of an .xls workbook) walked without
// recursion before libgsf opens the file: libgsf follows the directory's sibling and child
// links recursively, so a directory nested or chained deep enough overflows its stack. Plain
// C++ with the C library only, for the .xls helper.
#include <cstdio>

namespace grid::xls {

// Deeper than any directory a program writes: a red-black tree of a million entries is under
// 40 links deep, and storages are nested a few levels.
constexpr unsigned kCompoundMaxDepth = 4096;

enum TCompoundCheck {
    ccFine,    // the directory is safe to walk (or the file is no compound file: libgsf says so)
    ccTooDeep, // a path through the directory is longer than kCompoundMaxDepth links
    ccLooped,  // an entry is reached twice: the links loop or are shared
};

TCompoundCheck CheckCompoundDirectory(std::FILE* File);

} // namespace grid::xls
