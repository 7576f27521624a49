#pragma once
// The admission figures: for each discipline and class the score an
// individual and a team must have reached to be admitted ("Alle" when
// everyone is), and how many starters are admitted. As an A4 portrait list,
// an A4 landscape matrix of the class groups, an HTML page for the
// association's web site or an RTF file.

#include "platform/host/Auswahl.h"
#include "platform/vcl/ModalForm.h"

#include <QStringList>
#include <QVector>
#include <memory>

namespace Ui { class TZulassForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
class TRTFFiler;
class TRPHTMLFiler;
} // namespace Report

namespace Zulassung {

// One discipline of the portrait list: its head and its class rows, each
// row the cells class, name, individual figure, count, team figure, count
// (the counts empty without starter counts).
struct TDisziplin {
    QString Code;  // "110"
    QString Name;
    QVector<QStringList> Zeilen;
};

// The landscape matrix: the class groups (at most 12) as columns, each with
// its classes; per discipline the figures of every class of those groups.
struct TKlasse {
    QString Klasse, Kurz, Name, Zusatz;
};
struct TGruppe {
    QString Sort;
    QVector<TKlasse> Klassen;
    QString Titel;        // the group's heading
    QStringList Unter;    // per class its sub-heading ("m", "w", "A" …); empty for a single class
};
struct TMatrixZeile {
    QString Code, Name;
    QStringList Einzel, Mannschaft; // per class of the groups, in column order
};

// The cell texts of a class row: a score of 0 is "Alle"; the team figure
// only where the class code occurs in AbwMKlasse, and then empty instead of
// "Alle" when AbwMKlasse begins with "XX".
QString EinzelText(double ZulassEinzel, const QString& Alle = QStringLiteral("Alle"));
QString MannschaftText(double ZulassMannsch, const QString& Klasse, const QString& AbwMKlasse,
                       const QString& Alle = QStringLiteral("Alle"));

// The headings of the groups: a single class by its name; several by the
// words their names share (else their short names joined by "/"), each
// class under it by "m"/"w" when the group is of one sex each, else by what
// its name adds to the shared words, else by its short name.
void GruppenTitel(TGruppe& Gruppe);

// At most this many class groups fit the landscape matrix.
inline constexpr int MaxGruppen = 12;

} // namespace Zulassung

class TZulassForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TZulassForm();
    ~TZulassForm() override;

    Report::TRvNDRWriter* rf_Zulassung;
    Report::TRvNDRWriter* rf_QuerFormat;
    Report::TRTFFiler* rtf_Zulassung;
    Report::TRPHTMLFiler* htm_ZulassungHoch;

    void bt_OKClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void ZulassungBeforePrint();
    void ZulassungsListeErstellen(Report::TBaseReport& Report);
    void ZulassungsListeQuerErstellen(Report::TBaseReport& Report);
    void ZulassungsPrintHeader(Report::TBaseReport& Report);
    void MatrixTabs(Report::TBaseReport& Report, bool Gruppenweise);
    void htm_ZulassungHochPrint();
    void rtf_ZulassungPrint();
    // The portrait list's content from Q1.
    QVector<Zulassung::TDisziplin> Disziplinen();
    // The landscape matrix's groups and rows (vArray).
    void MatrixLesen();
    QString Ueberschrift() const;

    Ui::TZulassForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    QString sUeberschr, sSportjahr, sVerband, sMeistersch, sVeranst1, sVeranst2;
    QString sAuflage = QStringLiteral("N");
    int iVArt = 0;
    bool bMitAnzahl = true, bAlleTeilm = false, bTabellier = true;
    QVector<Zulassung::TGruppe> vGruppen;
    QVector<Zulassung::TMatrixZeile> vArray;
};

namespace Zulassung {

extern TZulassForm* ZulassForm;
extern Host::TAuswahl fAuswahl;
extern int DruckjobID;

// Shows the dialog for Auswahl: 0 portrait list, 1 landscape matrix, 2 HTML
// file, 3 RTF file. Returns its modal result.
int Zulassungsliste(Host::TAuswahl Auswahl);

} // namespace Zulassung
