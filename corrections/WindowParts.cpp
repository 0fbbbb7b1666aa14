#include "corrections/WindowParts.h"

#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/FormControls.h"
#include "documents/LineMath.h"
#include "platform/data/Dataset.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "shell/Form_Jaki_Nr.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

namespace corrections {

ui::DbEdit* boundEdit(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                      const char* field, const QRect& geometry)
{
    auto* e = new ui::DbEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(geometry);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setDataSource(source);
    e->setDataField(QLatin1String(field));
    if (caption.isEmpty())
        e->hide();
    else
        documents::setCaption(e, caption);
    return e;
}

ui::DbCheckBox* boundCheck(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                           const char* field, const QRect& geometry)
{
    auto* c = new ui::DbCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(geometry);
    c->setFocusPolicy(Qt::NoFocus);
    c->setAttribute(Qt::WA_TransparentForMouseEvents);
    c->setDataSource(source);
    c->setDataField(QLatin1String(field));
    QFont bold = c->font();
    bold.setBold(true);
    c->setFont(bold);
    return c;
}

ui::DbLookupCombo* lookupCombo(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                               const char* field, const QRect& geometry)
{
    auto* c = new ui::DbLookupCombo(parent);
    c->setObjectName(QLatin1String(name));
    c->setListSource(source);
    c->setKeyField(QLatin1String(field));
    c->setGeometry(geometry);
    documents::setCaption(c, caption);
    return c;
}

data::Table* ownTable(QObject* parent, const char* name, const char* table)
{
    auto* t = new data::Table(parent);
    t->setObjectName(QLatin1String(name));
    t->setTableName(QLatin1String(table));
    if (DataModule1)
        t->setConnection(DataModule1->ADOConnection1);
    return t;
}

std::optional<qint64> paymentKindId(data::Dataset& kinds, const QVariant& key)
{
    if (!kinds.isActive() || key.isNull() || key.toString().isEmpty())
        return std::nullopt;
    if (!kinds.locate(QStringLiteral("Nazwa"), key, {.caseInsensitive = true}))
        return std::nullopt;
    return kinds.fieldByName(QStringLiteral("Id")).asLargeInt();
}

QString todayText()
{
    return ui::today().toString(QStringLiteral("yyyy-MM-dd"));
}

void closeWindow(QWidget* window)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        sub->close();
    else
        window->close();
}

bool mayDiscard(const QPushButton* zapisz)
{
    return !zapisz->isEnabled() || !Czy_Zachowac_Dokument();
}

} // namespace corrections

namespace corrections {

bool keepOpen(QWidget* window, const QPushButton* zapisz, QCloseEvent* e)
{
    if (mayDiscard(zapisz))
        return false;
    e->ignore();
    window->activateWindow();
    window->setFocus();
    return true;
}

} // namespace corrections
