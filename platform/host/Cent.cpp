#include "platform/host/Cent.h"

#include "platform/host/Qvsettings.h"

#include <QRegularExpression>
#include <cmath>

namespace Cent {

namespace {

bool fehler(QString* Fehler, const QString& text)
{
    if (Fehler)
        *Fehler = text;
    return false;
}

} // namespace

bool Lesen(const QString& Text, qint64& Cents, QString* Fehler)
{
    Cents = 0;
    QString s = Text.trimmed();
    if (s.endsWith(QStringLiteral("€")))
        s = s.chopped(1).trimmed();
    if (s.isEmpty())
        return true;
    const QString anzeige = Text.trimmed();
    if (s.startsWith('-'))
        return fehler(Fehler, "Der Betrag " + anzeige + " darf nicht negativ sein.");

    // "1.234,50" (points group thousands), "19,99", "19.99", "25".
    static const QRegularExpression deutsch(QStringLiteral("^(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:,(\\d+))?$"));
    static const QRegularExpression punkt(QStringLiteral("^(\\d+)\\.(\\d{1,2})$"));
    QString ganz, bruch;
    if (auto m = punkt.match(s); m.hasMatch()) {
        ganz = m.captured(1);
        bruch = m.captured(2);
    } else if (auto d = deutsch.match(s); d.hasMatch()) {
        ganz = d.captured(1).remove('.');
        bruch = d.captured(2);
    } else {
        return fehler(Fehler, "Der Betrag " + anzeige + " ist keine gültige Zahl.");
    }
    if (bruch.size() > 2)
        return fehler(Fehler, "Der Betrag " + anzeige + " hat mehr als zwei Nachkommastellen.");
    while (ganz.size() > 1 && ganz.startsWith('0'))
        ganz.remove(0, 1);
    if (ganz.size() > 9)
        return fehler(Fehler, "Der Betrag " + anzeige + " ist größer als 999.999.999,99.");
    Cents = ganz.toLongLong() * 100 + bruch.leftJustified(2, '0').toLongLong();
    return true;
}

QString Text(qint64 Cents)
{
    const qint64 b = Cents < 0 ? -Cents : Cents;
    return QString("%1%2,%3").arg(Cents < 0 ? "-" : "").arg(b / 100).arg(b % 100, 2, 10, QChar('0'));
}

QString PunktText(qint64 Cents) { return Text(Cents).replace(',', '.'); }

QString Waehrung()
{
    const bool euro = Qvsettings::GetInteger("Speziell", "Waehrung") == 0;
    const QString w = Qvsettings::GetString("Speziell", euro ? "W1" : "W2").trimmed();
    return !w.isEmpty() ? w : euro ? QStringLiteral("Euro") : QStringLiteral("DM");
}

qint64 AusBetrag(double Betrag) { return std::llround(Betrag * 100.0); }

QString StartgeldText(qint64 Cents)
{
    if (Cents == 0)
        return {};
    return QString::number(Cents).rightJustified(10, '0');
}

bool AusStartgeld(const QString& Text, qint64& Cents)
{
    bool ok = false;
    Cents = Text.trimmed().toLongLong(&ok);
    if (!ok)
        Cents = 0;
    return ok;
}

} // namespace Cent
