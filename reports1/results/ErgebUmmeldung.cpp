#include "reports1/results/ErgebUmmeldung.h"

#include "platform/ado/Ado.h"
#include "platform/host/Cent.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/entries/Ummeldungdlg.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

#include <QScopeGuard>

#include <functional>

using Report::TBaseReport;

namespace ErgebUmmeldung {

namespace {

using Qvutil::CRLF;
using Reportutil::TSpalte;
constexpr auto L = Report::pjLeft;
constexpr auto C = Report::pjCenter;

// A member line of a blank sheet, and of a team with no member on record.
constexpr int LeereZeilen = 4;

// The ranges of a team's members, one per member.
QStringList AnlagenLesen(int Ident, const TMannschaft& M)
{
    const QString sql = "SELECT A.Name\r\n"
                        "FROM ERGEBNIS E, PANLAGE A\r\n"
                        "WHERE E.Ident = A.Ident\r\n"
                        "  AND E.Anlage = A.Anlage\r\n"
                        "  AND E.Ident = "
                        + QString::number(Ident) + CRLF + "  AND E.MVereinNr = " + Ado::QuotedStr(M.VereinNr) + CRLF
                        + "  AND E.MDisziplin = " + Ado::QuotedStr(M.Disziplin) + CRLF
                        + "  AND E.MKlasse = " + Ado::QuotedStr(M.Klasse) + CRLF
                        + "  AND E.MannschNr = " + Ado::QuotedStr(M.MannschNr);
    QStringList l;
    auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    for (q->First(); !q->Eof(); q->Next())
        l << q->FieldByName("Name")->AsString();
    return l;
}

// A labelled line of the team block: the label bold, the value not.
void Angabe(TBaseReport& R, const QString& Bezeichnung, const QString& Wert)
{
    Reportutil::Schrift(R, 11, true);
    Reportutil::Zelle(R, Bezeichnung);
    Reportutil::Schrift(R, 11, false);
    Reportutil::Zelle(R, Wert);
    R.NewLine();
}

// Changes the line's font (or height) so that the next row's cells meet
// the cells of the row just printed.
void Anschliessen(TBaseReport& R, const std::function<void()>& Aendern)
{
    const double unten = R.GetYPos() - R.LineHeight() + R.FontDescent();
    Aendern();
    R.SetYPos(unten + R.LineHeight() - R.FontDescent());
}

// One sheet; M empty: the blank sheet.
void Blatt(TBaseReport& R, const TMannschaft* M, const QString& Gebuehr)
{
    const double mitte = (R.SectionLeft() + R.SectionRight()) / 2;
    const auto wert = [M](const QString& s) { return M ? s : QString(); };

    Reportutil::Schrift(R, 10, false);
    R.PrintCenter(Reportutil::Druckbar(Qvsettings::GetString("Global", "Verband").trimmed()), mitte);
    R.NewLine();
    R.NewLine();
    Reportutil::Schrift(R, 16, true);
    R.PrintCenter("Mannschaftsummeldung", mitte);
    R.NewLine();
    Reportutil::Schrift(R, 12, false);
    R.PrintCenter(Reportutil::Druckbar(Qvsettings::GetString("Global", "Ueberschr").trimmed() + " "
                                       + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"))),
                  mitte);
    R.NewLine();
    R.NewLine();
    R.NewLine();

    // The team; a blank sheet gets rules to write on.
    R.ClearTabs();
    R.SetTab(R.SectionLeft(), L, 3.5, 3, Report::BOXLINENONE, 0);
    R.SetTab(Report::NA, L, R.SectionRight() - R.SectionLeft() - 3.5, 3,
             M ? Report::BOXLINENONE : Report::BOXLINEBOTTOM, 0);
    QString verein;
    if (M) {
        verein = QStringList{M->Titel, M->VerName}.join(' ').trimmed();
        if (!M->Abkuerzung.isEmpty())
            verein += " (" + M->Abkuerzung + ")";
        verein += ", " + M->VereinNr;
    }
    if (!M)
        R.SetLinesPerInch(3); // room to write by hand
    Angabe(R, "Verein:", verein);
    Angabe(R, "Wettbewerb:", wert(M ? M->DisName : QString()));
    Angabe(R, "Klasse:", wert(M ? M->KlaName : QString()));
    Angabe(R, "Mannschaft:", wert(M ? M->MannschNr : QString()));
    R.SetLinesPerInch(0);
    R.NewLine();
    R.NewLine();

    // A line per member: the range it shoots on, the member leaving and
    // the one coming in.
    Reportutil::Schrift(R, 10, true);
    R.ClearTabs();
    for (const TSpalte& s : {TSpalte{0.8, C}, TSpalte{4.7, L}, TSpalte{6.0, L}, TSpalte{6.0, L}})
        R.SetTab(R.TabCount() == 0 ? R.SectionLeft() : Report::NA, s.Ausrichtung, s.Breite, 3, Report::BOXLINEALL, 0);
    Reportutil::Zeile(R, {"Nr.", "Anlage", "bisheriger Schütze", "neuer Schütze"});
    Anschliessen(R, [&R] { Reportutil::Schrift(R, 8, false); });
    Reportutil::Zeile(R, {"", "", "Name, Vorname, Mitgl.-Nr.", "Name, Vorname, Mitgl.-Nr."});
    // Rows high enough to write in by hand.
    Anschliessen(R, [&R] {
        Reportutil::Schrift(R, 10, false);
        R.SetLinesPerInch(3);
    });
    const QStringList anlagen = M && !M->Anlagen.isEmpty() ? M->Anlagen : QStringList(LeereZeilen, QString());
    for (int i = 0; i < anlagen.size(); ++i) {
        if (R.LinesLeft() < 6) {
            R.NewPage();
            R.SetYPos(R.GetYPos() + R.LineHeight());
        }
        Reportutil::Zeile(R, {QString::number(i + 1), anlagen[i], "", ""});
    }
    R.SetLinesPerInch(0);
    R.NewLine();
    R.NewLine();

    if (!Gebuehr.isEmpty()) {
        Reportutil::Schrift(R, 11, false);
        R.PrintLeft("Die Ummeldegebühr beträgt " + Gebuehr + ".", R.SectionLeft());
        R.NewLine();
    }
    R.NewLine();
    R.NewLine();
    R.NewLine();
    // Place, date and signature of the club.
    R.ClearTabs();
    R.SetTab(R.SectionLeft(), L, 7.0, 3, Report::BOXLINETOP, 0);
    R.SetTab(R.SectionLeft() + 9.5, L, 7.0, 3, Report::BOXLINETOP, 0);
    Reportutil::Schrift(R, 9, false);
    Reportutil::Zeile(R, {"Ort, Datum", "Unterschrift des Vereins"});
}

} // namespace

QString BetragErstellen(const QString& Betrag, int Art, const QString& Waehrung)
{
    QString s = Betrag.trimmed();
    const bool minus = s.startsWith('-');
    if (minus)
        s.remove(0, 1);
    const qsizetype komma = s.indexOf(',');
    QString ganz = komma < 0 ? s : s.left(komma);
    QString dezimal = komma < 0 ? QString("00") : s.mid(komma + 1).left(2);
    while (dezimal.size() < 2)
        dezimal += '0';
    // Points already grouping the integer part are set anew.
    ganz.remove('.');
    if (ganz.isEmpty())
        ganz = "0";
    for (qsizetype i = ganz.size() - 3; i > 0; i -= 3)
        ganz.insert(i, '.');
    QString text = ganz + "," + dezimal;
    switch (Art) {
    case 0:
        text += " " + Waehrung;
        break;
    case 1:
        text += Waehrung;
        break;
    case 2:
        text += " %";
        break;
    default:
        break;
    }
    return minus ? "-" + text : text;
}

QString Gebuehr()
{
    QString text = Qvsettings::GetString("Speziell", "UmmeldeBetr").trimmed();
    // Decimals beyond the second are cut, as the amount text cuts them.
    if (const qsizetype komma = text.indexOf(','); komma >= 0 && text.size() - komma - 1 > 2)
        text.truncate(komma + 3);
    qint64 cent = 0;
    QString fehler;
    if (text.isEmpty())
        cent = Qvsettings::GetInteger("Speziell", "UBetrag");
    else if (!Cent::Lesen(text, cent, &fehler))
        throw EHostFehler("Die Ummeldegebühr ist fehlerhaft eingestellt: " + fehler);
    if (cent <= 0)
        return {};
    return BetragErstellen(Cent::Text(cent), 0, Cent::Waehrung());
}

QString MannschaftenSQL()
{
    // Every re-registered team of the database, whatever its competition.
    return "SELECT M.VereinNr,M.Disziplin,M.MKlasse,M.MannschNr,\r\n"
           "       D.Name AS DisName,K.Name AS KlaName,\r\n"
           "       V.Name AS VerName,V.Titel,V.Abkuerzung\r\n"
           "FROM EMANNSCH M, EVEREIN V,PDISZIPLIN D, PKLASSE K\r\n"
           "WHERE M.Ident = D.Ident\r\n"
           "  AND M.Ident = K.Ident\r\n"
           "  AND M.VereinNr = V.VereinNr\r\n"
           "  AND M.Disziplin = D.Disziplin\r\n"
           "  AND M.MKlasse = K.Klasse\r\n"
           "  AND M.MUmmeldung = 'J'\r\n"
           "ORDER BY M.VereinNr,M.Disziplin,M.MKlasse,M.MannschNr";
}

QVector<TMannschaft> MannschaftenLesen(int Ident)
{
    QVector<TMannschaft> l;
    auto q = Datamod::DataModule1()->DynQuery(MannschaftenSQL(), Ado::clUseServer, Ado::ltReadOnly);
    for (q->First(); !q->Eof(); q->Next()) {
        const auto f = [&q](const char* name) { return Reportutil::Feld(*q, name).trimmed(); };
        TMannschaft m{f("VereinNr"), f("Disziplin"), f("MKlasse"), f("MannschNr"), f("DisName"),
                      f("KlaName"),  f("VerName"),   f("Titel"),   f("Abkuerzung"), {}};
        m.Anlagen = AnlagenLesen(Ident, m);
        l << m;
    }
    return l;
}

void UmmeldungenPrint(TBaseReport& Report, const QVector<TMannschaft>& Mannschaften, const QString& Gebuehr)
{
    Report.SetTabShade(0);
    if (Mannschaften.isEmpty()) {
        Blatt(Report, nullptr, Gebuehr);
        return;
    }
    for (int i = 0; i < Mannschaften.size(); ++i) {
        if (i > 0)
            Report.NewPage();
        Blatt(Report, &Mannschaften[i], Gebuehr);
        Druckjob::Progress(i + 1);
    }
}

// --- The run -----------------------------------------------------------------

TUmmeldungen::TUmmeldungen(QObject* Owner) : rf_Ummeldungen(Druckjob::Schreiber(Owner, "rf_Ummeldungen", "Mannschaftsummeldungen"))
{
    // Sheets to fill in: no list header.
    rf_Ummeldungen->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Erstellen der Mannschaftsummeldungen");
        if (!mannschaften_.isEmpty())
            Druckjob::ProgressStart(int(mannschaften_.size()));
    };
    rf_Ummeldungen->OnPrint = [this](TBaseReport& r) { UmmeldungenPrint(r, mannschaften_, gebuehr_); };
    rf_Ummeldungen->OnAfterPrint = [this](TBaseReport& r) {
        Druckjob::NachDruck(*rf_Ummeldungen);
        // The teams' sheets are out: each change is printed once. A blank
        // sheet or a print that failed leaves the marks.
        if (!mannschaften_.isEmpty() && !r.Aborted())
            Datamod::DataModule1()->DynSQL("UPDATE EMANNSCH SET MUmmeldung = 'N'\r\nWHERE Ident = "
                                           + QString::number(Datamod::iIdent));
    };
}

void TUmmeldungen::Drucken(bool Blanko, int& DruckjobID)
{
    const auto frei = qScopeGuard([this] { mannschaften_.clear(); });
    gebuehr_ = Gebuehr();
    mannschaften_.clear();
    if (!Blanko) {
        mannschaften_ = MannschaftenLesen(Datamod::iIdent);
        if (mannschaften_.isEmpty()) {
            // None marked: the user may mark one now.
            if (!Ummeldungdlg::Erstellen() || !Ummeldungdlg::bAlteMannschaft) {
                Pmsgdlg::qvMessageDlg("Es sind keine Ummeldungen vorhanden", Host::mtInformation, Host::mbOK, 1);
                return;
            }
            mannschaften_ = MannschaftenLesen(Datamod::iIdent);
            if (mannschaften_.isEmpty()) {
                Pmsgdlg::qvMessageDlg("Es sind keine Ummeldungen vorhanden", Host::mtInformation, Host::mbOK, 1);
                return;
            }
        }
    }
    Druckjob::Vorschau(*rf_Ummeldungen, DruckjobID);
}

} // namespace ErgebUmmeldung
