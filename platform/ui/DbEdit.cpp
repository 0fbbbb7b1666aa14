#include "platform/ui/DbEdit.h"
#include "platform/ui/Connect.h"

#include "platform/data/Dataset.h"

namespace ui {

// ---------------------------------------------------------------------------------------------
// DbFieldLink

DbFieldLink::DbFieldLink(QObject* parent, std::function<void()> show) : QObject(parent), show_(std::move(show)) {}

void DbFieldLink::setDataSource(data::DataSource* source)
{
    if (conns_[0])
        disconnect(conns_[0]);
    source_ = source;
    if (source_)
        conns_[0] = ui::on(source_, &data::DataSource::datasetChanged, this, &DbFieldLink::bindDataset);
    bindDataset();
}

void DbFieldLink::bindDataset()
{
    for (int i = 1; i < 6; ++i)
        if (conns_[i])
            disconnect(conns_[i]);
    if (data::Dataset* ds = dataset()) {
        conns_[1] = ui::on(ds, &data::Dataset::currentChanged, this, show_);
        conns_[2] = ui::on(ds, &data::Dataset::dataChanged, this, show_);
        conns_[3] = ui::on(ds, &data::Dataset::activeChanged, this, show_);
        conns_[4] = ui::on(ds, &data::Dataset::stateChanged, this, show_);
        conns_[5] = ui::on(ds, &data::Dataset::fieldChanged, this, [this](int i) {
            if (data::Field* f = field(); f && f->index() == i)
                show_();
        });
    }
    show_();
}

data::Dataset* DbFieldLink::dataset() const { return source_ ? source_->dataset() : nullptr; }

void DbFieldLink::setDataField(const QString& field)
{
    field_ = field;
    show_();
}

bool DbFieldLink::hasRow() const
{
    data::Dataset* ds = dataset();
    if (!ds || !ds->isActive())
        return false;
    return ds->state() == data::State::Insert || ds->recNo() > 0;
}

bool DbFieldLink::editing() const
{
    data::Dataset* ds = dataset();
    return ds && (ds->state() == data::State::Edit || ds->state() == data::State::Insert);
}

data::Field* DbFieldLink::field() const
{
    if (field_.isEmpty() || !hasRow())
        return nullptr;
    return dataset()->findField(field_);
}

QString DbFieldLink::text() const
{
    data::Field* f = field();
    return f ? f->asString() : QString();
}

// ---------------------------------------------------------------------------------------------

DbEdit::DbEdit(QWidget* parent) : QLineEdit(parent), link_(this, [this] { showField(); }) {}

void DbEdit::showField()
{
    data::Field* f = format_ ? link_.field() : nullptr;
    setText(f && !f->isNull() ? format_(f->value()) : link_.text());
}

void DbEdit::setDisplayFormat(std::function<QString(const QVariant&)> format)
{
    format_ = std::move(format);
    showField();
}

void DbEdit::updateRecord()
{
    if (data::Field* f = link_.field(); f && link_.editing() && f->asString() != text())
        f->setAsString(text());
}

DbText::DbText(QWidget* parent) : QLabel(parent), link_(this, [this] { showField(); }) {}

void DbText::showField() { setText(link_.text()); }

DbCheckBox::DbCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), link_(this, [this] { showField(); })
{}

void DbCheckBox::showField()
{
    data::Field* f = link_.field();
    setChecked(f && f->asBoolean());
}

void DbCheckBox::updateRecord()
{
    if (data::Field* f = link_.field(); f && link_.editing() && (f->isNull() || f->asBoolean() != isChecked()))
        f->setAsBoolean(isChecked());
}

} // namespace ui
