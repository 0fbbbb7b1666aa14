#pragma once
// What the grid's declaration names before it is defined: the editor controls and support
// windows (each in its own unit), the feature classes, the picture cache, and the rich-text
// helper of typed access.
#include <QString>

class QIODevice;
class QTextEdit;

namespace grid {

class TGridCombo;
class TGridSpin;
class TGridDatePicker;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGridEditing;
class TTxInplaceEdit;
class TGridExchange;
class TGridPrinter;
struct TPrintLayout;
class TGridInput;
struct TInputState;
class TGridPainter;
class TGridSorting;
class TGridFinder;
class THTMLPictureCache;

// The plain text of rich text (paragraph marks as CR LF).
QString RichTextToPlain(const QString& Rtf);

} // namespace grid
