#include "platform/host/Schtools.h"

#include "platform/host/HostUi.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>

namespace Schtools {

QString VersionsText() { return QStringLiteral("Reports 1.0"); }

QString FeldErmitteln(const QString& S, int& Pos, QChar Separator)
{
    if (Pos < 1)
        Pos = 1;
    const int start = Pos - 1;
    if (start >= S.size()) {
        Pos = int(S.size()) + 2;
        return {};
    }
    int end = int(S.indexOf(Separator, start));
    if (end < 0) {
        Pos = int(S.size()) + 2;
        return S.mid(start);
    }
    Pos = end + 2;
    return S.mid(start, end - start);
}

QString Format31(double Wert)
{
    return QString::number(Wert, 'f', 1).replace('.', ',');
}

QString ErgebnisStr(double Wert, bool Zehntel)
{
    if (Zehntel)
        return Format31(Wert);
    const double r = std::round(Wert);
    if (std::fabs(Wert - r) < 1e-6)
        return QString::number(qint64(r));
    return Format31(Wert);
}

QString FromSerienFormat(const QString& Serien)
{
    QStringList parts;
    // Only trailing blanks go: a leading one belongs to the first series.
    QString s = Serien;
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    for (int i = 0; i + 3 <= s.size(); i += 3) {
        bool ok = false;
        int v = s.mid(i, 3).toInt(&ok);
        parts << (ok ? QString::number(v) : s.mid(i, 3).trimmed());
    }
    return parts.join('|');
}

QStringList SerienToStrings(const QString& Text, const QString& Separator)
{
    if (Text.isEmpty())
        return {};
    return Text.split(Separator);
}

namespace {
bool shadeOn = false;
bool rtfOrdnerGewaehlt = false;
} // namespace

void ResetTabShade() { shadeOn = false; }

void TabShadeSetzen(Report::TBaseReport& Report, bool An, int Wert)
{
    if (!An)
        return;
    shadeOn = !shadeOn;
    Report.SetTabShade(shadeOn ? Wert : 0);
}

QString VeranstaltungsartKuerzel(int Ebene)
{
    static const char* const kuerzel[] = {"VM", "KM", "BM", "LM"};
    return Ebene >= 0 && Ebene < 4 ? QString::fromLatin1(kuerzel[Ebene]) : QString();
}

QString LaufwerkHolen(const QString& Prompt, const QString& Vorgabe)
{
    return Host::ui().chooseFolder(Prompt, Vorgabe);
}

void RTFAuswahl(Report::TRTFFiler& Filer, const QString& DefaultName, const QString&, QString& Ordner)
{
    rtfOrdnerGewaehlt = !Ordner.isEmpty();
    const QString dir = rtfOrdnerGewaehlt ? Ordner : Qvpaths::DataFolder();
    QDir().mkpath(dir);
    Filer.SetFileName(QDir(dir).filePath(DefaultName));
}

bool RTFAuswahl() { return rtfOrdnerGewaehlt; }

void NameInFeldStellen(const QString& Eingabe, QString& Name, QString& Vorname)
{
    const QString s = Eingabe.simplified();
    const int comma = int(s.indexOf(','));
    if (comma >= 0) {
        Name = s.left(comma).trimmed();
        Vorname = s.mid(comma + 1).trimmed();
        return;
    }
    const int blank = int(s.lastIndexOf(' '));
    if (blank < 0) {
        Name = s;
        Vorname.clear();
        return;
    }
    Vorname = s.left(blank).trimmed();
    Name = s.mid(blank + 1).trimmed();
}

void PrintBmp(Report::TBaseReport& Report, const QString& Datei, double Breite, double Hoehe, double X, double Y)
{
    const QString path = QDir(Qvpaths::ProgramFolder()).filePath(Datei);
    if (Breite > 0 && Hoehe > 0 && QFileInfo::exists(path))
        Report.PrintBitmapRect(X, Y, X + Breite, Y + Hoehe, path);
}

bool AbsenderErmitteln(QStringList& Zeilen)
{
    Zeilen.clear();
    const auto s = [](const char* key) { return Qvsettings::GetString("Absender", key).trimmed(); };
    if (s("Name").isEmpty())
        return false;
    const auto add = [&](const QString& z) {
        if (!z.trimmed().isEmpty())
            Zeilen << z.trimmed();
    };
    add(s("Vorname") + " " + s("Name"));
    add(s("Strasse"));
    add(s("PLZ") + " " + s("Ort"));
    if (!s("Telefon").isEmpty())
        add("Tel.: " + (s("TVorwahl") + " " + s("Telefon")).trimmed());
    if (!s("Fax").isEmpty())
        add("Fax: " + (s("FVorwahl") + " " + s("Fax")).trimmed());
    if (!s("eMail").isEmpty())
        add("E-Mail: " + s("eMail"));
    return true;
}

QStringList FileToStrings(const QString& Datei)
{
    QFile f(Datei);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines;
    QTextStream in(&f);
    while (!in.atEnd())
        lines << in.readLine();
    return lines;
}

bool StringsToFile(const QStringList& Zeilen, const QString& Datei)
{
    QSaveFile f(Datei);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&f);
    for (const QString& z : Zeilen)
        out << z << "\n";
    out.flush();
    return f.commit();
}

} // namespace Schtools
