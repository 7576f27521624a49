#include "reports1/module/Einspruenge.h"

#include "reports1/documents/Einladung1.h"
#include "reports1/documents/Rechnung1.h"
#include "reports1/documents/Startgeld1.h"
#include "reports1/documents/Zusammen1.h"
#include "reports1/entries/Abmeldung1.h"
#include "reports1/entries/Etiketten1.h"
#include "reports1/entries/Ummeldungdlg.h"
#include "reports1/entries/Gestartet1.h"
#include "reports1/entries/Starter1.h"
#include "reports1/preparation/Ausnahme1.h"
#include "reports1/preparation/Durchgang1.h"
#include "reports1/preparation/Vorbereitung1.h"
#include "reports1/preparation/Vollst1.h"
#include "reports1/preparation/VorbScheiben.h"
#include "reports1/preparation/Zulassung.h"
#include "reports1/results/Ergebdruck1.h"
#include "reports1/statistics/Statistik1.h"
#include "reports1/statistics/Statistik2.h"

#include <QTextStream>

#include <algorithm>
#include <vector>

namespace Einspruenge {

namespace {

bool wahr(const QString& a)
{
    const QString s = a.trimmed().toLower();
    return s == "true" || s == "1" || s == "ja" || s == "j";
}

const std::vector<TEinsprung>& alle()
{
    static const std::vector<TEinsprung> liste = {
        {"Starterliste", "bt_OK", [](const QString& a) { Starter1::Starterliste(wahr(a)); }},
        // true: the deregistered starts of the championship; false: the archive.
        {"Abgemeldete", "bt_OK", [](const QString& a) { Abmeldung1::Abgemeldete(wahr(a)); }},
        {"Gestartetliste", "bt_OK", [](const QString&) { Gestartet1::Gestartetliste(); }},
        // CODE: the output of the relay-list dialog (0 relay list … 8 staff badges).
        {"Durchgangsliste", "bt_OK", [](const QString& a) {
             Durchgang1::Durchgangsliste(Host::TAuswahl(std::clamp(a.trimmed().toInt(), 0, 8)));
         }},
        {"AdressEtiketten", "bt_OK", [](const QString&) { Etiketten1::AdressEtiketten(); }},
        {"Ummeldung", "bt_Bearbeiten", [](const QString&) { Ummeldungdlg::Erstellen(); }},
        {"Ausnahmen", "bt_OK", [](const QString&) { Ausnahme1::Ausnahmen(); }},
        // The target order question, then the form (blank or filled).
        {"Scheibenbestellung", "bt_OK", [](const QString&) { VorbScheiben::Scheibenbestellung(Ausnahme1::DruckjobID); }},
        {"Ergebdruck1", "", [](const QString& a) { Ergebdruck1::Erstellen(a.isEmpty() || wahr(a)); }},
        {"Vorbereitung1", "", [](const QString&) { Vorbereitung1::Erstellen(); }},
        {"MitarbeiterStatistik", "bt_OK", [](const QString&) { Statistik1::MitarbeiterStatistik(); }},
        {"Statistik2", "", [](const QString& a) { Statistik2::Erstellen(a.isEmpty() || wahr(a)); }},
        {"Startgeld1", "", [](const QString&) { Startgeld1::Erstellen(); }},
        // KIND[,pdf]: 1 invoice by fee group, 2 detailed invoice, 3 overview.
        {"Rechnungliste", "bt_OK", [](const QString& a) {
             Rechnung1::Rechnungliste(a.section(',', 0, 0).trimmed(), a.section(',', 1).trimmed().toLower() == "pdf");
         }},
        {"Einladungsliste", "bt_OK", [](const QString&) { Einladung1::Einladungsliste(); }},
        // KIND[,pdf]: the start document (0-3 start cards, 4 summary, 5 staff
        // overview, 6 staff confirmation, 7 district summary, 8 score sheets).
        {"Zusammenfassungsliste", "bt_OK", [](const QString& a) {
             Zusammen1::Zusammenfassungsliste(Host::TDruckArt(std::clamp(a.section(',', 0, 0).trimmed().toInt(), 0, 8)),
                                              a.section(',', 1).trimmed().toLower() == "pdf");
         }},
        // CODE: 0 portrait list, 1 landscape matrix, 2 HTML file, 3 RTF file.
        {"Zulassungsliste", "bt_OK", [](const QString& a) { Zulassung::Zulassungsliste(Host::TAuswahl(a.toInt())); }},
        // MODE: 1 completeness list, 2 for the next organiser, 3 ranges and
        // days of the medal forecast (the choice is printed), 4 takeover list.
        {"Vollstliste", "bt_OK", [](const QString& a) {
             QString ergebnis;
             Vollst1::Vollstliste(a.isEmpty() ? 1 : a.toInt(), ergebnis);
             if (!ergebnis.isEmpty())
                 QTextStream(stdout) << "AUSWAHL: " << ergebnis << Qt::endl;
         }},
    };
    return liste;
}

} // namespace

const TEinsprung* Finden(const QString& Name)
{
    for (const auto& e : alle())
        if (e.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QStringList Namen()
{
    QStringList n;
    for (const auto& e : alle())
        n << e.Name;
    return n;
}

} // namespace Einspruenge
