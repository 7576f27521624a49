#pragma once
// A query on a connection: the dataset the jobs get from DynQuery.

#include "platform/ado/AdoDataSet.h"

#include <memory>

class QSqlQuery;

namespace Ado {

// A query on a connection (the default connection unless one is given).
// Writable when its fields come from one table whose primary key columns
// are among them and the lock type is not ltReadOnly.
class TADOQuery : public TDataSet {
public:
    explicit TADOQuery(TADOConnection* connection = nullptr);
    ~TADOQuery() override;
    void SetConnection(TADOConnection* c) { connection_ = c; }
    TADOConnection* Connection() const;
    void SetCursorLocation(TCursorLocation l) { cursor_ = l; }
    TCursorLocation CursorLocation() const { return cursor_; }
    void SetLockType(TLockType l) { lock_ = l; }
    TLockType LockType() const { return lock_; }
    // The table the dataset writes to; empty when it cannot be written.
    QString UpdateTable() const { return updateTable_; }

protected:
    void DoOpen(std::vector<FieldDef>& defs, QVector<Row>& rows) override;
    void DoPostEdit(const Row& before, Row& row, const QVector<bool>& modified) override;
    void DoPostInsert(Row& row, const QVector<bool>& modified) override;
    void DoDelete(const Row& row) override;
    bool DoCanModify() const override;
    void FindUpdateTable(const std::vector<FieldDef>& defs);

private:
    QString KeyCondition(const Row& row, QVariantList& values) const;
    void TakeReturnedRow(QSqlQuery& q, Row& row) const;

    TADOConnection* connection_;
    TCursorLocation cursor_ = clUseServer;
    TLockType lock_ = ltUnspecified;
    QString updateTable_;
    std::vector<int> keyFields_;    // field indexes of the primary key
    // The statement as last prepared, kept for reopening with new values.
    std::unique_ptr<QSqlQuery> prepared_;
    TADOConnection* preparedConnection_ = nullptr;
    QString preparedText_;
};

} // namespace Ado
