#include "grid/TxgridStartup.h"

#include "grid/controls/Tsgcombo.h"
#include "grid/controls/Tsgedit.h"
#include "grid/controls/Tsgspin.h"
#include "grid/columngrid/TxColumnGrid.h"
#include "grid/core/Txgrid.h"
#include "grid/controls/Txxpvs.h"

#include <QHash>
#include <QStringList>
#include <QtGlobal>

namespace grid {

namespace {
bool gStarted = false;
bool gDatePicker = false;

QHash<QString, TComponentFactory>& classes()
{
    static QHash<QString, TComponentFactory> h;
    return h;
}
} // namespace

bool CommonControlsSupportDatePicker(qint64 Version) { return Version > 0x00040045; }

qint64 CommonControlsVersion()
{
    const QStringList parts = QString::fromLatin1(qVersion()).split(QLatin1Char('.'));
    bool okMajor = false, okMinor = false;
    const int major = parts.value(0).toInt(&okMajor);
    const int minor = parts.value(1).toInt(&okMinor);
    if (!okMajor || !okMinor)
        return -1;
    return qint64(major) * 65536 + minor;
}

void LibraryStartUp()
{
    if (gStarted)
        return;
    ThemeStartUp();
    // Drag and drop and the clipboard need no process-wide start on this platform.
    // Forms that name the grid can make one.
    RegisterClass(QStringLiteral("TTxStringGrid"), [](QWidget* Parent) { return new TTxStringGrid(Parent); });
    RegisterClass(QStringLiteral("TTxColumnGrid"), [](QWidget* Parent) { return new TTxColumnGrid(Parent); });
    // The companion controls forms may place.
    RegisterClass(QStringLiteral("TTSGComboBox"), [](QWidget* Parent) { return new TTSGComboBox(Parent); });
    RegisterClass(QStringLiteral("TTsgEditButton"), [](QWidget* Parent) { return new TTsgEditButton(Parent); });
    RegisterClass(QStringLiteral("TTsgEditBtn"), [](QWidget* Parent) { return new TTsgEditBtn(Parent); });
    RegisterClass(QStringLiteral("TTsgUnitEditBtn"), [](QWidget* Parent) { return new TTsgUnitEditBtn(Parent); });
    RegisterClass(QStringLiteral("TTsgSpinButton"), [](QWidget* Parent) { return new TTsgSpinButton(Parent); });
    RegisterClass(QStringLiteral("TTsgSpinEdit"), [](QWidget* Parent) { return new TTsgSpinEdit(Parent); });
    RegisterClass(QStringLiteral("TTxMaskSpinEdit"), [](QWidget* Parent) { return new TTxMaskSpinEdit(Parent); });
    gDatePicker = CommonControlsSupportDatePicker(CommonControlsVersion());
    gStarted = true;
}

void LibraryShutDown()
{
    if (!gStarted)
        return;
    gStarted = false;
    ThemeShutDown();
}

bool LibraryStarted() { return gStarted; }

bool DatePickerAvailable() { return gDatePicker; }

void RegisterClass(const QString& ClassName, TComponentFactory Factory)
{
    classes().insert(ClassName.toLower(), std::move(Factory));
}

TComponentFactory FindClass(const QString& ClassName) { return classes().value(ClassName.toLower()); }

} // namespace grid
