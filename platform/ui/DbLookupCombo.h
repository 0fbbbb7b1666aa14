#pragma once
// A lookup combo over a dataset: it lists the list field of every row of its lookup dataset and
// stands for the key field of the chosen row.
//
//   ui::DbLookupCombo c;  c.setListSource(&DataSource_Vat);  c.setKeyField("Nazwa");
//   c.setListField("Nazwa");  c.setAllEntry("Wszystkie", "*");   // optional first entry
//   c.setKeyValue("23");   // the row whose key equals "23" (ignoring case) becomes the current
//                          // row of the lookup dataset; "2" never lands on "23";
//                          // a key that no row has leaves the text empty
//   connect(&c, &ui::DbLookupCombo::closeUp, ...);  // only when the user chooses an entry
//
// The user's choice also makes its row current, so data-aware widgets on the lookup dataset
// show the chosen row's other columns.
#include <QComboBox>
#include <QPointer>
#include <QVariant>

namespace data {
class Dataset;
class DataSource;
} // namespace data

namespace ui {

class DbLookupCombo : public QComboBox {
    Q_OBJECT
public:
    explicit DbLookupCombo(QWidget* parent = nullptr);

    void setListSource(data::DataSource* source);
    data::DataSource* listSource() const { return source_; }
    data::Dataset* lookupDataset() const;
    void setKeyField(const QString& field);
    QString keyField() const { return keyField_; }
    void setListField(const QString& field); // empty: the key field
    QString listField() const { return listField_.isEmpty() ? keyField_ : listField_; }

    // An entry before the rows, e.g. "Wszyscy" standing for the value "*".
    void setAllEntry(const QString& caption, const QVariant& value);
    void clearAllEntry();
    bool hasAllEntry() const { return hasAll_; }

    // The key last set or chosen (the "all" value for the "all" entry); null when none. A key
    // that no row has is kept (the text stays empty) and shows again when such a row appears.
    QVariant keyValue() const { return key_; }
    void setKeyValue(const QVariant& key);
    // No entry chosen: empty text.
    void clearValue() { setKeyValue(QVariant()); }

    // Reads the entries again from the lookup dataset (done by itself when the dataset is
    // opened, closed or reloaded). When the dataset is opened, the row of the kept key becomes
    // its current row again.
    void reloadItems();

signals:
    // The user chose an entry (never emitted when the program sets the key).
    void closeUp();

private:
    void chosen(int index);
    int indexOfKey(const QVariant& key) const;
    void makeCurrent(const QVariant& key);

    QPointer<data::DataSource> source_;
    QMetaObject::Connection conns_[3];
    QString keyField_;
    QString listField_;
    bool hasAll_ = false;
    QString allCaption_;
    QVariant allValue_;
    bool loading_ = false;
    QVariant key_;
};

} // namespace ui
