#include "dictionaries/RecordDialog.h"
#include "platform/ui/Connect.h"

#include "dictionaries/Uklad.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbEdit.h"
#include "shell/Form_Komunikat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dictionaries {

// ---------------------------------------------------------------------------------------------
// RecordDialog

RecordDialog::RecordDialog(QString nazwa, QString tytul, QWidget* parent)
    : ui::Dialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(nazwa);
    setWindowTitle(tytul);
    setModal(true);
    auto* col = new QVBoxLayout(this);
    form_ = new QFormLayout;
    form_->setLabelAlignment(Qt::AlignLeft);
    // Each field keeps the width of what it holds (a postal code is not as wide as a name).
    form_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    col->addLayout(form_);
}

QPushButton* RecordDialog::przycisk(const QString& nazwa) const
{
    return qobject_cast<QPushButton*>(controls_.value(nazwa));
}

void RecordDialog::dodajKontrolke(const QString& nazwa, const QString& etykieta, QWidget* w, bool ukryta)
{
    w->setObjectName(nazwa);
    if (!etykieta.isEmpty())
        w->setAccessibleName(etykieta);
    controls_.insert(nazwa, w);
    if (ukryta) {
        w->setParent(this);
        w->hide();
        return;
    }
    if (qobject_cast<QCheckBox*>(w))
        form_->addRow(QString(), w);
    else
        form_->addRow(etykieta, w);
}

void RecordDialog::budujPola(const std::vector<Pole>& pola, const std::function<QCheckBox*(const Pole&)>& zaznaczenie,
                             const std::function<QLineEdit*(const Pole&)>& tekst)
{
    for (const Pole& p : pola) {
        pola_.push_back(p);
        QWidget* w = nullptr;
        if (p.utworz) {
            w = p.utworz(this);
            if (auto* c = qobject_cast<QComboBox*>(w))
                c->setMinimumContentsLength(p.maks > 0 ? std::min(p.maks, kNajszerszePole) : kPoleBezLimitu);
        } else if (p.rodzaj == Rodzaj::Zaznaczenie) {
            w = zaznaczenie(p);
        } else {
            QLineEdit* e = tekst(p);
            if (p.maks > 0)
                e->setMaxLength(p.maks);
            // As wide as the longest text the field takes: a long name is seen whole, not scrolled.
            const QFontMetrics fm = e->fontMetrics();
            const int znak = std::max(fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('x')));
            const int ramka = e->sizeHint().width() - 17 * fm.horizontalAdvance(QLatin1Char('x'));
            e->setMinimumWidth(szerokoscPola(p.maks, znak, ramka));
            w = e;
        }
        dodajKontrolke(p.nazwa, p.etykieta, w, p.ukryta);
    }
}

void RecordDialog::dodajPrzyciski(const Przyciski& p)
{
    przyciski_ = p;
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto add = [&](const QString& nazwa, const QString& napis) {
        if (nazwa.isEmpty())
            return;
        auto* b = new QPushButton(napis, this);
        b->setObjectName(nazwa);
        b->setAutoDefault(false);
        controls_.insert(nazwa, b);
        row->addWidget(b);
    };
    add(p.zapisz, p.zapiszNapis);
    add(p.nowy, p.nowyNapis);
    add(p.zamknij, p.zamknijNapis);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

Wpis RecordDialog::wpis() const
{
    Wpis w;
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if (auto* e = qobject_cast<QLineEdit*>(it.value()))
            w.insert(it.key(), e->text());
        else if (auto* c = qobject_cast<QCheckBox*>(it.value()))
            w.insert(it.key(), c->isChecked());
        else if (auto* cb = qobject_cast<QComboBox*>(it.value()))
            w.insert(it.key(), cb->currentText());
    }
    uzupelnijWpis(w);
    return w;
}

bool RecordDialog::sprawdz(const Reguly& reguly)
{
    const auto odmowa = pierwszaOdmowa(reguly, wpis());
    if (!odmowa)
        return true;
    Pokaz_Komunikat(odmowa->komunikat);
    if (QWidget* w = kontrolka(odmowa->pole))
        w->setFocus(Qt::OtherFocusReason);
    return false;
}

// ---------------------------------------------------------------------------------------------
// NewRecordDialog

NewRecordDialog::NewRecordDialog(UstawieniaNowego u, QWidget* parent)
    : RecordDialog(u.nazwa, u.tytul, parent), u_(std::move(u))
{
    budujPola(
        u_.pola, [this](const Pole& p) { return new QCheckBox(p.etykieta, this); },
        [this](const Pole& p) {
            auto* e = new QLineEdit(p.poczatek, this);
            e->setReadOnly(p.rodzaj == Rodzaj::TylkoOdczyt);
            return e;
        });
    dodajPrzyciski(u_.przyciski);
    ui::on(przycisk(u_.przyciski.zapisz), &QPushButton::clicked, this, [this] { Zapisz(); });
    // A new entry begins in its first field, as at showing: the first key typed goes there.
    if (QPushButton* b = przycisk(u_.przyciski.nowy))
        ui::on(b, &QPushButton::clicked, this, [this] {
            Wyczysc_Pola();
            naPierwszePole();
        });
    setCloseButton(przycisk(u_.przyciski.zamknij), u_.wynikZamkniecia);
}

bool NewRecordDialog::Zapisz()
{
    if (!sprawdz(u_.reguly()))
        return false;
    u_.zapisz(wpis());
    if (u_.wylaczZapiszPoZapisie)
        przycisk(u_.przyciski.zapisz)->setEnabled(false);
    return true;
}

void NewRecordDialog::Wyczysc_Pola()
{
    for (const Pole& p : pola_) {
        if (!p.czyszczone)
            continue;
        QWidget* w = kontrolka(p.nazwa);
        // A data-aware control shows its row (the chosen VAT rate's percent and basic flag):
        // emptying it would leave it blank until that row moves, and the checks and the insert
        // read it. It shows its field again instead.
        if (auto* e = qobject_cast<ui::DbEdit*>(w); e && e->dataSource()) {
            e->showField();
            continue;
        }
        if (auto* c = qobject_cast<ui::DbCheckBox*>(w); c && c->dataSource()) {
            c->showField();
            continue;
        }
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(p.poczatek);
        else if (auto* c = qobject_cast<QCheckBox*>(w))
            c->setChecked(false);
    }
    przycisk(u_.przyciski.zapisz)->setEnabled(true);
}

bool NewRecordDialog::closing(int)
{
    Wyczysc_Pola();
    return true;
}

void NewRecordDialog::naPierwszePole()
{
    if (!pola_.empty())
        if (QWidget* w = kontrolka(pola_.front().nazwa))
            w->setFocus();
}

void NewRecordDialog::showing()
{
    Wyczysc_Pola();
    naPierwszePole();
}

// ---------------------------------------------------------------------------------------------
// EditRecordDialog

EditRecordDialog::EditRecordDialog(UstawieniaPoprawy u, QWidget* parent)
    : RecordDialog(u.nazwa, u.tytul, parent), u_(std::move(u)), table_(new data::Table(this)),
      source_(new data::DataSource(this))
{
    table_->setObjectName(u_.nazwaTabeli);
    table_->setTableName(u_.tabela);
    source_->setDataset(table_);
    budujPola(
        u_.pola,
        [this](const Pole& p) {
            auto* c = new ui::DbCheckBox(p.etykieta, this);
            c->setDataSource(source_);
            c->setDataField(p.kolumna);
            return c;
        },
        [this](const Pole& p) {
            auto* e = new ui::DbEdit(this);
            e->setDataSource(source_);
            e->setDataField(p.kolumna);
            if (p.rodzaj == Rodzaj::TylkoOdczyt) {
                e->setReadOnly(true);
                e->setFocusPolicy(Qt::NoFocus);
            }
            return e;
        });
    dodajPrzyciski(u_.przyciski);
    ui::on(przycisk(u_.przyciski.zapisz), &QPushButton::clicked, this, [this] { Zapisz(); });
    setCloseButton(przycisk(u_.przyciski.zamknij));
}

EditRecordDialog::~EditRecordDialog() = default;

bool EditRecordDialog::Otworz(const QString& filtr)
{
    if (table_->isActive()) {
        if (table_->state() != data::State::Browse)
            table_->cancel();
        table_->close();
    }
    data::Dataset* shared = u_.odswiez ? u_.odswiez() : nullptr;
    if (shared)
        table_->setConnection(shared->connection());
    table_->setFilter(filtr);
    table_->setFiltered(true);
    table_->open();
    if (table_->isEmpty()) {
        table_->close();
        return false;
    }
    table_->first();
    table_->edit();
    poOtwarciu();
    return true;
}

bool EditRecordDialog::Zapisz()
{
    if (!table_->isActive())
        return false;
    if (!sprawdz(u_.reguly(*this)))
        return false;
    for (QWidget* w : std::as_const(controls_)) {
        if (auto* e = qobject_cast<ui::DbEdit*>(w); e && !e->isReadOnly() && e->dataSource() == source_)
            e->updateRecord();
        else if (auto* c = qobject_cast<ui::DbCheckBox*>(w); c && c->dataSource() == source_)
            c->updateRecord();
    }
    przedZapisem();
    table_->post();
    table_->close();
    if (data::Dataset* shared = u_.odswiez ? u_.odswiez() : nullptr; shared && shared->isActive())
        shared->refresh();
    accept();
    return true;
}

bool EditRecordDialog::closing(int)
{
    // Whatever closes the dialog without "Zapisz" drops the pending change.
    if (table_->isActive()) {
        if (table_->state() != data::State::Browse)
            table_->cancel();
        table_->close();
    }
    return true;
}

} // namespace dictionaries
