#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Connect.h"

#include "platform/data/Collation.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbCursor.h"

#include <QSignalBlocker>

#include <climits>

namespace ui {

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kAllRole = Qt::UserRole + 2;

bool sameKey(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return false;
    return data::comparePolish(a.toString(), b.toString()) == 0;
}
} // namespace

DbLookupCombo::DbLookupCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ui::on(this, &QComboBox::activated, this, &DbLookupCombo::chosen);
}

void DbLookupCombo::setListSource(data::DataSource* source)
{
    for (auto& c : conns_)
        disconnect(c);
    source_ = source;
    if (source_) {
        conns_[0] = ui::on(source_, &data::DataSource::datasetChanged, this, [this] { setListSource(source_); });
        if (data::Dataset* ds = source_->dataset()) {
            // Opened again (a dialog re-reads its rates at each showing): the kept key's row is
            // made current again, so the controls bound to the lookup dataset show that row and
            // not whichever row the dataset opened on.
            conns_[1] = ui::on(ds, &data::Dataset::activeChanged, this, [this] {
                reloadItems();
                if (const int i = indexOfKey(key_); i >= 0 && !itemData(i, kAllRole).toBool())
                    makeCurrent(itemData(i, kKeyRole));
            });
            conns_[2] = ui::on(ds, &data::Dataset::dataChanged, this, &DbLookupCombo::reloadItems);
        }
    }
    reloadItems();
}

data::Dataset* DbLookupCombo::lookupDataset() const { return source_ ? source_->dataset() : nullptr; }

void DbLookupCombo::setKeyField(const QString& field)
{
    keyField_ = field;
    reloadItems();
}

void DbLookupCombo::setListField(const QString& field)
{
    listField_ = field;
    reloadItems();
}

void DbLookupCombo::setAllEntry(const QString& caption, const QVariant& value)
{
    hasAll_ = true;
    allCaption_ = caption;
    allValue_ = value;
    reloadItems();
}

void DbLookupCombo::clearAllEntry()
{
    hasAll_ = false;
    reloadItems();
}

void DbLookupCombo::reloadItems()
{
    if (loading_)
        return;
    loading_ = true;
    const QSignalBlocker block(this);
    clear();
    if (hasAll_) {
        addItem(allCaption_);
        setItemData(0, allValue_, kKeyRole);
        setItemData(0, true, kAllRole);
    }
    data::Dataset* ds = lookupDataset();
    if (ds && ds->isActive() && !keyField_.isEmpty()) {
        data::Field* k = ds->findField(keyField_);
        data::Field* l = ds->findField(listField());
        if (k) {
            try {
                detail::visitRows(*ds, 0, INT_MAX, [&] {
                    addItem(l ? l->asString() : k->asString());
                    setItemData(count() - 1, k->value(), kKeyRole);
                });
            } catch (...) {
                loading_ = false;
                throw;
            }
        }
    }
    setCurrentIndex(indexOfKey(key_));
    loading_ = false;
}

int DbLookupCombo::indexOfKey(const QVariant& key) const
{
    if (key.isNull() || (key.typeId() == QMetaType::QString && key.toString().isEmpty()))
        return -1;
    // An exact match first; otherwise the same text in another letter case.
    for (int i = 0; i < count(); ++i)
        if (itemData(i, kKeyRole).toString() == key.toString())
            return i;
    for (int i = 0; i < count(); ++i)
        if (sameKey(itemData(i, kKeyRole), key))
            return i;
    return -1;
}

void DbLookupCombo::makeCurrent(const QVariant& key)
{
    data::Dataset* ds = lookupDataset();
    if (!ds || !ds->isActive() || keyField_.isEmpty() || key.isNull())
        return;
    if (ds->state() != data::State::Browse)
        return;
    if (data::Field* k = ds->findField(keyField_); k && k->value().toString() == key.toString())
        return; // already there
    if (!ds->locate(keyField_, key, {}))
        ds->locate(keyField_, key, {.caseInsensitive = true, .partialKey = false});
}

void DbLookupCombo::setKeyValue(const QVariant& key)
{
    key_ = key;
    const int i = indexOfKey(key);
    {
        const QSignalBlocker block(this);
        setCurrentIndex(i);
    }
    if (i >= 0 && !itemData(i, kAllRole).toBool())
        makeCurrent(itemData(i, kKeyRole));
}

void DbLookupCombo::chosen(int index)
{
    key_ = index >= 0 ? itemData(index, kKeyRole) : QVariant();
    if (index >= 0 && !itemData(index, kAllRole).toBool())
        makeCurrent(itemData(index, kKeyRole));
    emit closeUp();
}

} // namespace ui
