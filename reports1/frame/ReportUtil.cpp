#include "reports1/frame/ReportUtil.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"

#include <algorithm>

using Report::TBaseReport;
using Report::TTab;

namespace Reportutil {

namespace {

QString setting(const QString& bereich, const QString& key) { return Qvsettings::GetString(bereich, key); }

void blackThinPen(TBaseReport& r) { r.SetPen(Qt::black, Qt::SolidLine, -1, 0); }

// The tab a border routine works on: the numbered one (0 = the current
// tab), or the last tab when the number names none.
TTab* tabOrLast(TBaseReport& r, int index)
{
    if (TTab* t = r.GetTab(index))
        return t;
    return r.GetTab(TabCount(r));
}

void setBorders(TTab* t, bool l, bool tp, bool rt, bool b)
{
    t->Left = l ? 1 : 0;
    t->Top = tp ? 1 : 0;
    t->Right = rt ? 1 : 0;
    t->Bottom = b ? 1 : 0;
}

} // namespace

void DrawVerticalLine(TBaseReport& Report, int)
{
    blackThinPen(Report);
    Report.SetYPos(Report.GetYPos() + 0.2);
    Report.MoveTo(Report.SectionLeft(), Report.GetYPos());
    Report.LineTo(Report.SectionRight(), Report.GetYPos());
}

void quarvelKopfZeile(TBaseReport& Report, bool Ueberschrift, int SchriftAuswahl)
{
    Report.SetXPos(Report.SectionLeft());
    Report.SetYPos(Report.GetYPos() + 0.3);
    if (!Ueberschrift) {
        Report.SetFont("Arial", 10);
        Report.SetItalic(true);
        Report.Print(setting("Global", "Verband"));
        const int art = Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt");
        if (Datamod::bVerbandTitel && art > 1) {
            Report.SetFont("Arial", 16);
            Report.SetItalic(false);
            Report.SetBold(true);
            QString name;
            switch (Qvsettings::GetInteger("Allgemein", "Verband")) {
            case 0: name = Datamod::BSV; break;
            case 1: name = Datamod::PSSB; break;
            case 2: name = Datamod::ZKT; break;
            case 3: name = Datamod::BSSB; break;
            default: break;
            }
            Report.PrintRight(name, Report.SectionRight());
        }
        if (art < 3)
            Report.PrintRight(setting("Global", "Veranst1") + " " + setting("Global", "Veranst2"), Report.SectionRight());
        Report.SetFont("Arial", 10);
        Report.SetItalic(false);
        Report.SetBold(false);
    } else {
        const double centre = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
        const QString sportjahr = setting("Allgemein", "Sportjahr");
        QString font;
        switch (SchriftAuswahl) {
        case 1: font = setting("Allgemein", "FontErgebnisse"); break;
        case 2: font = setting("Allgemein", "FontUrkunden"); break;
        case 3: font = setting("Allgemein", "FontGesamt"); break;
        default: break;
        }
        if (SchriftAuswahl >= 1 && SchriftAuswahl <= 3)
            Report.SetFont(font.isEmpty() ? QStringLiteral("Arial") : font, 16);
        Report.SetItalic(false);
        Report.SetBold(false);
        Report.PrintCenter(setting("Global", "Verband"), centre);
        Report.NewLine();
        Report.SetFont("Arial", 12);
        Report.PrintCenter("Ergebnis " + setting("Global", "Ueberschr") + " " + sportjahr, centre);
        Report.SetFont("Arial", 10);
        Report.SetItalic(false);
        Report.SetBold(false);
    }
    DrawVerticalLine(Report, 1);
}

void quarvelFusszeile(TBaseReport& Report, int)
{
    DrawVerticalLine(Report, 1);
    const double size = Report.GetFontSize();
    const bool bold = Report.GetBold();
    Report.SetXPos(Report.SectionLeft());
    Report.SetYPos(Report.GetYPos() + 0.3);
    Report.SetFont("Arial", 7);
    Report.SetItalic(true);
    Report.SetBold(false);
    const QDateTime now = Qvclock::Now();
    Report.PrintLeft("Gedruckt am " + Qvclock::DatumText(now.date()) + " um " + Qvclock::ZeitKurz(now.time()) + " Uhr",
                     Report.SectionLeft());
    Report.PrintCenter("Version: " + Schtools::VersionsText(), Report.SectionLeft() + 9.0);
    if (Report.CurrentPage() >= 0)
        Report.PrintRight("Seite " + QString::number(Report.CurrentPage()), Report.SectionRight());
    Report.SetItalic(false);
    Report.SetBold(bold);
    Report.SetFontSize(size);
}

void BriefkopfDrucken(TBaseReport& Report, double Pos)
{
    Report.SetFont("Arial", 7);
    Report.SetItalic(true);
    Report.SetBold(false);
    Report.NewLine();
    Report.SetBold(false);
    Report.SetUnderline(false);
    Report.SetYPos(Pos);
    Report.PrintLeft(setting("Absender", "Vorname") + " " + setting("Absender", "Name") + ", "
                         + setting("Absender", "Strasse") + ", " + setting("Absender", "PLZ") + " "
                         + setting("Absender", "Ort"),
                     Report.SectionLeft());
    Report.NewLine();
    Report.NewLine();
    Report.SetItalic(false);
}

void Faltmarker(TBaseReport& Report)
{
    blackThinPen(Report);
    // A short line at the sheet's edge, a third down: where the letter is folded.
    const double y = Report.GetPageHeight() / 3;
    Report.MoveTo(0, y);
    Report.LineTo(1.0, y);
}

void AbsenderDrucken(TBaseReport& Rpt)
{
    // The association's own address, kept in its settings.
    Rpt.SetFont("Arial", 11);
    Rpt.SetPen(Qt::black, Qt::SolidLine, 1, 0);
    Rpt.ClearTabs();
    Rpt.SetTab(Rpt.SectionRight() - 12.0, Report::pjLeft, 1.3, 5.0, Report::BOXLINENONE, 0);
    Rpt.SetTab(Report::NA, Report::pjLeft, 10.0, 5.0, Report::BOXLINENONE, 0);
    Rpt.SetTabShade(0);
    auto line = [&](const QString& a, const QString& b) {
        Rpt.Print("\t" + a + "\t" + b);
        Rpt.NewLine();
    };
    line(setting("Global", "Verband"), "");
    line(setting("Global", "Postfach"), "");
    line("", "");
    line(setting("Global", "PLZ"), setting("Global", "Ort"));
    line("", "");
    line("Tel.:", setting("Global", "TVorw") + " " + setting("Global", "Telefon"));
    line("Fax.:", setting("Global", "FVorw") + " " + setting("Global", "Fax"));
}

int TabCount(TBaseReport& Report) { return Report.TabCount(); }

double EndOfTab(TBaseReport& Report, int index)
{
    const TTab* t = Report.GetTab(index); // 0 = the current tab
    return t ? t->Pos + t->Width : 0;
}

TTab* NextTab(TBaseReport& Report, TTab* CurrentTab)
{
    if (!CurrentTab)
        CurrentTab = Report.GetTab(0);
    if (!CurrentTab)
        return nullptr;
    const int count = Report.TabCount();
    for (int i = 1; i < count; ++i)
        if (Report.GetTab(i) == CurrentTab)
            return Report.GetTab(i + 1);
    return nullptr;
}

void SetLastTab(TBaseReport& Report, double NewPos, int NewJustify, double NewMargin, int NewLines, int NewShade)
{
    double start = NewPos;
    if (NewPos == Report::NA)
        start = Report.TabCount() > 0 ? EndOfTab(Report, Report.TabCount()) : Report.SectionLeft();
    double width = Report.SectionRight() - start;
    if (width < 0)
        width = 0;
    Report.SetTab(NewPos, Report::TPrintJustify(NewJustify), width, NewMargin, NewLines, NewShade);
}

void TabLines(TBaseReport& Report, const QVector<int>& indexes, const QString& lines, bool add)
{
    const bool l = lines.contains('l'), t = lines.contains('t'), r = lines.contains('r'), b = lines.contains('b');
    if (!add)
        for (int i = 1; i <= Report.TabCount(); ++i)
            setBorders(Report.GetTab(i), false, false, false, false);
    for (int index : indexes) {
        TTab* tab = tabOrLast(Report, index);
        if (!tab)
            continue;
        if (add) {
            if (l) tab->Left = 1;
            if (t) tab->Top = 1;
            if (r) tab->Right = 1;
            if (b) tab->Bottom = 1;
        } else {
            setBorders(tab, l, t, r, b);
        }
    }
}

void TabLines(TBaseReport& Report, const QString& lines, bool add)
{
    QVector<int> all;
    for (int i = 1; i <= Report.TabCount(); ++i)
        all << i;
    TabLines(Report, all, lines, add);
}

void RemoveTabLines(TBaseReport& Report, const QVector<int>& indexes, const QString& lines)
{
    for (int index : indexes)
        if (TTab* tab = tabOrLast(Report, index))
            setBorders(tab, !lines.contains('l'), !lines.contains('t'), !lines.contains('r'), !lines.contains('b'));
}

double FontSizeToFit(TBaseReport& Report, const QString& Text, double TxtWidth)
{
    const double s = Report.GetFontSize();
    for (int i = 1; i <= 1000; ++i) {
        if (Report.TextWidth(Text) < TxtWidth)
            break;
        double next = s - 0.25 * i;
        if (next < 0.25) {
            Report.SetFontSize(0.25);
            break;
        }
        Report.SetFontSize(next);
    }
    const double result = Report.GetFontSize();
    Report.SetFontSize(s);
    return result;
}

void TextTab(TBaseReport& Report, const QString& Text)
{
    const double size = Report.GetFontSize();
    TTab* tab = Report.GetTab(0);
    if (!tab)
        tab = Report.GetTab(1);
    if (!tab)
        throw EHostFehler("Kein Tabellenfeld für \"" + Text + "\" gefunden");
    Report.Tab(Report::NA, Report::NA, Report::NA, Report::NA, Report::NA);
    tab = Report.GetTab(0);
    const double inner = tab ? tab->Width - 2 * Report.XI2U(tab->Margin) : 0;
    Report.SetFontSize(FontSizeToFit(Report, Text, inner));
    Report.Print(Text);
    Report.SetFontSize(size);
}

QStringList TextAufteilen(TBaseReport& Report, const QString& Bezeichnung, double Anfang, double Ende)
{
    // Most names fit on their line as they are.
    if (!Bezeichnung.isEmpty() && !Bezeichnung.contains('\n') && !Bezeichnung.contains('\r')
        && !Bezeichnung.front().isSpace() && !Bezeichnung.back().isSpace()
        && Report.TextWidth(Bezeichnung) <= Ende - Anfang)
        return {Bezeichnung};
    Report::TMemoBuf memo;
    memo.SetPrintStart(Anfang);
    memo.SetPrintEnd(Ende);
    memo.SetText(Bezeichnung);
    QStringList list;
    const int n = Report.MemoLines(memo);
    for (int i = 0; i < n; ++i) {
        bool eol = false;
        list << Report.GetMemoLine(memo, eol);
    }
    return list;
}

void SpaltenSetzen(TBaseReport& Report, const QVector<TSpalte>& Spalten, double Start)
{
    Report.ClearTabs();
    for (qsizetype i = 0; i < Spalten.size(); ++i) {
        const double pos = i == 0 ? (Start == Report::NA ? Report.SectionLeft() : Start) : Report::NA;
        const TSpalte& s = Spalten[i];
        if (s.Breite == Rest)
            SetLastTab(Report, pos, s.Ausrichtung, 3, Report::BOXLINENONE, 0);
        else
            Report.SetTab(pos, s.Ausrichtung, s.Breite, 3, Report::BOXLINENONE, 0);
    }
}

QString Druckbar(const QString& Wert)
{
    const auto trennt = [](QChar c) { return c == '\t' || c == '\r' || c == '\n'; };
    // Nearly every value has none: it is passed on as it is, without a copy.
    if (std::none_of(Wert.cbegin(), Wert.cend(), trennt))
        return Wert;
    QString s = Wert;
    for (QChar& c : s)
        if (trennt(c))
            c = ' ';
    return s;
}

void Zelle(TBaseReport& Report, const QString& Feld)
{
    const QString text = Druckbar(Feld);
    if (Report.TabIndex() < Report.TabCount()) {
        const TTab* t = Report.GetTab(Report.TabIndex() + 1);
        if (Report.TextWidth(text) < t->Width - 2 * Report.XI2U(t->Margin)) {
            Report.Tab(); // it fits: no font to fit
            Report.Print(text);
        } else {
            TextTab(Report, text);
        }
    } else {
        Report.Tab();
        Report.Print(text);
    }
}

void Zeile(TBaseReport& Report, const QStringList& Felder)
{
    for (const QString& f : Felder)
        Zelle(Report, f);
    Report.NewLine();
}

TBildgroesse Wappengroesse(double Breite, double Hoehe)
{
    double b = Qvsettings::GetInteger("Speziell", "BitmapLL") / 100.0;
    double h = Qvsettings::GetInteger("Speziell", "BitmapLH") / 100.0;
    if (b <= 0 && h <= 0)
        return {};
    // One size alone gives a square picture.
    if (b <= 0)
        b = h;
    if (h <= 0)
        h = b;
    const double faktor = std::min({1.0, Breite / b, Hoehe / h});
    return {b * faktor, h * faktor};
}

QString KennzZahlHolen(int Ident, const QString& AuswahlE, const QString& AuswahlM, const QString& Disziplin,
                       const QString& Klasse, QString& Kennziffer, bool NormalAusgabe)
{
    QString result;
    Kennziffer.clear();
    QString sql = "SELECT *\r\nFROM PDISKLA\r\nWHERE Ident = " + QString::number(Ident) + "\r\n  AND Disziplin = "
                  + Ado::QuotedStr(Disziplin);
    if (!Klasse.isEmpty())
        sql += "\r\n  AND Klasse = " + Ado::QuotedStr(Klasse);
    auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    if (q->IsEmpty())
        return result;
    q->First();
    auto zweiFelder = [](const QString& s) {
        int pos = 1;
        const QString a = Schtools::FeldErmitteln(s, pos, '.');
        const QString b = Schtools::FeldErmitteln(s, pos, '.');
        return a + "." + b;
    };
    if (AuswahlE == "E") {
        result = AuswahlM == "V" ? zweiFelder(q->FieldByName("KennzE")->AsString()) : q->FieldByName("KennzE")->AsString();
    } else if (AuswahlM == "V") {
        result = zweiFelder(q->FieldByName("KennzMDSB")->AsString());
    } else {
        result = q->FieldByName("KennzM")->AsString();
        Kennziffer = NormalAusgabe ? q->FieldByName("KennzMDSB")->AsString() : q->FieldByName("KennzM")->AsString();
    }
    return result;
}

QString EtikettEinpassen(TBaseReport& Report, QString Text, double Breite)
{
    if (Breite <= 0 || Report.TextWidth(Text) <= Breite)
        return Text;
    const double groesse = FontSizeToFit(Report, Text, Breite);
    Report.SetFontSize(std::max(groesse, EtikettKleinste));
    while (Text.size() > 1 && Report.TextWidth(Text) > Breite) {
        Text.chop(Text.endsWith(QChar(0x2026)) ? 2 : 1);
        Text = Text.trimmed() + QChar(0x2026);
    }
    return Text;
}

void EtikettZeile(TBaseReport& Report, const QString& Text, double X, bool Zentriert)
{
    Report.PushFont();
    if (Zentriert) {
        const double halb = std::min(X - Report.SectionLeft(), Report.SectionRight() - X) - EtikettAbstand;
        Report.PrintCenter(EtikettEinpassen(Report, Text, 2 * halb), X);
    } else {
        Report.PrintLeft(EtikettEinpassen(Report, Text, Report.SectionRight() - X - EtikettAbstand), X);
    }
    Report.PopFont();
    Report.NewLine();
}

void Schrift(TBaseReport& Report, double Groesse, bool Fett)
{
    Report.SetFont("Arial", Groesse);
    Report.SetBold(Fett);
    Report.SetItalic(false);
}

QString Feld(Ado::TDataSet& q, const char* Name) { return q.FieldByName(Name)->AsString(); }

} // namespace Reportutil
