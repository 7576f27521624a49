#pragma once
// A whole table opened with a named index for keyed access.

#include "platform/ado/AdoQuery.h"

namespace Ado {

// A whole table opened for keyed access, the way jobs open EMEDAILLE,
// ERGEBNIS and PSTARTG by their index "IDENTIFIKATION": the rows are kept in
// the order of the index, Seek finds a key (or its leading part) by binary
// search, and changes are written to the table. Index names are per table:
// "IDENTIFIKATION" of ERGEBNIS is the database index ERGEBNIS_IDENTIFIKATION.
// Without an index name the rows are in primary-key order.
class TADOTable : public TADOQuery {
public:
    explicit TADOTable(TADOConnection* connection = nullptr);
    void SetTableName(const QString& name);
    QString TableName() const { return table_; }
    void SetIndexName(const QString& name);
    QString IndexName() const { return index_; }
    QStringList IndexFieldNames() const { return indexFields_; }
    // Moves to the record found; false (record unchanged) when none.
    bool Seek(const QVariantList& keyValues, TSeekOption option = soFirstEQ);

protected:
    void DoOpen(std::vector<FieldDef>& defs, QVector<Row>& rows) override;
    const std::vector<std::pair<int, bool>>* SortKeys() const override;

private:
    QString table_, index_;
    QStringList indexFields_;
    std::vector<std::pair<int, bool>> keys_;
};

} // namespace Ado
