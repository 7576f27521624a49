#include "platform/vcl/DataSetModel.h"

#include "platform/ado/Ado.h"
#include "platform/host/Guard.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace Vcl {

TDataSetModel::TDataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDataSetModel::SetDataSet(Ado::TDataSet* dataSet)
{
    ds_ = dataSet;
    Refresh();
}

void TDataSetModel::AddColumn(const QString& field, const QString& title, bool check, bool editable)
{
    beginResetModel();
    columns_.push_back({field, title, check, editable || check, {}});
    endResetModel();
}

void TDataSetModel::AddLookupColumn(const QString& title, std::function<QString(int row)> lookup)
{
    beginResetModel();
    TColumn c;
    c.Title = title;
    c.Lookup = std::move(lookup);
    columns_.push_back(std::move(c));
    endResetModel();
}

int TDataSetModel::ColumnOf(const QString& field) const
{
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].Field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TDataSetModel::Refresh()
{
    beginResetModel();
    fields_.clear();
    rows_.clear();
    if (ds_ && ds_->Active()) {
        fields_ = ds_->FieldNames();
        const int alt = ds_->RecNo();
        for (ds_->First(); !ds_->Eof(); ds_->Next()) {
            QStringList r;
            r.reserve(fields_.size());
            for (int f = 0; f < ds_->FieldCount(); ++f)
                r << ds_->Field(f)->AsString();
            rows_ << r;
        }
        if (alt > 0)
            ds_->SetRecNo(alt);
        else
            ds_->First();
    }
    endResetModel();
    followDataSet();
}

QString TDataSetModel::Value(int row, const QString& field) const
{
    if (row < 0 || row >= rows_.size())
        return {};
    for (int f = 0; f < fields_.size(); ++f)
        if (fields_[f].compare(field, Qt::CaseInsensitive) == 0)
            return rows_[row].value(f);
    return {};
}

void TDataSetModel::MoveTo(int row)
{
    if (ds_ && ds_->Active() && row >= 0 && row < ds_->RecordCount())
        ds_->SetRecNo(row + 1);
}

int TDataSetModel::CurrentRow() const
{
    if (!ds_ || !ds_->Active() || ds_->RecordCount() == 0)
        return -1;
    return ds_->RecNo() - 1;
}

void TDataSetModel::Bind(QAbstractItemView* view, std::function<void(int)> onRowChanged)
{
    view_ = view;
    view->setModel(this);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, onRowChanged](const QModelIndex& current, const QModelIndex&) {
                if (following_ || !current.isValid())
                    return;
                MoveTo(current.row());
                if (onRowChanged)
                    Host::Guard([&] { onRowChanged(current.row()); });
            });
    followDataSet();
}

void TDataSetModel::followDataSet()
{
    if (!view_ || !view_->selectionModel())
        return;
    const int row = CurrentRow();
    following_ = true;
    if (row >= 0 && row < rows_.size())
        view_->selectionModel()->setCurrentIndex(index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        view_->selectionModel()->clearCurrentIndex();
    following_ = false;
}

int TDataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int TDataSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant TDataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size() || index.column() >= columns_.size())
        return {};
    const TColumn& c = columns_[index.column()];
    if (c.Lookup)
        return role == Qt::DisplayRole ? QVariant(c.Lookup(index.row())) : QVariant();
    const QString v = Value(index.row(), c.Field);
    if (c.Check) {
        if (role == Qt::CheckStateRole)
            return v == QLatin1String("X") ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return v;
    return {};
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columns_[section].Title;
    if (role == FieldNameRole)
        return columns_[section].Field;
    return {};
}

Qt::ItemFlags TDataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.column() >= columns_.size())
        return f;
    const TColumn& c = columns_[index.column()];
    if (c.Check)
        f |= Qt::ItemIsUserCheckable;
    else if (c.Editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool TDataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!ds_ || !index.isValid() || index.row() >= rows_.size() || index.column() >= columns_.size())
        return false;
    const TColumn& c = columns_[index.column()];
    QString neu;
    if (c.Check && role == Qt::CheckStateRole)
        neu = value.toInt() == Qt::Checked ? QStringLiteral("X") : QString();
    else if (!c.Check && c.Editable && role == Qt::EditRole)
        neu = value.toString();
    else
        return false;

    const int row = index.row();
    bool ok = Host::Guard([&] {
        if (OnWrite && OnWrite(row, c.Field, neu))
            return;
        MoveTo(row);
        ds_->Edit();
        ds_->FieldByName(c.Field)->SetAsString(neu);
        ds_->Post();
    });
    if (!ok) {
        if (ds_->State() == Ado::dsEdit)
            ds_->Cancel();
        return false;
    }
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(c.Field, Qt::CaseInsensitive) == 0)
            rows_[row][i] = neu;
    Q_EMIT dataChanged(index, index, {role, Qt::DisplayRole});
    Q_EMIT Posted(row, c.Field);
    return true;
}

} // namespace Vcl
