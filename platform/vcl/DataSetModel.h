#pragma once
// A table model over a dataset, for the forms' grids ("gr_" controls).
//
// Columns are fields named by their field name. The rows are read from the
// dataset by Refresh (after the dataset was opened or requeried) and kept,
// so painting never moves the dataset's cursor. A check column shows a field
// holding "X" (ticked) or "" as a check box. Editable columns and check
// columns write through the dataset (Edit, set field, Post), unless a write
// handler takes the change over.
//
// The view's current row and the dataset's current record are kept
// together by Bind: choosing a row moves the dataset there.

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>
#include <functional>

class QAbstractItemView;

namespace Ado {
class TDataSet;
}

namespace Vcl {

class TDataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct TColumn {
        QString Field;        // field name in the dataset
        QString Title;        // column header
        bool Check = false;   // "X"/"" shown as a check box
        bool Editable = false;
        // A column that shows a value looked up for the row (a name for a
        // code); read-only. Field stays empty.
        std::function<QString(int row)> Lookup;
    };

    explicit TDataSetModel(QObject* parent = nullptr);

    // The dataset shown (not owned); nullptr shows nothing.
    void SetDataSet(Ado::TDataSet* dataSet);
    Ado::TDataSet* DataSet() const { return ds_; }
    void AddColumn(const QString& field, const QString& title, bool check = false, bool editable = false);
    // A read-only column whose text lookup gives for a row (e.g. the name of
    // the class whose code the row holds).
    void AddLookupColumn(const QString& title, std::function<QString(int row)> lookup);
    const QVector<TColumn>& Columns() const { return columns_; }
    int ColumnOf(const QString& field) const;   // -1 when not shown

    // Reads the rows of the dataset again; its current record stays.
    void Refresh();
    // The text of a field of a row as it was read (any field of the
    // dataset, shown or not).
    QString Value(int row, const QString& field) const;

    // Moves the dataset to row (0-based).
    void MoveTo(int row);
    // The dataset's current row (0-based), -1 when it has none.
    int CurrentRow() const;

    // Keeps view and dataset together: a new current row of the view moves
    // the dataset and then calls onRowChanged; after Refresh the view's
    // current row follows the dataset.
    void Bind(QAbstractItemView* view, std::function<void(int)> onRowChanged = {});

    // Takes over a write of value into field of row; returns true when it
    // wrote (the model then keeps the new value without posting).
    std::function<bool(int row, const QString& field, const QString& value)> OnWrite;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The role under which headerData answers the field name of a column.
    static constexpr int FieldNameRole = Qt::UserRole + 1;

Q_SIGNALS:
    // A value of row was written (through the dataset or the write handler).
    void Posted(int row, const QString& field);

private:
    void followDataSet();

    Ado::TDataSet* ds_ = nullptr;
    QVector<TColumn> columns_;
    QStringList fields_;               // every field of the dataset, as read
    QVector<QStringList> rows_;        // values per row, in the order of fields_
    QAbstractItemView* view_ = nullptr;
    bool following_ = false;
};

} // namespace Vcl
