#pragma once
// The grid's published properties that are plain values: the grid reads them where it needs
// them and nothing happens when one is set, so they need no setter. Properties whose change
// repaints or resizes stay on the grid with their setters.
#include "grid/core/TxgridForward.h"
#include "grid/core/TxgridTypes.h"

#include <QChar>
#include <QImage>
#include <QString>

namespace grid {

class TPictureContainer;
class TTxStringGridCheck;

struct TGridPlainProperties {
    bool ActiveCellShow = false;
    bool WordWrap = false;
    bool Multilinecells = false;
    bool EnhTextSize = false;
    bool FixedAsButtons = false;
    bool Hovering = false;
    bool SelectionRTFKeep = false;
    bool HideFocusRect = false;
    bool URLEdit = false;
    bool EnableHTML = true;
    TPictureContainer* PictureContainer = nullptr; // not owned
    QString FloatFormat = QStringLiteral("%.2f");
    bool ExcelStyleDecimalSeparator = false;
    bool OemConvert = false;
    bool AutoNumAlign = false;
    bool FixedRowAlways = false;
    bool FixedColAlways = false;
    bool IntegralHeight = false;
    QChar PasswordChar = QLatin1Char('*');
    QString CheckTrue = QStringLiteral("Y");
    QString CheckFalse = QStringLiteral("N");
    int Zoom = 0;
    bool EditWithTags = false;
    int MaxEditLength = 0;
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    TTxStringGridCheck* CellChecker = nullptr; // not owned
    bool SizeWithForm = false;
    bool EnhRowColMove = false;
    TScrollType ScrollType = ssNormal;
    TColor ScrollColor = ui::clNone;
    int ScrollWidth = 0; // set to the platform's vertical scroll bar width
    bool ScrollSynch = false;
    bool ScrollProportional = false;
    TScrollHintType ScrollHints = shNone;
    bool EnableWheel = true;
    TIntelliPan IntelliPan = ipVertical;
    bool IntelliZoom = true;
    TColor HintColor = ui::clInfoBk;
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    bool HintShowSizing = false;
    bool HTMLHint = false;
    bool AnchorHint = false;
};

} // namespace grid
