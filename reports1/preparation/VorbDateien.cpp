#include "reports1/preparation/VorbDateien.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/ReportUtil.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace VorbDateien {

namespace {

QString vereinVon(const QString& zeile) { return zeile.left(zeile.indexOf(';')); }

} // namespace

int VereinsEintraege(const QString& Ordner)
{
    Datamod::PDFStringList.Clear();
    QSet<QString> vereine;
    auto q = Datamod::DataModule1()->DynQuery("SELECT VereinNr\r\nFROM EVEREIN", Ado::clUseServer, Ado::ltReadOnly);
    for (q->First(); !q->Eof(); q->Next())
        vereine.insert(q->FieldByName("VereinNr")->AsString());
    const QDir dir(Ordner);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                             QDir::Name))
        if (vereine.contains(name))
            Datamod::PDFStringList.AddObject(dir.filePath(name), std::make_unique<Datamod::TDisziplin>(name));
    return Datamod::PDFStringList.Count();
}

QStringList PasswortZeilen(const QString& Datei)
{
    QFile f(Datei);
    if (!f.open(QIODevice::ReadOnly))
        throw EHostFehler("Die Passwortdatei " + Datei + " kann nicht gelesen werden.");
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QStringDecoder("windows-1252").decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList zeilen;
    for (QString z : text.split('\n')) {
        if (z.endsWith('\r'))
            z.chop(1);
        if (z.contains(';'))
            zeilen << z;
    }
    std::stable_sort(zeilen.begin(), zeilen.end(),
                     [](const QString& a, const QString& b) { return vereinVon(a) < vereinVon(b); });
    return zeilen;
}

QHash<QString, QString> Zuordnen(const QStringList& Vereine, const QStringList& Zeilen)
{
    QHash<QString, QString> out;
    qsizetype ab = 0;
    for (const QString& verein : Vereine) {
        for (qsizetype i = ab; i < Zeilen.size(); ++i) {
            if (vereinVon(Zeilen[i]) == verein) {
                out.insert(verein, Zeilen[i].mid(Zeilen[i].indexOf(';') + 1, 99));
                ab = i + 1;
                break;
            }
        }
    }
    return out;
}

void PasswortPrint(Report::TBaseReport& Report, const QString& Passwort)
{
    Report.SetFont("Arial", 12);
    Report.SetBold(false);
    Report.PrintLeft("Das Passwort für Ihren Verein lautet:", Report.SectionLeft());
    Report.NewLine();
    Report.NewLine();
    Report.SetBold(true);
    // Up to 99 characters: a long one in a size that fits the line.
    Report.SetFontSize(Reportutil::FontSizeToFit(Report, Passwort, Report.SectionRight() - Report.SectionLeft()));
    Report.PrintLeft(Passwort, Report.SectionLeft());
    Report.SetBold(false);
}

} // namespace VorbDateien
