#pragma once
// An in-memory dataset with index definitions.

#include "platform/ado/AdoDataSet.h"

namespace Ado {

// An in-memory dataset. Open fills it from its SQL (on the default connection
// unless one is given); CreateDataSet makes it empty with the fields of the
// SQL's result, of a template dataset, or of the fields added by AddField.
// Index definitions order the rows: after SetIndexName the rows stay in that
// order, also after Insert/Append/Edit + Post.
class TClientDataSet : public TDataSet {
public:
    explicit TClientDataSet(TADOConnection* connection = nullptr);
    ~TClientDataSet() override;
    void SetConnection(TADOConnection* c) { connection_ = c; }
    void SetReadOnly(bool ro) { readOnly_ = ro; }

    void AddField(const QString& name, TFieldType type);
    void CreateDataSet();
    void CreateDataSet(TDataSet& templ);
    void EmptyDataSet();

    void ClearIndexDefs();
    // fields and descFields: "A;B;C"; the fields in descFields sort descending.
    void AddIndexDef(const QString& name, const QString& fields, const QString& descFields);
    void SetIndexName(const QString& name);
    QString IndexName() const { return indexName_; }

protected:
    void DoOpen(std::vector<FieldDef>& defs, QVector<Row>& rows) override;
    void DoPostEdit(const Row&, Row&, const QVector<bool>&) override {}
    void DoPostInsert(Row&, const QVector<bool>&) override {}
    void DoDelete(const Row&) override {}
    bool DoCanModify() const override { return !readOnly_; }
    const std::vector<std::pair<int, bool>>* SortKeys() const override;
    void FieldsReady() override { ApplyIndex(); }

private:
    struct IndexDef { QString name, fields, descFields; };
    void ApplyIndex();

    TADOConnection* connection_;
    bool readOnly_ = false;
    bool creating_ = false;
    std::vector<FieldDef> pending_;
    std::vector<IndexDef> indexDefs_;
    QString indexName_;
    std::vector<std::pair<int, bool>> keys_;
    bool hasKeys_ = false;
};

} // namespace Ado
