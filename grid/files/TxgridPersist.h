#pragma once
// Print settings in an INI section: one value per setting, Booleans as "Y"/"N", enumerations
// as their numbers, fonts as name, size, style bits and colour, the title lines in one line
// with escaped line breaks. The job name and PrintGraphics are not kept.
#include "grid/settings/TxgridIniFile.h"
#include "grid/settings/TxgridSettings.h"

namespace grid {

void WritePrintSettings(TIniFile& Ini, const QString& Section, const TPrintSettings& Settings);
// Missing values take their defaults; a number out of range leaves Borders, BorderStyle,
// FitToPage and Orientation as they were, and makes a position ppNone.
void ReadPrintSettings(const TIniFile& Ini, const QString& Section, TPrintSettings& Settings);

// Pen styles as the file numbers them: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 clear, 6 inside frame (drawn solid).
int PenStyleToOrdinal(Qt::PenStyle Style);
Qt::PenStyle PenStyleFromOrdinal(int Ordinal);

} // namespace grid
