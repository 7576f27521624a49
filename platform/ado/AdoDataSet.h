#pragma once
// The base of every dataset.
//
// A dataset reads its rows into memory when it is opened: record count,
// navigation, Locate, filters and the orders of client datasets all work on
// those rows. Errors (SQL, missing field or parameter, editing a read-only
// dataset, a bad filter) are thrown as Ado::EDatenfehler with a German
// message.

#include "platform/ado/AdoField.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

namespace Ado {

// Base of every dataset.
class TDataSet {
public:
    TDataSet();
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    // The command text. Setting it closes the dataset; values of parameters
    // that keep their name are kept.
    void SetSQL(const QString& sql);
    QString SQL() const { return sql_; }
    // Parameters in order of first appearance; lookup is case-insensitive.
    TParameter* ParamByName(const QString& name);   // throws when missing
    TParameter* FindParam(const QString& name);     // nullptr when missing
    int ParamCount() const { return int(params_.size()); }
    TParameter* Param(int i) { return params_.at(size_t(i)).get(); }

    void Open();
    void Close();
    bool Active() const { return active_; }
    void Requery();                 // Close and Open with the same parameters
    TDataSetState State() const { return state_; }

    // Navigation over the visible records (those matching the filter).
    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecNo() const;              // 1-based; 0 when empty
    void SetRecNo(int recNo);
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }

    TField* FieldByName(const QString& name);       // throws naming the field when missing
    TField* FindField(const QString& name);         // nullptr when missing
    int FieldCount() const { return int(fields_.size()); }
    TField* Field(int i);
    QStringList FieldNames() const;

    // Moves to the first visible record whose fields ("A;B") equal the
    // values; the record stays where it was when none matches.
    bool Locate(const QString& keyFields, const QVariantList& values,
                bool caseInsensitive = false, bool partialKey = false);

    // Filter expressions: comparisons (=, <>, <, >, <=, >=, LIKE with % or *)
    // of fields with numbers, quoted strings ('..' or "..") or other fields,
    // IS [NOT] NULL, AND, OR, NOT and parentheses. Text compares without
    // regard to case; a field compares as a number when both sides are
    // numbers. Setting a filter moves to the first record.
    void SetFilter(const QString& expr);
    QString Filter() const { return filterText_; }
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }

    // Editing. Navigating or closing while editing posts, respectively cancels.
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    bool CanModify() const;

    // How a field is made: by Open from a result, or by AddField.
    struct FieldDef {
        QString name;
        TFieldType type = ftUnknown;
        QString baseTable, baseColumn;
    };

protected:
    using Row = QVector<QVariant>;

    // Subclasses produce the rows; called by Open.
    virtual void DoOpen(std::vector<FieldDef>& defs, QVector<Row>& rows) = 0;
    // Subclasses write a posted record back; row is updated in place with
    // what the database made of it (generated keys, defaults).
    virtual void DoPostEdit(const Row& before, Row& row, const QVector<bool>& modified);
    virtual void DoPostInsert(Row& row, const QVector<bool>& modified);
    virtual void DoDelete(const Row& row);
    virtual bool DoCanModify() const { return false; }
    // The current order of the rows (client dataset index, table index);
    // nullptr keeps the order rows were read in.
    virtual const std::vector<std::pair<int, bool>>* SortKeys() const { return nullptr; }

    // Called when the fields of a newly opened dataset exist.
    virtual void FieldsReady() {}

    void Resort();                   // apply SortKeys to the rows
    void CheckBrowseMode();          // posts a pending edit
    void CheckActive() const;
    const std::vector<std::unique_ptr<TField>>& Fields() const { return fields_; }
    QVector<Row>& Rows() { return rows_; }
    const QVector<int>& Visible() const { return visible_; }
    int CurrentRowIndex() const;     // index into Rows(), -1 when none
    void SetCurrentRowIndex(int rowIndex); // moves to that row if it is visible
    void SetFieldsFromDefs(const std::vector<FieldDef>& defs);
    // The statement with ":Name" replaced by "?" and the values to bind.
    QString BoundText(QVariantList& values) const;
    static int CompareRows(const Row& a, const Row& b, const std::vector<std::pair<int, bool>>& keys);
    std::vector<std::pair<int, bool>> ResolveKeyFields(const QString& fields, const QString& descFields) const;

private:
    friend class TField;
    const Row* CurrentRow() const;
    QVariant CurrentValue(int field) const;
    void SetCurrentValue(int field, const QVariant& v);
    void RebuildVisible();
    int SortRows(int track);         // returns the new index of row track
    bool RowVisible(const Row& row) const;
    void CompileFilter();
    void StartInsert(bool append);

    QString sql_;
    std::vector<std::unique_ptr<TParameter>> params_;
    std::vector<int> paramUses_;    // parameter index per "?" in the bound text
    QString boundText_;

    bool active_ = false;
    TDataSetState state_ = dsInactive;
    std::vector<std::unique_ptr<TField>> fields_;
    QHash<QString, int> spelledIndex_; // a name as asked for -> its field, -1 when none
    QVector<Row> rows_;
    QVector<int> visible_;
    int cur_ = -1;                  // index into visible_
    bool eof_ = true, bof_ = true;

    Row buffer_;                    // the record being edited or inserted
    QVector<bool> modified_;
    int editRow_ = -1;              // rows_ index being edited
    int insertAt_ = -1;             // rows_ index the new record goes to

    QString filterText_;
    bool filtered_ = false;
    struct FilterNode;
    std::shared_ptr<FilterNode> filter_;

};

} // namespace Ado
