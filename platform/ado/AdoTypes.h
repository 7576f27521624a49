#pragma once
// The kinds and states the data layer's classes share.

namespace Ado {

enum TCursorLocation { clUseClient, clUseServer };
enum TLockType { ltUnspecified, ltReadOnly, ltPessimistic, ltOptimistic, ltBatchOptimistic };
enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
enum TFieldType { ftUnknown, ftString, ftInteger, ftFloat, ftDate, ftTime, ftDateTime, ftBlob };
enum TEngine { engSQLite, engPostgreSQL };
enum TSeekOption { soFirstEQ, soLastEQ, soAfterEQ, soAfter, soBeforeEQ, soBefore };

class TDataSet;
class TADOConnection;
class TADOQuery;
class TADOTable;
class TClientDataSet;

} // namespace Ado
