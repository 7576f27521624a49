#include "reports1/results/ErgebVeroeffentlichen.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/results/ErgebGesamt.h"
#include "reports1/results/ErgebRangfolge.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>

namespace ErgebVeroeffentlichen {

namespace {

// A report that keeps its pages and writes nothing: the pages become HTML
// here, so that each file can be written the way this unit writes them.
class TSeiten : public Report::TReportComponent {
public:
    using Report::TReportComponent::TReportComponent;

protected:
    bool writeOutput(const Report::TReportDocument&) override { return true; }
};

QString html(const QString& s) { return s.toHtmlEscaped(); }

QByteArray index(const QString& titel, const QVector<QPair<QString, QString>>& gruppen)
{
    QString s = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>"
                + html(titel)
                + "</title>\n<style>\nbody { font-family: Arial, 'Liberation Sans', sans-serif; font-size: 11pt; }\n"
                  "li { margin: 0.3em 0; }\n</style>\n</head>\n<body>\n<h1>"
                + html(titel) + "</h1>\n<p>Stand: " + Qvclock::DatumText(Qvclock::Now().date()) + " "
                + Qvclock::ZeitKurz(Qvclock::Now().time()) + " Uhr</p>\n<ul>\n";
    for (const auto& [datei, text] : gruppen)
        s += "<li><a href=\"" + html(datei) + "\">" + html(text) + "</a></li>\n";
    if (gruppen.isEmpty())
        s += "<li>Es sind noch keine Ergebnisse vorhanden.</li>\n";
    s += "</ul>\n</body>\n</html>\n";
    return s.toUtf8();
}

} // namespace

QString GruppenDatei(int Ident, const QString& Disziplin, const QString& Klasse)
{
    static const QRegularExpression anderes("[^A-Za-z0-9]");
    return QString("%1-%2-%3.htm").arg(Ident).arg(QString(Disziplin).replace(anderes, "_"),
                                                  QString(Klasse).replace(anderes, "_"));
}

QByteArray Stand(int Ident)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    const QString id = QString::number(Ident);
    for (const QString& sql : {
             "SELECT Disziplin,EKlasse,MitglNr,VereinNr,Ergebnis,Finale,StechErg,Zusatz,Serien,MessErg,\r\n"
             "       Disqualifikation,Qual,Innenzehner,Zehner,Neuner,Achter,ErgZentel,MVereinNr,MDisziplin,MKlasse,MannschNr\r\n"
             "FROM ERGEBNIS\r\nWHERE Ident = " + id + "\r\nORDER BY Disziplin,EKlasse,MitglNr,VereinNr",
             "SELECT VereinNr,Disziplin,MKlasse,MannschNr,Ergebnis,Serie1,Serie2,Serie3,AnzMannsch,AnzMannschIst,Qual,Rangfolge\r\n"
             "FROM EMANNSCH\r\nWHERE Ident = " + id + "\r\nORDER BY VereinNr,Disziplin,MKlasse,MannschNr",
             "SELECT Disziplin,Name,Kennung,Zehntel FROM PDISZIPLIN WHERE Ident = " + id + " ORDER BY Disziplin",
             "SELECT Klasse,Name,Zusatz FROM PKLASSE WHERE Ident = " + id + " ORDER BY Klasse",
             "SELECT Disziplin,Klasse,AnzWertung,KennzE,KennzM,OlDisziGrp FROM PDISKLA WHERE Ident = " + id
                 + " ORDER BY Disziplin,Klasse",
             QString("SELECT MitglNr,Name,Vorname,Titel FROM EMITGLIED ORDER BY MitglNr"),
             QString("SELECT VereinNr,Name,Abkuerzung FROM EVEREIN ORDER BY VereinNr")}) {
        auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
        const int n = q->FieldCount();
        for (q->First(); !q->Eof(); q->Next()) {
            for (int i = 0; i < n; ++i) {
                h.addData(q->Field(i)->AsString().toUtf8());
                h.addData(QByteArrayView("\x1f", 1));
            }
            h.addData(QByteArrayView("\x1e", 1));
        }
        h.addData(QByteArrayView("\x1d", 1));
    }
    return h.result();
}

TVeroeffentlichung::TVeroeffentlichung(int Ident, const QString& Ordner) : ident_(Ident), ordner_(Ordner) {}

int TVeroeffentlichung::Durchgang()
{
    const QByteArray stand = Stand(ident_);
    if (stand == stand_)
        return 0;

    Datamod::DisziplinInfoVergessen();
    ErgebGesamt::TOptionen o;
    o.GesPlatz = Qvsettings::GetInteger("Speziell", "GesPlatz");
    o.Ueberschrift = true;
    o.Spaltenkoepfe = true;
    const QString schrift = Qvsettings::GetString("Allgemein", "FontGesamt").trimmed();
    if (!schrift.isEmpty())
        o.Schrift = schrift;
    ErgebRangfolge::TErgebDaten daten;
    daten.Wettkaempfe = {ident_};
    daten.AlleGruppen = true;
    const ErgebGesamt::TListe liste = ErgebGesamt::Sammeln(daten, o);
    Druckjob::Ende();

    // The pages of the groups first, the index that links them last.
    QVector<QPair<QString, QByteArray>> dateien;
    QVector<QPair<QString, QString>> verweise;
    for (const ErgebGesamt::TAbschnitt& a : liste.Abschnitte)
        for (const ErgebGesamt::TGruppe& g : a.Gruppen) {
            ErgebGesamt::TListe eine;
            eine.Ueberschrift = liste.Ueberschrift;
            eine.Abschnitte = {{a.Titel, {g}}};
            TSeiten seiten;
            seiten.SetTitle(g.Einzel.isEmpty() ? g.TitelM : g.TitelE);
            seiten.OnPrintHeader = [](Report::TBaseReport& r) { Druckjob::Kopf(r, true, 3); };
            seiten.OnPrint = [&](Report::TBaseReport& r) { ErgebGesamt::GesamtergebnisListe(r, eine, o); };
            seiten.Execute();
            const QString name = GruppenDatei(g.Ident, g.Disziplin, g.Klasse);
            dateien << qMakePair(name, Report::DocumentToHtml(seiten.Document()));
            verweise << qMakePair(name, g.Einzel.isEmpty() ? g.KennzahlM + " " + g.TitelM
                                                           : g.KennzahlE + " " + g.TitelE.trimmed());
        }
    dateien << qMakePair(QStringLiteral("index.html"), index(liste.Ueberschrift, verweise));

    QDir().mkpath(ordner_);
    dateien_.clear();
    for (const auto& [name, inhalt] : dateien) {
        const QString pfad = QDir(ordner_).filePath(name);
        QSaveFile f(pfad);
        if (!f.open(QIODevice::WriteOnly) || f.write(inhalt) != inhalt.size())
            throw EHostFehler(Report::DateiFehler(pfad, f));
        if (VorErsetzen && !VorErsetzen(pfad)) {
            f.cancelWriting();
            f.commit();
            return int(dateien_.size());
        }
        if (!f.commit())
            throw EHostFehler(Report::DateiFehler(pfad, f));
        dateien_ << pfad;
    }
    stand_ = stand;
    return int(dateien_.size());
}

void Laufen(TVeroeffentlichung& V, int IntervallMs, const std::atomic<bool>& Stop,
            const std::function<void(int)>& NachDurchgang)
{
    while (!Stop) {
        QElapsedTimer uhr;
        uhr.start();
        const int n = V.Durchgang();
        if (NachDurchgang)
            NachDurchgang(n);
        while (!Stop && uhr.elapsed() < IntervallMs)
            QThread::msleep(std::min<qint64>(100, std::max<qint64>(1, IntervallMs - uhr.elapsed())));
    }
}

} // namespace ErgebVeroeffentlichen
