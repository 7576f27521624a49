#include "platform/ado/AdoValues.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace Ado {

namespace {
const QDate kSerialBase(1899, 12, 30);
}

double DateTimeToSerial(const QDateTime& dt)
{
    if (!dt.isValid())
        return 0.0;
    double days = double(kSerialBase.daysTo(dt.date()));
    double frac = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days + frac;
}

QDateTime SerialToDateTime(double serial)
{
    double days = std::floor(serial);
    double frac = serial - days;
    QDate d = kSerialBase.addDays(qint64(days));
    QTime t = QTime::fromMSecsSinceStartOfDay(int(std::lround(frac * 86400000.0)) % 86400000);
    return QDateTime(d, t);
}

QDate ParseGermanDate(const QString& text)
{
    const QString s = text.trimmed();
    static const QRegularExpression german(R"(^(\d{1,2})\.(\d{1,2})\.(\d{2}|\d{4})(?:\s.*)?$)");
    auto m = german.match(s);
    if (m.hasMatch()) {
        int y = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            y += (y < 50) ? 2000 : 1900; // two-digit years as the host's short format writes them
        return QDate(y, m.captured(2).toInt(), m.captured(1).toInt());
    }
    return detail::ParseIsoDate(s);
}

namespace detail {

TFieldType TypeFromDeclared(const QString& declared)
{
    const QString t = declared.trimmed().toUpper();
    if (t.isEmpty())
        return ftUnknown;
    if (t.contains("INT") || t == "SERIAL" || t == "BIGSERIAL")
        return ftInteger;
    if (t.contains("DATETIME") || t.contains("TIMESTAMP"))
        return ftDateTime;
    if (t.startsWith("DATE"))
        return ftDate;
    if (t.startsWith("TIME"))
        return ftTime;
    if (t.contains("REAL") || t.contains("FLOA") || t.contains("DOUB") || t.contains("NUMERIC")
        || t.contains("DECIMAL") || t.contains("CURRENCY") || t.contains("MONEY"))
        return ftFloat;
    if (t.contains("BLOB") || t.contains("BYTEA"))
        return ftBlob;
    return ftString;
}

bool IsNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

bool IsNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

TFieldType TypeOfValue(const QVariant& v)
{
    if (IsNull(v))
        return ftUnknown;
    switch (v.typeId()) {
    case QMetaType::Double: case QMetaType::Float:
        return ftFloat;
    case QMetaType::QDate:
        return ftDate;
    case QMetaType::QTime:
        return ftTime;
    case QMetaType::QDateTime:
        return ftDateTime;
    case QMetaType::QByteArray:
        return ftBlob;
    case QMetaType::QString:
        return ftString;
    default:
        return IsNumber(v) ? ftInteger : ftString;
    }
}

TFieldType MergeTypes(TFieldType a, TFieldType b)
{
    if (a == ftUnknown)
        return b;
    if (b == ftUnknown || a == b)
        return a;
    if ((a == ftInteger && b == ftFloat) || (a == ftFloat && b == ftInteger))
        return ftFloat;
    return ftString;
}

namespace {

// The number of the count digits at pos, -1 when one of them is no digit.
int digitsAt(QStringView s, qsizetype pos, int count)
{
    if (pos + count > s.size())
        return -1;
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = s[pos + i];
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

} // namespace

QDate ParseIsoDate(const QString& s)
{
    // Dates as the database stores them are read without the general parser.
    const int y = digitsAt(s, 0, 4), m = digitsAt(s, 5, 2), d = digitsAt(s, 8, 2);
    if (y >= 0 && m >= 0 && d >= 0 && s[4] == '-' && s[7] == '-')
        return QDate(y, m, d);
    return QDate::fromString(s.left(10), "yyyy-MM-dd");
}

QTime ParseTime(const QString& s)
{
    QString t = s.trimmed();
    // "1899-12-30 08:00:00" and ISO date-times carry the time after the date.
    if (t.size() > 10 && (t[10] == ' ' || t[10] == 'T') && t[4] == '-')
        t = t.mid(11);
    // "HH:mm:ss" and "HH:mm", as the database stores times, without the
    // general parser.
    const int h = digitsAt(t, 0, 2), mi = digitsAt(t, 3, 2);
    if (h >= 0 && mi >= 0 && t[2] == ':') {
        if (t.size() == 5)
            return QTime(h, mi);
        const int sec = digitsAt(t, 6, 2);
        if (t.size() == 8 && t[5] == ':' && sec >= 0)
            return QTime(h, mi, sec);
    }
    for (const char* f : {"HH:mm:ss.zzz", "HH:mm:ss", "HH:mm", "H:mm:ss", "H:mm"}) {
        QTime r = QTime::fromString(t, f);
        if (r.isValid())
            return r;
    }
    return {};
}

QDateTime ParseDateTime(const QString& s)
{
    const QString t = s.trimmed();
    QDate d = ParseIsoDate(t);
    if (d.isValid()) {
        QTime tm = t.size() > 10 ? ParseTime(t) : QTime(0, 0);
        return QDateTime(d, tm.isValid() ? tm : QTime(0, 0));
    }
    d = ParseGermanDate(t);
    if (d.isValid()) {
        int sp = t.indexOf(' ');
        QTime tm = sp > 0 ? ParseTime(t.mid(sp + 1)) : QTime(0, 0);
        return QDateTime(d, tm.isValid() ? tm : QTime(0, 0));
    }
    QTime tm = ParseTime(t);
    if (tm.isValid())
        return QDateTime(kSerialBase, tm);
    return {};
}

QVariant FromDatabase(const QVariant& v, TFieldType type)
{
    if (IsNull(v))
        return QVariant();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        switch (type) {
        case ftDate: {
            QDate d = ParseIsoDate(s);
            return d.isValid() ? QVariant(d) : v;
        }
        case ftTime: {
            QTime t = ParseTime(s);
            return t.isValid() ? QVariant(t) : v;
        }
        case ftDateTime: {
            QDateTime dt = ParseDateTime(s);
            return dt.isValid() ? QVariant(dt) : v;
        }
        default:
            return v;
        }
    }
    if (type == ftDate && v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return v;
}

namespace {
bool ParseNumber(const QString& text, double* out)
{
    QString s = text.trimmed();
    if (s.isEmpty())
        return false;
    bool ok = false;
    double d = s.toDouble(&ok);
    if (!ok && s.contains(',') && !s.contains('.')) {
        d = QString(s).replace(',', '.').toDouble(&ok);
    }
    if (ok)
        *out = d;
    return ok;
}
} // namespace

QVariant ForField(const QVariant& v, TFieldType type)
{
    if (IsNull(v))
        return QVariant();
    switch (type) {
    case ftString:
        if (IsNumber(v) || v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QTime
            || v.typeId() == QMetaType::QDateTime)
            return ToText(v, TypeOfValue(v));
        return v;
    case ftInteger:
    case ftFloat:
        if (v.typeId() == QMetaType::QString) {
            double d = 0;
            if (!ParseNumber(v.toString(), &d))
                return v;
            if (type == ftInteger && d == std::floor(d) && std::fabs(d) < 9.0e15)
                return QVariant(qlonglong(d));
            return QVariant(d);
        }
        if (v.typeId() == QMetaType::Bool)
            return QVariant(v.toBool() ? 1 : 0);
        return v;
    case ftDate:
    case ftTime:
    case ftDateTime: {
        QDateTime dt = ToDateTime(v);
        if (!dt.isValid())
            return v;
        if (type == ftDate)
            return dt.date();
        if (type == ftTime)
            return dt.time();
        return dt;
    }
    default:
        return v;
    }
}

QString ToText(const QVariant& v, TFieldType type)
{
    if (IsNull(v))
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        double d = v.toDouble();
        if (type == ftDate || type == ftTime || type == ftDateTime)
            return ToText(ForField(v, type), type);
        QString s = QString::number(d, 'g', 15);
        if (s.contains('e') || s.contains('E'))
            s = QString::number(d, 'f', 6);
        if (s.contains('.')) {
            while (s.endsWith('0'))
                s.chop(1);
            if (s.endsWith('.'))
                s.chop(1);
        }
        return s.replace('.', ',');
    }
    case QMetaType::QDate:
        return v.toDate().toString("dd.MM.yyyy");
    case QMetaType::QTime:
        return v.toTime().toString("HH:mm:ss");
    case QMetaType::QDateTime: {
        QDateTime dt = v.toDateTime();
        if (type == ftDate)
            return dt.date().toString("dd.MM.yyyy");
        if (type == ftTime)
            return dt.time().toString("HH:mm:ss");
        if (dt.time() == QTime(0, 0))
            return dt.date().toString("dd.MM.yyyy");
        return dt.toString("dd.MM.yyyy HH:mm:ss");
    }
    case QMetaType::Bool:
        return v.toBool() ? "True" : "False";
    default:
        if (IsNumber(v) && (type == ftDate || type == ftTime || type == ftDateTime))
            return ToText(ForField(v, type), type);
        return v.toString();
    }
}

double ToDouble(const QVariant& v, bool* ok)
{
    bool dummy = false;
    bool& good = ok ? *ok : dummy;
    good = false;
    if (IsNull(v))
        return 0.0;
    switch (v.typeId()) {
    case QMetaType::QDate:
        good = true;
        return DateTimeToSerial(QDateTime(v.toDate(), QTime(0, 0)));
    case QMetaType::QTime:
        good = true;
        return DateTimeToSerial(QDateTime(kSerialBase, v.toTime()));
    case QMetaType::QDateTime:
        good = true;
        return DateTimeToSerial(v.toDateTime());
    case QMetaType::QString: {
        double d = 0;
        good = ParseNumber(v.toString(), &d);
        return good ? d : 0.0;
    }
    default:
        if (IsNumber(v)) {
            good = true;
            return v.toDouble();
        }
        return 0.0;
    }
}

QDateTime ToDateTime(const QVariant& v)
{
    if (IsNull(v))
        return {};
    switch (v.typeId()) {
    case QMetaType::QDate:
        return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(kSerialBase, v.toTime());
    case QMetaType::QDateTime:
        return v.toDateTime();
    case QMetaType::QString:
        return ParseDateTime(v.toString());
    default:
        if (IsNumber(v))
            return SerialToDateTime(v.toDouble());
        return {};
    }
}

int Compare(const QVariant& a, const QVariant& b, bool caseInsensitive)
{
    const bool na = IsNull(a), nb = IsNull(b);
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    const bool dateA = a.typeId() == QMetaType::QDate || a.typeId() == QMetaType::QTime
        || a.typeId() == QMetaType::QDateTime;
    const bool dateB = b.typeId() == QMetaType::QDate || b.typeId() == QMetaType::QTime
        || b.typeId() == QMetaType::QDateTime;
    if ((IsNumber(a) || dateA) && (IsNumber(b) || dateB)) {
        double x = ToDouble(a), y = ToDouble(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (IsNumber(a) || IsNumber(b)) {
        bool okA = false, okB = false;
        double x = ToDouble(a, &okA), y = ToDouble(b, &okB);
        if (okA && okB)
            return x < y ? -1 : (x > y ? 1 : 0);
    }
    const QString sa = ToText(a, TypeOfValue(a)), sb = ToText(b, TypeOfValue(b));
    int c = QString::compare(sa, sb, caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace detail
} // namespace Ado
