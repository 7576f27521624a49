#include "reports1/frame/Udateiexporte.h"

#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/HostUi.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"

#include <QDate>
#include <QDir>
#include <QCursor>
#include <QGuiApplication>

namespace Udateiexporte {

using Qvutil::CRLF;

TDateiExport::TDateiExport() = default;
TDateiExport::~TDateiExport() = default;

int TDateiExport::Fortschritt() const { return Qvmain::f_Menue()->Progress(); }
void TDateiExport::SetFortschritt(int wert) { Qvmain::f_Menue()->SetProgress(wert); }

QString TDateiExport::qs(const QString& s) const
{
    if (!FUseQuotes)
        return s;
    QString inner = s;
    inner.replace(FQuoteChar, QString(2, FQuoteChar));
    return FQuoteChar + inner + FQuoteChar;
}

QString TDateiExport::quoteFields(const QString& headerFieldNames, const QString& delimiter) const
{
    QStringList teile = headerFieldNames.split(delimiter);
    for (QString& t : teile)
        t = qs(t);
    return teile.join(delimiter);
}

QString TDateiExport::Namensvorschlag() { return {}; }

// UTF-8 with a byte order mark, lines ended by CR LF: Excel and LibreOffice
// Calc both open it with its umlauts (and any other letter of a name) right,
// which the Windows code page would not promise for every name. Written under
// a temporary name, so a failed save leaves the previous file whole.
void TDateiExport::AusgabeSpeichern()
{
    QByteArray inhalt = "\xEF\xBB\xBF";
    for (const QString& z : FAusgabe)
        inhalt += (z + CRLF).toUtf8();
    QString fehler;
    if (!Report::WriteFileAtomic(FAusgabepfad, inhalt, &fehler))
        throw EHostFehler(fehler);
}

bool TDateiExport::ExportBeginn()
{
    FAusgabe.clear();
    FAusgabepfad = Namensvorschlag();
    QString gewaehlt;
    if (!FAusgabeInVerzeichnis)
        gewaehlt = Host::ui().chooseSaveFile(FExportname + " speichern", FAusgabepfad,
                                             "CSV-Dateien|*.csv|Textdateien|*.txt|Alle Dateien|*.*", "csv");
    else
        gewaehlt = Host::ui().chooseFolder("Ausgabeverzeichnis für " + FExportname, FAusgabepfad);
    if (gewaehlt.isEmpty())
        return false;
    FAusgabepfad = gewaehlt;
    Druckjob::Status(FExportname + " wird erstellt...");
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        sanduhr_ = true;
    }
    Host::ui().processEvents();
    return true;
}

void TDateiExport::ExportEnde(const std::exception* E)
{
    struct Aufraeumen {
        TDateiExport& e;
        ~Aufraeumen()
        {
            Qvmain::f_Menue()->StopProgress();
            if (e.sanduhr_) {
                QGuiApplication::restoreOverrideCursor();
                e.sanduhr_ = false;
            }
        }
    } aufraeumen{*this};
    if (!E) {
        AusgabeSpeichern();
        Druckjob::Status(FExportname + " wurde erstellt: \"" + QDir::toNativeSeparators(FAusgabepfad) + "\"");
        const QString was = FAusgabeInVerzeichnis ? "das Ausgabeverzeichnis" : "die Ausgabedatei";
        if (Pmsgdlg::qvMessageDlg(FExportname + " wurde erstellt.\n" + "Wollen Sie " + was + " jetzt öffnen?",
                         Host::mtConfirmation, Host::mbYesNo)
            == Host::mrYes)
            Host::ui().openFile(FAusgabepfad);
    } else {
        Druckjob::Status(QString::fromUtf8(E->what()));
    }
}

void TDateiExport::Exportieren()
{
    if (!ExportBeginn())
        return;
    try {
        ExportAusfuehren();
        ExportEnde(nullptr); // saving can fail too
    } catch (const std::exception& e) {
        ExportEnde(&e);
        throw;
    }
}

QString StartStatistikSQL()
{
    return QStringList{
        "SELECT E.Teilmeisterschaft, A.Anlage, A.Name, ",
        "       E.Disziplin, E.EKlasse, ",
        "       D.Name AS Bezeichnung, ",
        "       Count(E.EKlasse) AS Anzahl",
        "FROM (ERGEBNIS AS E ",
        "      INNER JOIN PANLAGE AS A ON E.Anlage = A.Anlage) ",
        "      INNER JOIN PDISZIPLIN AS D ON E.Disziplin = D.Disziplin",
        "WHERE (((E.Ergebnis)>0))",
        "GROUP BY E.Teilmeisterschaft, A.Anlage, A.Name, E.Disziplin, E.EKlasse, D.Name",
        "ORDER BY E.Teilmeisterschaft, A.Name, E.Disziplin, E.EKlasse;",
    }.join(CRLF);
}

QString TStartStatistikExport::Namensvorschlag()
{
    return QDate::currentDate().toString("yyyy-MM-dd") + " Startstatistik.csv";
}

void TStartStatistikExport::ExportAusfuehren()
{
    SetDelimiter(";");
    SetQuoteChar('"');
    SetUseQuotes(true);
    FAusgabe << quoteFields("Teilmeisterschaft;AnlagenNr;Anlage;Kennz;Kl-Kennz;Disziplin;Anzahl", ";");
    Druckjob::Status("Startstatistik wird exportiert...");
    Host::ui().processEvents();
    auto q = Datamod::DataModule1()->DynQuery(StartStatistikSQL(), Ado::clUseServer);
    Druckjob::ProgressStart(q->RecordCount());
    for (q->First(); !q->Eof(); q->Next()) {
        Host::ui().processEvents();
        QStringList felder;
        for (const char* f : {"Teilmeisterschaft", "Anlage", "Name", "Disziplin", "EKlasse", "Bezeichnung", "Anzahl"})
            felder << qs(q->FieldByName(f)->AsString());
        FAusgabe << felder.join(FDelimiter);
        SetFortschritt(Fortschritt() + 1);
    }
}

void StartStatistikExportieren()
{
    TStartStatistikExport e;
    e.Exportieren();
}

} // namespace Udateiexporte
