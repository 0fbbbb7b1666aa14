// Master-detail: a dataset that shows the rows whose detail fields equal the current values of
// its master's fields, read again whenever the master moves.
#include "platform/data/Dataset.h"

#include "platform/data/DatasetParts.h"
#include "platform/data/Filter.h"

namespace data {

void Dataset::setMasterSource(Dataset* master, const QString& masterFields, const QString& detailFields)
{
    for (auto& c : masterConn_)
        c.reset();
    masterSource_ = nullptr;
    master_ = master;
    masterFields_ = masterFields;
    detailFields_ = detailFields;
    if (master) {
        // Reading the detail again may fail; the failure is reported, never thrown into Qt.
        auto moved = [this] { guardSignal([this] { masterMoved(); }); };
        masterConn_[0] = connect(master, &Dataset::currentChanged, this, moved);
        masterConn_[1] = connect(master, &Dataset::activeChanged, this, moved);
    }
    if (isActive())
        masterMoved();
}

void Dataset::setMasterSource(DataSource* source, const QString& masterFields, const QString& detailFields)
{
    setMasterSource(source ? source->dataset() : nullptr, masterFields, detailFields);
    masterSource_ = source;
    if (source)
        masterConn_[2] = connect(source, &DataSource::datasetChanged, this, [this] {
            guardSignal([this] {
                DataSource* s = masterSource_;
                setMasterSource(s, masterFields_, detailFields_);
            });
        });
}

Dataset* Dataset::master() const { return master_; }

void Dataset::masterMoved()
{
    if (!isActive())
        return;
    checkBrowseMode();
    execute();
    if (ensureRow(0)) {
        cur_ = 0;
        bof_ = true;
        eof_ = false;
    }
    emit dataChanged();
    emit currentChanged();
}

// The detail fields equal to the master's current values (a text year matches an integer year;
// empty text never matches 0); no rows at all while the master has no current row.
void Dataset::addLinkConditions(Plan& p, const Naming& naming, bool& unnamed) const
{
    if (!master_)
        return;
    const QStringList mf = detail::splitNames(masterFields_);
    QStringList df = detail::splitNames(detailFields_);
    if (df.isEmpty())
        df = detail::splitNames(indexFieldNames_).mid(0, mf.size());
    if (df.size() < mf.size())
        throw Error(QStringLiteral("Brak pól powiązania ze zbiorem nadrzędnym (%1)").arg(masterFields_));
    if (!master_->isActive() || (master_->recNo() == 0 && master_->state() != State::Insert)) {
        p.noRows = true;
        return;
    }
    for (int i = 0; i < mf.size(); ++i) {
        Field* m = master_->findField(mf[i]);
        if (!m)
            throw Error(QStringLiteral("Brak pola %1 w zbiorze nadrzędnym").arg(mf[i]));
        const int c = columnOf(df[i]);
        if (c < 0)
            throw Error(QStringLiteral("Brak pola %1 w zbiorze %2").arg(df[i], objectName()));
        const Column& col = columns_[size_t(c)];
        QVariant v = m->value();
        if (!v.isValid() || v.isNull()) {
            p.noRows = true;
            return;
        }
        switch (col.kind) {
        case FieldKind::Integer:
        case FieldKind::Float:
        case FieldKind::Boolean:
            if (v.typeId() == QMetaType::Bool) {
                v = qint64(v.toBool() ? 1 : 0);
            } else if (!detail::isNumeric(v)) {
                const auto n = detail::parseNumber(v.toString());
                if (!n) {
                    p.noRows = true;
                    return;
                }
                v = *n;
            }
            break;
        case FieldKind::Text: v = Field::toText(v); break;
        case FieldKind::Date:
            v = v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
            break;
        default: break;
        }
        const std::optional<QString> name = naming(c);
        if (!name)
            unnamed = true;
        p.binds.append(v);
        p.where << QStringLiteral("%1%2 = %3")
                       .arg(detail::quoteIdent(name ? *name : col.name),
                            col.kind == FieldKind::Text ? QStringLiteral(" COLLATE POLISH") : QString(),
                            detail::placeholder(int(p.binds.size())));
    }
}

} // namespace data
