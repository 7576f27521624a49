#include "reports1/results/ErgebMedaille.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QMap>
#include <QPainter>
#include <QPdfWriter>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>

#include <algorithm>

using Qvutil::CRLF;

namespace ErgebMedaille {

QString EinzelSQL()
{
    return QStringList{
        "SELECT E.VereinNr,E.Disziplin,E.EKlasse,",
        "       (E.Ergebnis + (E.Finale / 10)) AS Gesamt,",
        "       E.Zusatz,E.MessErg,E.StechErg,E.Serien,",
        "       V.Name AS VerName,V.Abkuerzung,V.Kreis",
        "FROM ERGEBNIS E, EVEREIN V",
        "WHERE E.Ergebnis > 0",
        "  AND E.VereinNr = V.VereinNr",
        "  AND (E.Qual = 'N'",
        "   OR  E.Qual = 'Q')",
        "  AND E.Ident = :Ident",
        "ORDER BY E.Disziplin,E.EKlasse,(E.Ergebnis + (E.Finale / 10)) DESC,",
        "         E.StechErg DESC,E.Zusatz DESC,E.Serien DESC,E.MessErg DESC",
    }.join(CRLF);
}

QString MannschaftSQL()
{
    return QStringList{
        "SELECT M.Disziplin,M.MKlasse,M.Ergebnis as Gesamt,",
        "       M.VereinNr,M.Serie1,M.Serie2,M.Serie3,",
        "       V.Name AS VerName,V.Abkuerzung,V.Kreis",
        "FROM EMANNSCH M, EVEREIN V",
        "WHERE M.Ergebnis > 0",
        "  AND M.VereinNr = V.VereinNr",
        "  AND M.AnzMannsch = M.AnzMannschIst",
        "  AND (M.Qual = 'N'",
        "   OR  M.Qual = 'Q')",
        "  AND M.Ident = :Ident",
        "ORDER BY M.Disziplin,M.MKlasse,M.Ergebnis DESC,",
        "         M.Serie1 DESC,M.Serie2 DESC,M.Serie3 DESC",
    }.join(CRLF);
}

QString Einheit(const TOptionen& O, const QString& VereinNr, int Kreis)
{
    if (!O.Bildschirm)
        return VereinNr;
    if (O.Verband == 0)
        return O.Art > 2 ? QString::number(Kreis) : VereinNr.left(3);
    switch (O.Art) {
    case 1: return VereinNr;
    case 2: return VereinNr.left(2) + "00";
    case 3: return VereinNr.left(1) + "000";
    default: return VereinNr;
    }
}

namespace {

std::unique_ptr<Ado::TADOQuery> quelle(const QString& sql, int Ident)
{
    auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    q->ParamByName("Ident")->SetValue(Ident);
    q->Open();
    return q;
}

// Walks the ranked rows of one source: the first three of each discipline
// and class win gold, silver and bronze, ties decided by the row order.
void zaehlen(Ado::TADOQuery& q, const char* klasse, bool mannschaft, const TOptionen& O,
             QMap<QString, TEinheit>& einheiten)
{
    Druckjob::Status(mannschaft ? "Auszählen der Mannschaftsmedaillen" : "Auszählen der Einzelmedaillen");
    Druckjob::ProgressStart(q.RecordCount());
    QString gruppe;
    int platz = 0, zeile = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        Druckjob::Progress(++zeile);
        const QString g = q.FieldByName("Disziplin")->AsString() + QChar(0) + q.FieldByName(klasse)->AsString();
        if (g != gruppe) {
            gruppe = g;
            platz = 0;
        }
        if (++platz > 3)
            continue;
        const QString verein = q.FieldByName("VereinNr")->AsString();
        const int kreis = q.FieldByName("Kreis")->AsInteger();
        const QString schluessel = Einheit(O, verein, kreis);
        auto it = einheiten.find(schluessel);
        if (it == einheiten.end()) {
            TEinheit e;
            e.VereinNr = schluessel;
            e.Nummer = schluessel.toInt();
            e.Abkuerzung = q.FieldByName("Abkuerzung")->AsString();
            e.Name = q.FieldByName("VerName")->AsString();
            e.Kreis = O.Bildschirm ? kreis : kreis + (O.Verband == 0 ? 10 : 0);
            it = einheiten.insert(schluessel, e);
        }
        int* medaillen[2][3] = {{&it->EGold, &it->ESilber, &it->EBronze}, {&it->MGold, &it->MSilber, &it->MBronze}};
        ++*medaillen[mannschaft ? 1 : 0][platz - 1];
    }
}

} // namespace

bool Zaehlen(int Ident, const TOptionen& O)
{
    auto einzel = quelle(EinzelSQL(), Ident);
    auto mannschaft = quelle(MannschaftSQL(), Ident);
    if ((!O.Einzel || einzel->RecordCount() == 0) && (!O.Mannschaft || mannschaft->RecordCount() == 0)) {
        Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK);
        return false;
    }
    QMap<QString, TEinheit> einheiten;
    if (O.Einzel)
        zaehlen(*einzel, "EKlasse", false, O, einheiten);
    if (O.Mannschaft)
        zaehlen(*mannschaft, "MKlasse", true, O, einheiten);

    auto* dm = Datamod::DataModule1();
    Ado::TTransaction t(*dm->Connection());
    dm->DynSQL("DELETE FROM EMEDAILLE");
    for (const TEinheit& e : einheiten)
        dm->DynSQL("INSERT INTO EMEDAILLE (VereinNr,Nummer,Abkuerzung,Name,Kreis,KreisName,BezirkName,"
                   "EGold,ESilber,EBronze,MGold,MSilber,MBronze,Titel) VALUES ("
                   + QStringList{Ado::QuotedStr(e.VereinNr), QString::number(e.Nummer), Ado::QuotedStr(e.Abkuerzung),
                                 Ado::QuotedStr(e.Name), QString::number(e.Kreis),
                                 Ado::QuotedStr("Kreis " + QString::number(e.Kreis)), Ado::QuotedStr(""),
                                 QString::number(e.EGold), QString::number(e.ESilber), QString::number(e.EBronze),
                                 QString::number(e.MGold), QString::number(e.MSilber), QString::number(e.MBronze),
                                 Ado::QuotedStr("")}
                         .join(',')
                   + ")");
    t.Commit();
    return true;
}

QVector<TEinheit> Einheiten()
{
    auto q = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM EMEDAILLE\r\nORDER BY Nummer,EGold,ESilber,EBronze",
                                              Ado::clUseServer, Ado::ltReadOnly);
    QVector<TEinheit> out;
    for (q->First(); !q->Eof(); q->Next()) {
        auto f = [&](const char* n) { return q->FieldByName(n); };
        TEinheit e;
        e.VereinNr = f("VereinNr")->AsString();
        e.Nummer = f("Nummer")->AsInteger();
        e.Abkuerzung = f("Abkuerzung")->AsString();
        e.Name = f("Name")->AsString();
        e.Kreis = f("Kreis")->AsInteger();
        e.EGold = f("EGold")->AsInteger();
        e.ESilber = f("ESilber")->AsInteger();
        e.EBronze = f("EBronze")->AsInteger();
        e.MGold = f("MGold")->AsInteger();
        e.MSilber = f("MSilber")->AsInteger();
        e.MBronze = f("MBronze")->AsInteger();
        out << e;
    }
    return out;
}

namespace {

QString zahl(int n) { return n == 0 ? QString() : QString::number(n); }

QString einheitText(const TEinheit& e)
{
    QStringList teile{"(" + e.VereinNr + ")", e.Abkuerzung.trimmed(), e.Name.trimmed()};
    teile.removeAll(QString());
    return teile.join(' ');
}

} // namespace

void TabelleDrucken(Report::TBaseReport& Report, const TOptionen& O)
{
    Druckjob::Status("Erstellen des Medaillenspiegels");
    const QVector<TEinheit> einheiten = Einheiten();
    Druckjob::ProgressStart(int(einheiten.size()));
    const double mitte = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.NewLine();
    Report.NewLine();
    Report.SetFont("Arial", 12);
    Report.SetBold(true);
    Report.PrintCenter(O.Einzel && O.Mannschaft ? "MEDAILLENSPIEGEL KOMPLETT"
                                                : (O.Einzel ? "MEDAILLENSPIEGEL EINZEL" : "MEDAILLENSPIEGEL MANNSCHAFT"),
                       mitte);
    Report.NewLine();
    Report.SetBold(false);
    Report.PrintCenter(Qvsettings::GetString("Global", "Ueberschr") + " "
                           + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr")),
                       mitte);
    Report.NewLine();
    Report.NewLine();
    Reportutil::SpaltenSetzen(Report, {{8.5, Report::pjLeft}, {3.0, Report::pjCenter}, {3.0, Report::pjCenter},
                                       {3.0, Report::pjCenter}});
    auto kopf = [&] {
        Report.SetFont("Arial", 11);
        Report.SetBold(true);
        Reportutil::Zeile(Report, {"Verein", "Gold", "Silber", "Bronze"});
        Report.SetBold(false);
    };
    kopf();
    // A state championship groups its clubs by district, each district with
    // a line of its sums; the others list the clubs by number.
    QVector<TEinheit> reihe = einheiten;
    const bool kreise = O.Art >= 3;
    if (kreise)
        std::stable_sort(reihe.begin(), reihe.end(),
                         [](const TEinheit& a, const TEinheit& b) { return a.Kreis < b.Kreis; });
    auto summenZeile = [&](const QString& text, const int (&s)[3]) {
        Report.SetBold(true);
        Reportutil::Zeile(Report, {text, QString::number(s[0]), QString::number(s[1]), QString::number(s[2])});
        Report.SetBold(false);
    };
    int zeile = 0;
    int summe[3] = {}, kreisSumme[3] = {};
    for (qsizetype i = 0; i < reihe.size(); ++i) {
        const TEinheit& e = reihe[i];
        Druckjob::Progress(++zeile);
        const bool neuerKreis = kreise && (i == 0 || reihe[i - 1].Kreis != e.Kreis);
        if (Report.LinesLeft() < (neuerKreis ? 4 : 2)) {
            Report.NewPage();
            Report.NewLine();
            kopf();
        }
        if (neuerKreis) {
            Report.NewLine();
            Report.SetBold(true);
            Reportutil::Zeile(Report, {"Kreis " + QString::number(e.Kreis)});
            Report.SetBold(false);
        }
        Reportutil::Zeile(Report, {einheitText(e), zahl(e.Gold(O)), zahl(e.Silber(O)), zahl(e.Bronze(O))});
        const int m[3] = {e.Gold(O), e.Silber(O), e.Bronze(O)};
        for (int k = 0; k < 3; ++k) {
            summe[k] += m[k];
            kreisSumme[k] += m[k];
        }
        if (kreise && (i + 1 == reihe.size() || reihe[i + 1].Kreis != e.Kreis)) {
            summenZeile("Summe Kreis " + QString::number(e.Kreis), kreisSumme);
            std::fill(std::begin(kreisSumme), std::end(kreisSumme), 0);
        }
    }
    // The medals handed out in all, below the units.
    Report.NewLine();
    summenZeile("Gesamt", summe);
}

namespace {

QChart* diagramm(const QString& titel)
{
    auto* c = new QChart;
    c->setTitle(titel);
    c->setAnimationOptions(QChart::NoAnimation);
    c->legend()->setAlignment(Qt::AlignBottom);
    return c;
}

// A unit as the charts name it: its key (a club, district or region
// number) and the club its first medal came from.
QString name(const TEinheit& e) { return einheitText(e); }

} // namespace

QWidget* BalkenDiagramm(const TOptionen& O, QWidget* parent)
{
    const QVector<TEinheit> einheiten = Einheiten();
    auto* serie = new QBarSeries;
    const QString namen[3] = {"Gold", "Silber", "Bronze"};
    const QColor farben[3] = {QColor(212, 175, 55), QColor(170, 170, 176), QColor(176, 112, 56)};
    QStringList kategorien;
    int hoechste = 0;
    QBarSet* saetze[3];
    for (int m = 0; m < 3; ++m) {
        saetze[m] = new QBarSet(namen[m]);
        saetze[m]->setColor(farben[m]);
    }
    for (const TEinheit& e : einheiten) {
        kategorien << name(e);
        const int n[3] = {e.Gold(O), e.Silber(O), e.Bronze(O)};
        for (int m = 0; m < 3; ++m) {
            *saetze[m] << n[m];
            hoechste = std::max(hoechste, n[m]);
        }
    }
    for (QBarSet* s : saetze)
        serie->append(s);
    QChart* c = diagramm("Medaillenspiegel");
    c->addSeries(serie);
    auto* x = new QBarCategoryAxis;
    x->append(kategorien);
    x->setTitleText("Ausgewählte Vereine / Kreise / Bezirke");
    x->setLabelsAngle(-60);
    auto* y = new QValueAxis;
    // Whole numbers on the axis: at most ten steps of a whole size.
    const int schritt = std::max(1, (hoechste + 9) / 10);
    const int oben = std::max(1, (hoechste + schritt - 1) / schritt) * schritt;
    y->setRange(0, oben);
    y->setTickCount(oben / schritt + 1);
    y->setLabelFormat("%d");
    y->setTitleText("max. Anzahl Medaillen");
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    serie->attachAxis(x);
    serie->attachAxis(y);
    auto* v = new QChartView(c, parent);
    v->setObjectName("c_Medaillen");
    v->setRenderHint(QPainter::Antialiasing);
    return v;
}

QWidget* KuchenDiagramm(const TOptionen& O, int Medaille, QWidget* parent)
{
    static const QString titel[3] = {"Medaillenspiegel Gold", "Medaillenspiegel Silber", "Medaillenspiegel Bronze"};
    Medaille = std::clamp(Medaille, 0, 2);
    auto* serie = new QPieSeries;
    for (const TEinheit& e : Einheiten()) {
        const int n = Medaille == 0 ? e.Gold(O) : Medaille == 1 ? e.Silber(O) : e.Bronze(O);
        if (n > 0)
            serie->append(name(e) + " (" + QString::number(n) + ")", n);
    }
    // Neighbouring slices in colours that tell them apart.
    static const QColor farben[] = {QColor(31, 119, 180), QColor(255, 127, 14), QColor(44, 160, 44),
                                    QColor(214, 39, 40),  QColor(148, 103, 189), QColor(140, 86, 75),
                                    QColor(227, 119, 194), QColor(127, 127, 127), QColor(188, 189, 34),
                                    QColor(23, 190, 207)};
    for (int i = 0; i < serie->count(); ++i)
        serie->slices().at(i)->setBrush(farben[i % 10]);
    serie->setLabelsVisible(serie->count() <= 24);
    QChart* c = diagramm(titel[Medaille]);
    c->addSeries(serie);
    c->legend()->setVisible(serie->count() > 24);
    auto* v = new QChartView(c, parent);
    v->setObjectName("c_Kuchen");
    v->setRenderHint(QPainter::Antialiasing);
    return v;
}

bool DiagrammSpeichern(QWidget* Diagramm, const QString& Datei, QString* Fehler)
{
    auto* view = qobject_cast<QChartView*>(Diagramm);
    if (!view) {
        if (Fehler)
            *Fehler = "Es wird kein Diagramm angezeigt.";
        return false;
    }
    // Drawn at the size of a landscape A4 page at 100 dpi, whatever the
    // window's size on the screen (and also when it is not on the screen).
    const QSize groesse(1169, 827);
    QChart* chart = view->chart();
    const QSizeF vorher = chart->size();
    chart->resize(groesse);
    if (chart->layout())
        chart->layout()->activate();
    auto zeichnen = [&](QPainter& p, const QRectF& ziel) {
        p.setRenderHint(QPainter::Antialiasing);
        view->scene()->render(&p, ziel, QRectF(chart->pos(), chart->size()));
    };
    QByteArray inhalt;
    QBuffer puffer(&inhalt);
    puffer.open(QIODevice::WriteOnly);
    if (QFileInfo(Datei).suffix().compare("pdf", Qt::CaseInsensitive) == 0) {
        QPdfWriter pdf(&puffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setResolution(100);
        pdf.setTitle(chart->title());
        QPainter p(&pdf);
        zeichnen(p, QRectF(0, 0, pdf.width(), pdf.height()));
    } else {
        QImage bild(groesse, QImage::Format_ARGB32);
        bild.fill(Qt::white);
        QPainter p(&bild);
        zeichnen(p, QRectF(QPointF(0, 0), QSizeF(groesse)));
        p.end();
        bild.save(&puffer, "PNG");
    }
    chart->resize(vorher);
    puffer.close();
    return Report::WriteFileAtomic(Datei, inhalt, Fehler);
}

} // namespace ErgebMedaille
