// The host's fee routines: team starts by fee group, the clubs' general
// fees, the working folder and the direct-debit files.

#include "platform/host/Schtools.h"

#include "platform/ado/Ado.h"
#include "platform/host/Cent.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Einzug.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace Schtools {

namespace {

using Qvutil::CRLF;

QString teilmeisterschaft() { return Qvsettings::GetString("Speziell", "Teilmeisterschaft"); }

// The teams of the championship (of one club when VereinNr is given) with
// the fee group of their discipline and class and its amount.
QString mannschaftenSql(const QString& VereinNr, bool Teilm, bool Nachtraeglich, bool nurMitBetrag)
{
    QStringList l = {
        "SELECT M.VereinNr,M.Disziplin,M.MKlasse,DK.StgGrpMannschaft,S.Betrag",
        "FROM EMANNSCH M, PDISKLA DK, PSTARTG S",
        "WHERE M.Disziplin = DK.Disziplin",
        "  AND M.MKlasse = DK.Klasse",
        "  AND M.Ident = DK.Ident",
        "  AND DK.StgGrpMannschaft = S.StgGrp",
        "  AND S.Ident = M.Ident",
        "  AND M.Ident = " + QString::number(Datamod::iIdent),
    };
    if (nurMitBetrag)
        l << "  AND S.Betrag > 0";
    if (!VereinNr.isNull())
        l << "  AND M.VereinNr = " + Ado::QuotedStr(VereinNr);
    if (Teilm)
        l << "  AND DK.Teilmeisterschaft = " + Ado::QuotedStr(teilmeisterschaft());
    if (Nachtraeglich)
        l << "  AND EXISTS (SELECT E.ID FROM ERGEBNIS E"
          << "              WHERE E.Ident = M.Ident AND E.MVereinNr = M.VereinNr"
          << "                AND E.MDisziplin = M.Disziplin AND E.MKlasse = M.MKlasse"
          << "                AND E.MannschNr = M.MannschNr AND E.AManuell = 'X')";
    l << "ORDER BY M.VereinNr,M.Disziplin,M.MKlasse";
    return l.join(CRLF);
}

void mannschaftenZaehlen(const QString& VereinNr, bool Teilm, bool Nachtraeglich, std::map<int, int>& Anzahl,
                         bool detail)
{
    auto q = Datamod::DataModule1()->DynQuery(mannschaftenSql(VereinNr, Teilm, Nachtraeglich, false),
                                              Ado::clUseServer, Ado::ltReadOnly);
    for (q->First(); !q->Eof(); q->Next()) {
        ++Anzahl[q->FieldByName("StgGrpMannschaft")->AsInteger()];
        if (detail)
            Datamod::DataModule1()->DynSQL(
                "UPDATE PDISKLA SET ZaehlerM = ZaehlerM + 1" + CRLF + "WHERE Ident = " + QString::number(Datamod::iIdent)
                + CRLF + "  AND Disziplin = " + Ado::QuotedStr(q->FieldByName("Disziplin")->AsString()) + CRLF
                + "  AND Klasse = " + Ado::QuotedStr(q->FieldByName("MKlasse")->AsString()));
    }
}

} // namespace

QString ArbeitspfadLaden()
{
    const QString pfad = Qvsettings::GetString("Allgemein", "Arbeitspfad");
    if (!pfad.isEmpty() && QDir(pfad).exists())
        return pfad;
    return Qvpaths::DataFolder();
}

void MannschaftStartZaehlen(const QString& VereinNr, bool Teilm, bool Nachtraeglich, std::map<int, int>& Anzahl)
{
    mannschaftenZaehlen(VereinNr, Teilm, Nachtraeglich, Anzahl, false);
}

void MannschaftStartZaehlenDetail(const QString& VereinNr, bool Teilm, bool Nachtraeglich, std::map<int, int>& Anzahl)
{
    mannschaftenZaehlen(VereinNr, Teilm, Nachtraeglich, Anzahl, true);
}

void StartgelderRechnen(Ado::TDataSet* Vereine, bool Teilm, bool Nachtraeglich, bool RechnrBehalten, int Ident)
{
    (void)RechnrBehalten; // invoice numbers are never touched here
    std::map<QString, qint64> cent;

    QStringList l = {
        "SELECT E.VereinNr,S.Betrag",
        "FROM ERGEBNIS E, PDISKLA DK, PSTARTG S",
        "WHERE E.Disziplin = DK.Disziplin",
        "  AND E.EKlasse = DK.Klasse",
        "  AND E.Ident = DK.Ident",
        "  AND DK.StgGrpEinzel = S.StgGrp",
        "  AND S.Ident = E.Ident",
        "  AND S.Betrag > 0",
        "  AND E.Ident = " + QString::number(Ident),
    };
    if (Nachtraeglich)
        l << "  AND E.AManuell = 'X'";
    if (Teilm)
        l << "  AND DK.Teilmeisterschaft = " + Ado::QuotedStr(teilmeisterschaft());
    auto starts = Datamod::DataModule1()->DynQuery(l.join(CRLF), Ado::clUseServer, Ado::ltReadOnly);
    for (starts->First(); !starts->Eof(); starts->Next())
        cent[starts->FieldByName("VereinNr")->AsString()] += Cent::AusBetrag(starts->FieldByName("Betrag")->AsFloat());

    auto teams = Datamod::DataModule1()->DynQuery(mannschaftenSql(QString(), Teilm, Nachtraeglich, true),
                                                  Ado::clUseServer, Ado::ltReadOnly);
    for (teams->First(); !teams->Eof(); teams->Next())
        cent[teams->FieldByName("VereinNr")->AsString()] += Cent::AusBetrag(teams->FieldByName("Betrag")->AsFloat());

    if (Qvsettings::GetString("Speziell", "Ummeldung") == "J") {
        const qint64 ubetrag = Qvsettings::GetInteger("Speziell", "UBetrag");
        auto um = Datamod::DataModule1()->DynQuery("SELECT VereinNr" + CRLF + "FROM EMANNSCH" + CRLF + "WHERE Ident = "
                                                       + QString::number(Ident) + CRLF + "  AND Ummeldung > 0",
                                                   Ado::clUseServer, Ado::ltReadOnly);
        for (um->First(); !um->Eof(); um->Next())
            cent[um->FieldByName("VereinNr")->AsString()] += ubetrag;
    }

    Ado::TTransaction t(*Datamod::DataModule1()->Connection());
    Datamod::DataModule1()->DynSQL("UPDATE EVEREIN SET Startgeld = ''");
    for (const auto& [verein, betrag] : cent)
        if (betrag > 0)
            Datamod::DataModule1()->DynSQL("UPDATE EVEREIN SET Startgeld = " + Ado::QuotedStr(Cent::StartgeldText(betrag))
                                           + CRLF + "WHERE VereinNr = " + Ado::QuotedStr(verein));
    t.Commit();
    if (Vereine && Vereine->Active())
        Vereine->Requery();
}

bool EinzugErstellen(Ado::TDataSet& Vereine, bool Lastschrift, const QString& BuchText1, const QString& BuchText2,
                     const QString& Ordner, QStringList& Ergebnis)
{
    Ergebnis.clear();
    if (!Lastschrift)
        throw EHostFehler("Der Bankeinzug erstellt nur Lastschriften.");

    Einzug::TAuftrag a;
    a.ErstelltUm = Qvclock::Now();
    a.Erstellt = a.ErstelltUm.date();
    a.Name = (Qvsettings::GetString("Global", "Veranst1") + " " + Qvsettings::GetString("Global", "Veranst2")).trimmed();
    a.Text1 = BuchText1;
    a.Text2 = BuchText2;
    const QString tage = Qvsettings::GetString("Allgemein", "LastschriftTage").trimmed();
    const int vorlauf = tage.isEmpty() ? 20 : tage.toInt();
    if (vorlauf < 2)
        throw EHostFehler("Die Lastschrift braucht mindestens 2 Tage Vorlauf; die Einstellung \"LastschriftTage\" ist "
                          + (tage.isEmpty() ? QString("leer") : tage) + ".");
    a.Faellig = a.Erstellt.addDays(vorlauf);

    QStringList fehler;
    QString f;
    a.Konto = Einzug::KontoLesen(Qvsettings::GetString("Global", "BLZ"), Qvsettings::GetString("Global", "Konto"), f);
    if (!f.isEmpty())
        fehler << "Verband (Einstellungen BLZ und Konto): " + f;
    else if (a.Konto.Blz.isEmpty())
        fehler << "Verband: die DTAUS-Datei braucht eine deutsche Bankverbindung";
    a.GlaeubigerId = Einzug::Normiert(Qvsettings::GetString("Global", "GläubigerID"));
    if (a.GlaeubigerId.isEmpty())
        fehler << "Verband: die Gläubiger-ID (Einstellung GläubigerID) fehlt";
    else if (!Einzug::GlaeubigerIdGueltig(a.GlaeubigerId))
        fehler << "Verband: die Gläubiger-ID " + a.GlaeubigerId + " ist ungültig";
    if (a.Name.isEmpty())
        fehler << "Verband: der Name (Einstellungen Veranst1 und Veranst2) fehlt";

    const QString datei = Einzug::MandatsDatei();
    const Einzug::TMandate mandate = Einzug::MandateLesen(datei);
    // The signature date of mandates the file gives none for.
    QDate ersatz = QDate::fromString(Qvsettings::GetString("Allgemein", "MandatsDatum"), "dd.MM.yyyy");
    if (!ersatz.isValid())
        ersatz = QDate::fromString(Qvsettings::GetString("Allgemein", "ErsteLastschrift"), "dd.MM.yyyy");
    if (!ersatz.isValid())
        ersatz = a.Erstellt;

    for (Vereine.First(); !Vereine.Eof(); Vereine.Next()) {
        qint64 cent = 0;
        Cent::AusStartgeld(Vereine.FieldByName("Startgeld")->AsString(), cent);
        if (cent <= 0)
            continue;
        Einzug::TPosten p;
        p.VereinNr = Vereine.FieldByName("VereinNr")->AsString();
        p.Name = Vereine.FieldByName("Name")->AsString().trimmed();
        p.Cent = cent;
        const QString wer = "Verein " + p.VereinNr + " " + p.Name + ": ";
        if (cent > Cent::Hoechstbetrag)
            fehler << wer + "das Startgeld " + Cent::Text(cent) + " ist zu groß";
        p.Konto = Einzug::KontoLesen(Vereine.FieldByName("BLZ")->AsString(), Vereine.FieldByName("Konto")->AsString(), f);
        if (!f.isEmpty())
            fehler << wer + f;
        else if (p.Konto.Blz.isEmpty())
            fehler << wer + "eine ausländische IBAN kann nicht in die DTAUS-Datei";
        const auto m = mandate.find(p.VereinNr);
        if (m == mandate.end()) {
            fehler << wer + "keine Mandatsreferenz in \"" + QFileInfo(datei).fileName() + "\"";
        } else {
            p.Mandat = m->second.Referenz;
            p.Unterschrift = m->second.Unterschrift.isValid() ? m->second.Unterschrift : ersatz;
            if (p.Unterschrift > a.Erstellt)
                fehler << wer + "das Mandat ist auf den " + Qvclock::DatumText(p.Unterschrift) + " datiert, nach heute";
        }
        a.Posten << p;
    }
    if (a.Posten.isEmpty())
        throw EHostFehler("Es gibt keine Startgelder für den Bankeinzug: kein Verein hat ein Startgeld eingetragen.");
    if (!fehler.isEmpty()) {
        const int zeigen = 15;
        QStringList liste = fehler.mid(0, zeigen);
        if (fehler.size() > zeigen)
            liste << QString("… und %1 weitere").arg(fehler.size() - zeigen);
        throw EHostFehler("Der Bankeinzug wurde nicht erstellt:" + CRLF + liste.join(CRLF));
    }

    // Everything checked: the two files, both or neither.
    if (!QDir().mkpath(Ordner))
        throw EHostFehler("Der Ordner \"" + Ordner + "\" kann nicht angelegt werden.");
    const QDir dir(Ordner);
    const QString dtausPfad = dir.filePath(Einzug::DtausName), sepaPfad = dir.filePath(Einzug::SepaName);
    QStringList vorhanden;
    for (const QString& p : {dtausPfad, sepaPfad})
        if (QFile::exists(p))
            vorhanden << QFileInfo(p).fileName();
    if (!vorhanden.isEmpty()
        && Pmsgdlg::qvMessageDlg("Im Ordner " + QDir::toNativeSeparators(Ordner) + " gibt es schon " + vorhanden.join(" und ")
                                     + "." + CRLF + "Sollen die Dateien ersetzt werden?",
                                 Host::mtConfirmation, Host::mbYesNo, 1)
               != Host::mrYes)
        return false;

    const QString msgId = "STARTGELD-" + a.ErstelltUm.toString("yyyyMMddHHmmss");
    QSaveFile dtaus(dtausPfad), sepa(sepaPfad);
    auto schreiben = [](QSaveFile& s, const QByteArray& inhalt) {
        return s.open(QIODevice::WriteOnly) && s.write(inhalt) == inhalt.size();
    };
    if (!schreiben(dtaus, Einzug::DtausDatei(a)) || !schreiben(sepa, Einzug::SepaDatei(a, msgId))) {
        const QString grund = dtaus.error() != QFileDevice::NoError ? dtaus.errorString() : sepa.errorString();
        dtaus.cancelWriting();
        sepa.cancelWriting();
        throw EHostFehler("Die Lastschriftdateien können im Ordner \"" + Ordner + "\" nicht geschrieben werden: " + grund);
    }
    if (!sepa.commit()) {
        dtaus.cancelWriting();
        throw EHostFehler("Die Datei \"" + sepaPfad + "\" kann nicht geschrieben werden: " + sepa.errorString());
    }
    if (!dtaus.commit()) {
        QFile::remove(sepaPfad);
        throw EHostFehler("Die Datei \"" + dtausPfad + "\" kann nicht geschrieben werden: " + dtaus.errorString());
    }
    if (Qvsettings::GetString("Allgemein", "ErsteLastschrift").isEmpty())
        Qvsettings::SetString("Allgemein", "ErsteLastschrift", Qvclock::DatumText(a.Erstellt));

    const Einzug::TSummen s = Einzug::Summen(a);
    Ergebnis << QString::number(s.Cent) << QString::number(s.Anzahl) << QString::number(s.Konten)
             << QString::number(s.Bankleitzahlen) << Qvclock::DatumText(a.Faellig);
    return true;
}

} // namespace Schtools
