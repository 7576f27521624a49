#pragma once
// Filter expressions of datasets, compiled against the dataset's fields.
// Internal to the data layer.

#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

namespace Ado::detail {

class FilterExpr {
public:
    virtual ~FilterExpr() = default;
    virtual bool Matches(const QVector<QVariant>& row) const = 0;
};

// Parses the expression; field names are resolved with fieldIndex (-1 when
// unknown). Throws EDatenfehler naming the problem.
std::unique_ptr<FilterExpr> ParseFilter(const QString& text,
                                        const std::function<int(const QString&)>& fieldIndex);

} // namespace Ado::detail
