// Fields and the dataset core: parameters, rows in memory, navigation,
// filter, Locate, editing.

#include "platform/ado/Ado.h"
#include "platform/ado/AdoError.h"
#include "platform/ado/AdoFilter.h"
#include "platform/ado/AdoValues.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Ado {

using namespace detail;

// ---------------------------------------------------------------- TField

TField::TField(TDataSet* ds, int index, QString name, TFieldType type, QString baseTable, QString baseColumn)
    : ds_(ds), index_(index), name_(std::move(name)), type_(type),
      baseTable_(std::move(baseTable)), baseColumn_(std::move(baseColumn))
{
}

QVariant TField::Value() const { return ds_->CurrentValue(index_); }
bool TField::IsNull() const { return detail::IsNull(Value()); }
QString TField::AsString() const { return ToText(Value(), type_); }

int TField::AsInteger() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        return int(v.toLongLong());
    return int(std::lround(ToDouble(v)));
}

double TField::AsFloat() const { return ToDouble(Value()); }
double TField::AsCurrency() const { return std::round(AsFloat() * 10000.0) / 10000.0; }
QDateTime TField::AsDateTime() const { return ToDateTime(Value()); }

bool TField::AsBoolean() const
{
    const QVariant v = Value();
    if (detail::IsNull(v))
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toUpper();
        return s == "J" || s == "X" || s == "Y" || s == "T" || s == "TRUE" || s == "1";
    }
    return ToDouble(v) != 0.0;
}

void TField::SetValue(const QVariant& v) { ds_->SetCurrentValue(index_, ForField(v, type_)); }

// ---------------------------------------------------------------- filter

struct TDataSet::FilterNode {
    std::unique_ptr<FilterExpr> expr;
};

// ---------------------------------------------------------------- TDataSet

TDataSet::TDataSet() = default;
TDataSet::~TDataSet() = default;

namespace {

// Finds ":Name" outside quoted literals; returns (name, start, length).
struct ParamUse { QString name; qsizetype start, length; };

QList<ParamUse> scanParams(const QString& sql)
{
    QList<ParamUse> uses;
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
            continue;
        }
        if (c != ':')
            continue;
        if (i > 0 && (sql[i - 1] == ':' || sql[i - 1].isLetterOrNumber()))
            continue;
        qsizetype j = i + 1;
        if (j >= sql.size() || !(sql[j].isLetter() || sql[j] == '_'))
            continue;
        while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == '_'))
            ++j;
        uses.append({sql.mid(i + 1, j - i - 1), i, j - i});
        i = j - 1;
    }
    return uses;
}

} // namespace

void TDataSet::SetSQL(const QString& sql)
{
    Close();
    sql_ = sql;
    const QList<ParamUse> uses = scanParams(sql);
    std::vector<std::unique_ptr<TParameter>> params;
    paramUses_.clear();
    QString bound;
    qsizetype last = 0;
    for (const ParamUse& u : uses) {
        int idx = -1;
        for (size_t k = 0; k < params.size(); ++k)
            if (params[k]->Name().compare(u.name, Qt::CaseInsensitive) == 0)
                idx = int(k);
        if (idx < 0) {
            std::unique_ptr<TParameter> p;
            for (auto& old : params_)
                if (old && old->Name().compare(u.name, Qt::CaseInsensitive) == 0)
                    p = std::move(old);
            if (!p)
                p = std::make_unique<TParameter>(u.name);
            params.push_back(std::move(p));
            idx = int(params.size()) - 1;
        }
        paramUses_.push_back(idx);
        bound += sql.mid(last, u.start - last) + "?";
        last = u.start + u.length;
    }
    bound += sql.mid(last);
    boundText_ = bound;
    params_ = std::move(params);
}

TParameter* TDataSet::FindParam(const QString& name)
{
    for (auto& p : params_)
        if (p->Name().compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TParameter* TDataSet::ParamByName(const QString& name)
{
    if (TParameter* p = FindParam(name))
        return p;
    throw EDatenfehler(QString("Parameter '%1' nicht gefunden").arg(name));
}

QString TDataSet::BoundText(QVariantList& values) const
{
    values.clear();
    for (int idx : paramUses_) {
        const TParameter* p = params_.at(size_t(idx)).get();
        if (!p->Assigned())
            throw EDatenfehler(QString("Parameter '%1' hat keinen Wert").arg(p->Name()));
        values << p->Value();
    }
    return boundText_;
}

void TDataSet::SetFieldsFromDefs(const std::vector<FieldDef>& defs)
{
    bool same = defs.size() == fields_.size();
    for (size_t i = 0; same && i < defs.size(); ++i)
        same = fields_[i]->name_ == defs[i].name;
    if (!same) {
        fields_.clear();
        for (size_t i = 0; i < defs.size(); ++i)
            fields_.push_back(std::unique_ptr<TField>(
                new TField(this, int(i), defs[i].name, defs[i].type, defs[i].baseTable, defs[i].baseColumn)));
    } else {
        for (size_t i = 0; i < defs.size(); ++i) {
            fields_[i]->type_ = defs[i].type;
            fields_[i]->baseTable_ = defs[i].baseTable;
            fields_[i]->baseColumn_ = defs[i].baseColumn;
        }
    }
    spelledIndex_.clear();
}

void TDataSet::Open()
{
    if (active_)
        return;
    std::vector<FieldDef> defs;
    QVector<Row> rows;
    DoOpen(defs, rows);
    SetFieldsFromDefs(defs);
    rows_ = std::move(rows);
    active_ = true;
    state_ = dsBrowse;
    FieldsReady();
    CompileFilter();
    Resort();
    RebuildVisible();
    cur_ = visible_.isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = visible_.isEmpty();
}

void TDataSet::Close()
{
    if (!active_)
        return;
    if (state_ == dsEdit || state_ == dsInsert)
        Cancel();
    rows_.clear();
    visible_.clear();
    cur_ = -1;
    eof_ = bof_ = true;
    active_ = false;
    state_ = dsInactive;
}

void TDataSet::Requery()
{
    Close();
    Open();
}

void TDataSet::CheckActive() const
{
    if (!active_)
        throw EDatenfehler("Die Datenmenge ist nicht geöffnet");
}

void TDataSet::CheckBrowseMode()
{
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
}

int TDataSet::RecordCount() const { return active_ ? int(visible_.size()) : 0; }
int TDataSet::RecNo() const { return (active_ && cur_ >= 0) ? cur_ + 1 : 0; }

void TDataSet::SetRecNo(int recNo)
{
    CheckActive();
    CheckBrowseMode();
    if (visible_.isEmpty())
        return;
    cur_ = std::clamp(recNo, 1, int(visible_.size())) - 1;
    eof_ = bof_ = false;
}

void TDataSet::First()
{
    CheckActive();
    CheckBrowseMode();
    cur_ = visible_.isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = visible_.isEmpty();
}

void TDataSet::Last()
{
    CheckActive();
    CheckBrowseMode();
    cur_ = int(visible_.size()) - 1;
    eof_ = true;
    bof_ = visible_.isEmpty();
}

void TDataSet::Next()
{
    CheckActive();
    CheckBrowseMode();
    if (cur_ + 1 < visible_.size()) {
        ++cur_;
        bof_ = false;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

void TDataSet::Prior()
{
    CheckActive();
    CheckBrowseMode();
    if (cur_ > 0) {
        --cur_;
        eof_ = false;
        bof_ = false;
    } else {
        bof_ = true;
    }
}

TField* TDataSet::FindField(const QString& name)
{
    // Jobs ask for the same few names row after row, spelled as in their
    // code: those are found without folding the case each time.
    auto s = spelledIndex_.constFind(name);
    if (s == spelledIndex_.constEnd()) {
        // The first field of that name, whatever its case.
        int found = -1;
        for (size_t i = 0; i < fields_.size() && found < 0; ++i)
            if (fields_[i]->name_.compare(name, Qt::CaseInsensitive) == 0)
                found = int(i);
        s = spelledIndex_.insert(name, found);
    }
    return *s < 0 ? nullptr : fields_[size_t(*s)].get();
}

TField* TDataSet::FieldByName(const QString& name)
{
    if (TField* f = FindField(name))
        return f;
    throw EDatenfehler(QString("Feld '%1' nicht gefunden").arg(name));
}

TField* TDataSet::Field(int i)
{
    if (i < 0 || i >= int(fields_.size()))
        throw EDatenfehler(QString("Feld Nummer %1 nicht vorhanden").arg(i));
    return fields_[size_t(i)].get();
}

QStringList TDataSet::FieldNames() const
{
    QStringList names;
    for (const auto& f : fields_)
        names << f->name_;
    return names;
}

const TDataSet::Row* TDataSet::CurrentRow() const
{
    if (state_ == dsEdit || state_ == dsInsert)
        return &buffer_;
    if (!active_ || cur_ < 0 || cur_ >= visible_.size())
        return nullptr;
    return &rows_[visible_[cur_]];
}

QVariant TDataSet::CurrentValue(int field) const
{
    const Row* r = CurrentRow();
    return r ? r->value(field) : QVariant();
}

void TDataSet::SetCurrentValue(int field, const QVariant& v)
{
    if (state_ != dsEdit && state_ != dsInsert)
        throw EDatenfehler(QString("Die Datenmenge ist nicht im Bearbeitungs- oder Einfügemodus (Feld '%1')")
                              .arg(fields_[size_t(field)]->name_));
    buffer_[field] = v;
    modified_[field] = true;
}

int TDataSet::CurrentRowIndex() const
{
    if (!active_ || cur_ < 0 || cur_ >= visible_.size())
        return -1;
    return visible_[cur_];
}

void TDataSet::SetCurrentRowIndex(int rowIndex)
{
    int pos = int(visible_.indexOf(rowIndex));
    if (pos >= 0) {
        cur_ = pos;
        eof_ = bof_ = false;
    }
}

std::vector<std::pair<int, bool>> TDataSet::ResolveKeyFields(const QString& fields, const QString& descFields) const
{
    std::vector<std::pair<int, bool>> keys;
    const QStringList desc = descFields.split(';', Qt::SkipEmptyParts);
    for (const QString& raw : fields.split(';', Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        int idx = -1;
        for (size_t i = 0; i < fields_.size(); ++i)
            if (fields_[i]->name_.compare(name, Qt::CaseInsensitive) == 0) {
                idx = int(i);
                break;
            }
        if (idx < 0)
            throw EDatenfehler(QString("Feld '%1' nicht gefunden").arg(name));
        bool d = std::any_of(desc.begin(), desc.end(),
                             [&](const QString& x) { return x.trimmed().compare(name, Qt::CaseInsensitive) == 0; });
        keys.emplace_back(idx, d);
    }
    return keys;
}

int TDataSet::CompareRows(const Row& a, const Row& b, const std::vector<std::pair<int, bool>>& keys)
{
    for (const auto& [idx, desc] : keys) {
        int c = detail::Compare(a.value(idx), b.value(idx));
        if (c != 0)
            return desc ? -c : c;
    }
    return 0;
}

int TDataSet::SortRows(int track)
{
    const auto* keys = SortKeys();
    if (!keys || keys->empty() || rows_.size() < 2)
        return track;
    QVector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return CompareRows(rows_[x], rows_[y], *keys) < 0; });
    QVector<Row> sorted;
    sorted.reserve(rows_.size());
    int newTrack = -1;
    for (int i = 0; i < order.size(); ++i) {
        if (order[i] == track)
            newTrack = i;
        sorted.append(std::move(rows_[order[i]]));
    }
    rows_ = std::move(sorted);
    return newTrack;
}

void TDataSet::Resort()
{
    const int track = SortRows(CurrentRowIndex());
    RebuildVisible();
    if (track >= 0)
        SetCurrentRowIndex(track);
}

bool TDataSet::RowVisible(const Row& row) const
{
    if (!filtered_ || !filter_ || !filter_->expr)
        return true;
    return filter_->expr->Matches(row);
}

void TDataSet::RebuildVisible()
{
    visible_.clear();
    visible_.reserve(rows_.size());
    for (int i = 0; i < rows_.size(); ++i)
        if (RowVisible(rows_[i]))
            visible_.append(i);
    if (cur_ >= visible_.size())
        cur_ = int(visible_.size()) - 1;
    if (cur_ < 0 && !visible_.isEmpty())
        cur_ = 0;
}

void TDataSet::CompileFilter()
{
    filter_.reset();
    if (filterText_.trimmed().isEmpty() || fields_.empty())
        return;
    auto node = std::make_shared<FilterNode>();
    node->expr = ParseFilter(filterText_, [this](const QString& name) {
        for (size_t i = 0; i < fields_.size(); ++i)
            if (fields_[i]->name_.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    });
    filter_ = std::move(node);
}

void TDataSet::SetFilter(const QString& expr)
{
    if (active_)
        CheckBrowseMode();
    // A filter that does not compile leaves the previous one in force.
    const QString old = std::exchange(filterText_, expr);
    auto zurueck = qScopeGuard([&] {
        filterText_ = old;
        CompileFilter();
    });
    if (active_)
        CompileFilter();
    zurueck.dismiss();
    if (active_ && filtered_) {
        RebuildVisible();
        First();
    }
}

void TDataSet::SetFiltered(bool on)
{
    if (active_)
        CheckBrowseMode();
    if (filtered_ == on)
        return;
    filtered_ = on;
    if (active_) {
        RebuildVisible();
        First();
    }
}

bool TDataSet::Locate(const QString& keyFields, const QVariantList& values, bool caseInsensitive, bool partialKey)
{
    CheckActive();
    CheckBrowseMode();
    const auto keys = ResolveKeyFields(keyFields, QString());
    if (int(keys.size()) != values.size())
        throw EDatenfehler(QString("Locate: %1 Felder, aber %2 Werte").arg(keys.size()).arg(values.size()));
    for (int pos = 0; pos < visible_.size(); ++pos) {
        const Row& row = rows_[visible_[pos]];
        bool match = true;
        for (size_t k = 0; match && k < keys.size(); ++k) {
            const QVariant fv = row.value(keys[k].first);
            const QVariant want = values[int(k)];
            if (detail::IsNull(want) || detail::IsNull(fv)) {
                match = detail::IsNull(want) && detail::IsNull(fv);
                continue;
            }
            if (partialKey && !IsNumber(want)) {
                const TFieldType t = fields_[size_t(keys[k].first)]->type_;
                match = ToText(fv, t).startsWith(ToText(want, TypeOfValue(want)),
                                                 caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
            } else {
                match = detail::Compare(fv, want, caseInsensitive) == 0;
            }
        }
        if (match) {
            cur_ = pos;
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

bool TDataSet::CanModify() const { return active_ && DoCanModify(); }

void TDataSet::DoPostEdit(const Row&, Row&, const QVector<bool>&) {}
void TDataSet::DoPostInsert(Row&, const QVector<bool>&) {}
void TDataSet::DoDelete(const Row&) {}

void TDataSet::StartInsert(bool append)
{
    CheckActive();
    CheckBrowseMode();
    if (!CanModify())
        throw EDatenfehler("Die Datenmenge kann nicht geändert werden");
    buffer_ = Row(int(fields_.size()));
    modified_ = QVector<bool>(int(fields_.size()), false);
    const int here = CurrentRowIndex();
    insertAt_ = (append || here < 0) ? int(rows_.size()) : here;
    editRow_ = -1;
    state_ = dsInsert;
    eof_ = bof_ = false;
}

void TDataSet::Insert() { StartInsert(false); }
void TDataSet::Append() { StartInsert(true); }

void TDataSet::Edit()
{
    CheckActive();
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    if (!CanModify())
        throw EDatenfehler("Die Datenmenge kann nicht geändert werden");
    const int row = CurrentRowIndex();
    if (row < 0) {
        Append();
        return;
    }
    buffer_ = rows_[row];
    modified_ = QVector<bool>(int(fields_.size()), false);
    editRow_ = row;
    state_ = dsEdit;
}

void TDataSet::Post()
{
    CheckActive();
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    int rowIndex;
    if (state_ == dsEdit) {
        DoPostEdit(rows_[editRow_], buffer_, modified_);
        rows_[editRow_] = buffer_;
        rowIndex = editRow_;
    } else {
        DoPostInsert(buffer_, modified_);
        rows_.insert(insertAt_, buffer_);
        rowIndex = insertAt_;
    }
    state_ = dsBrowse;
    buffer_.clear();
    editRow_ = insertAt_ = -1;
    // The posted record stays current in the index order, unless the
    // filter hides it now.
    rowIndex = SortRows(rowIndex);
    RebuildVisible();
    SetCurrentRowIndex(rowIndex);
    eof_ = bof_ = visible_.isEmpty();
}

void TDataSet::Cancel()
{
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    state_ = dsBrowse;
    buffer_.clear();
    editRow_ = insertAt_ = -1;
    eof_ = visible_.isEmpty();
}

void TDataSet::Delete()
{
    CheckActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (state_ == dsEdit)
        Cancel();
    const int row = CurrentRowIndex();
    if (row < 0)
        throw EDatenfehler("Kein Datensatz zum Löschen vorhanden");
    if (!CanModify())
        throw EDatenfehler("Die Datenmenge kann nicht geändert werden");
    DoDelete(rows_[row]);
    rows_.remove(row);
    const int keep = cur_;
    RebuildVisible();
    cur_ = visible_.isEmpty() ? -1 : std::min(keep, int(visible_.size()) - 1);
    eof_ = bof_ = visible_.isEmpty();
}

} // namespace Ado
