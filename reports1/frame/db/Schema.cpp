#include "reports1/frame/db/Schema.h"

#include "platform/host/Eingabefehler.h"
#include "platform/host/QvsettingsDb.h"

namespace Schema {

namespace {

using K = Kind;

// clang-format off
const std::vector<Table> kTables = {
    // One start: a member's entry in one discipline and class.
    {"ERGEBNIS", {
        {"ID", K::Id},
        {"Ident", K::Int}, {"MitglNr", K::Text}, {"VereinNr", K::Text}, {"Disziplin", K::Text}, {"EKlasse", K::Text},
        // the team the result counts for; empty = none
        {"MVereinNr", K::Text}, {"MDisziplin", K::Text}, {"MKlasse", K::Text}, {"MannschNr", K::Text},
        {"Ergebnis", K::Real}, {"LErgebnis", K::Real},
        {"Finale", K::Real},          // tenths of a point
        {"Serien", K::Text},          // series, 3 digits each: "095097098"
        {"Zehner", K::Int}, {"Neuner", K::Int}, {"Achter", K::Int}, {"Innenzehner", K::Int},
        {"ErgZentel", K::Real},       // result in tenths (tenth-ring scoring)
        {"MessErg", K::Real},         // 10 x (1000 - measured value)
        {"StechErg", K::Real},        // shoot-off, tenths
        {"Zusatz", K::Int},
        {"Qual", K::Text, "'N'"}, {"Abmeldung", K::Text, "'N'"}, {"AManuell", K::Text}, {"Manuell", K::Text},
        {"Disqualifikation", K::Int}, // rule number of EREGEL, 0 = none
        {"Anlage", K::Int}, {"WKTag", K::Int}, {"WKZeit1", K::Time}, {"WKZeit2", K::Time},
        {"Durchgang", K::Int}, {"Stand", K::Int}, {"StartNr", K::Int},
        {"WaffenGrp", K::Text}, {"Teilmeisterschaft", K::Text},
        {"DruckDat", K::DateTime},    // when the start card was printed
        {"DGID", K::Int}, {"ADGID", K::Int},
        // the district of the start's club, computed: first two characters of VereinNr
        {"Bezirk", K::District},
    }, "ID", {
        {"IDENTIFIKATION", "Ident,MitglNr,Disziplin,DruckDat"},
        {"GRUPPE", "Ident,Disziplin,EKlasse"},
        {"ANLAGE", "Ident,Anlage,WKTag,Disziplin"},
        {"VEREIN", "Ident,VereinNr"},
        {"MANNSCHAFT", "Ident,MVereinNr,MDisziplin,MKlasse,MannschNr"},
        {"MITGLIED", "MitglNr"},
    }},
    {"EMITGLIED", {
        {"MitglNr", K::Key}, {"Name", K::Text}, {"Vorname", K::Text}, {"Titel", K::Text},
        {"Jahrgang", K::Text}, {"Monat", K::Text}, {"Tag", K::Text}, {"Geschlecht", K::Text},
        {"Strasse", K::Text}, {"PLZ", K::Text}, {"Ort", K::Text},
        {"HlKlasse", K::Text}, {"JahrgangJa", K::Text}, {"OrgMitglNr", K::Text},
    }, "MitglNr", {{"NAME", "Name,Vorname"}}},
    {"EVEREIN", {
        {"VereinNr", K::Key}, {"Name", K::Text}, {"Titel", K::Text}, {"Abkuerzung", K::Text},
        {"Strasse", K::Text}, {"PLZ", K::Text}, {"Ort", K::Text},
        {"Kreis", K::Text}, {"Land", K::Text}, {"Vorstand", K::Text},
        {"Bank", K::Text}, {"BLZ", K::Text}, {"Konto", K::Text}, {"RechNr", K::Text},
        {"Startgeld", K::Text},       // general fee in hundredths, "0000002500"; '' = none
    }, "VereinNr", {{"NAME", "Name"}}},
    {"EMITVER", {
        {"MitglNr", K::Key}, {"VereinNr", K::Key}, {"Auswahl", K::Text},
    }, "MitglNr,VereinNr", {{"VEREIN", "VereinNr"}}},
    {"EDISZIPLIN", {
        {"MitglNr", K::Key}, {"VereinNr", K::Key}, {"Disziplin", K::Key},
    }, "MitglNr,VereinNr,Disziplin", {}},
    {"EMANNSCH", {
        {"ID", K::Id},
        {"Ident", K::Int}, {"VereinNr", K::Text}, {"Disziplin", K::Text}, {"MKlasse", K::Text},
        {"MannschNr", K::Text}, {"MannNr", K::Int},
        {"Ergebnis", K::Real}, {"Serie1", K::Real}, {"Serie2", K::Real}, {"Serie3", K::Real},
        {"AnzMannsch", K::Int}, {"AnzMannschIst", K::Int},
        {"Qual", K::Text, "'N'"}, {"Abmeldung", K::Text, "'N'"}, {"MUmmeldung", K::Text, "'N'"},
        {"Ummeldung", K::Int}, {"Rangfolge", K::Int},
    }, "ID", {
        {"GRUPPE", "Ident,Disziplin,MKlasse"},
        {"MANNSCHAFT", "Ident,VereinNr,Disziplin,MKlasse,MannschNr"},
    }},
    {"PDISZIPLIN", {
        {"Ident", K::IntKey}, {"Disziplin", K::Key}, {"Name", K::Text}, {"Kurz", K::Text},
        {"Kennung", K::Text}, {"Ausgabe", K::Text}, {"DurchgangsZahl", K::Int},
        {"Erstattung", K::Real}, {"ErstattungElek", K::Real},
        {"Zehntel", K::Text, "'N'"}, {"Auflage", K::Text, "'N'"}, {"OlDisziplin", K::Text},
    }, "Ident,Disziplin", {}},
    {"PKLASSE", {
        {"Ident", K::IntKey}, {"Klasse", K::Key}, {"Name", K::Text}, {"Kurz", K::Text}, {"Zusatz", K::Text},
        {"Auflage", K::Text, "'N'"}, {"Sort", K::Text}, {"Zahl", K::Int},
    }, "Ident,Klasse", {}},
    {"PDISKLA", {
        {"Ident", K::IntKey}, {"Disziplin", K::Key}, {"Klasse", K::Key}, {"Teilmeisterschaft", K::Text},
        {"AnzSerien", K::Int}, {"AnzWertung", K::Int}, {"AnzMannschaft", K::Int},
        {"ErgebEinzel", K::Real}, {"ErgebFinale", K::Real}, {"ErgebFinaleAnz", K::Int},
        {"ErgebEing", K::Text},       // 'X' = results released for output
        {"Druckauftrag", K::Text}, {"SteuerKz", K::Text}, {"AbwEKlasse", K::Text}, {"AbwMKlasse", K::Text},
        {"OlDisziGrp", K::Text},
        {"KennzE", K::Text}, {"KennzM", K::Text}, {"KennzEDSB", K::Text}, {"KennzMDSB", K::Text},
        {"ZaehlerE", K::Int}, {"ZaehlerM", K::Int},
        {"StgGrpEinzel", K::Int}, {"StgGrpMannschaft", K::Int},
        {"Durchgz1", K::Int}, {"Durchgz2", K::Int}, {"Durchgz1Elek", K::Int}, {"Durchgz2Elek", K::Int},
        {"Elektronisch", K::Text, "'N'"}, {"Pause", K::Int},
        {"ZulassEinzel", K::Real}, {"ZulassEinzelAnz", K::Int},
        {"ZulassMannsch", K::Real}, {"ZulassMannschAnz", K::Int},
    }, "Ident,Disziplin,Klasse", {{"AUSGABE", "Ident,ErgebEing"}}},
    {"PANLAGE", {
        {"Ident", K::IntKey}, {"Anlage", K::IntKey}, {"Name", K::Text},
    }, "Ident,Anlage", {}},
    {"AWKTAG", {
        {"Ident", K::IntKey}, {"WKTag", K::IntKey}, {"Datum", K::Date}, {"Status", K::Text},
        {"Teilmeisterschaft", K::Text},
    }, "Ident,WKTag", {}},
    {"ASZEIT", {
        {"ID", K::Id},
        {"Ident", K::Int}, {"Anlage", K::Int}, {"WKTag", K::Int}, {"Disziplin", K::Text},
        {"Von", K::Time}, {"Bis", K::Time}, {"Anzahl", K::Int}, {"ErsterStand", K::Int},
        {"Freigabe", K::Text}, {"KListe", K::Text},
    }, "ID", {{"PLAN", "Ident,Anlage,WKTag"}}},
    {"AKLISTE", {
        {"Ident", K::IntKey}, {"KListe", K::Key}, {"Klasse", K::Key},
    }, "Ident,KListe,Klasse", {}},
    {"PSTARTG", {
        {"Ident", K::IntKey}, {"StgGrp", K::IntKey}, {"Betrag", K::Real},
    }, "Ident,StgGrp", {{"IDENTIFIKATION", "Ident,StgGrp"}}},
    {"MITARB", {
        {"Ident", K::IntKey}, {"MitglNr", K::Key}, {"Seit", K::Text},
        {"Name", K::Text}, {"Vorname", K::Text}, {"Titel", K::Text}, {"Jahrgang", K::Text}, {"Monat", K::Text},
    }, "Ident,MitglNr", {{"NAME", "Name,Vorname"}}},
    {"MITART", {
        {"MitArt", K::Key}, {"Name", K::Text}, {"Etikett", K::Text, "'N'"},
    }, "MitArt", {}},
    {"MSPESEN", {
        {"ID", K::Id},
        {"Ident", K::Int}, {"MitglNr", K::Text}, {"VereinNr", K::Text}, {"Anlage", K::Int}, {"WKTag", K::Int},
        {"Teilmeisterschaft", K::Text}, {"MitArt", K::Text}, {"Beginn", K::Time}, {"Ende", K::Time},
        {"Tagessatz", K::Text},       // "1" full day, "2" half day
        {"Auszahlung", K::Text, "'N'"}, {"Entfernung", K::Real},
    }, "ID", {{"EINSATZ", "Ident,Anlage,WKTag"}, {"MITGLIED", "Ident,MitglNr"}}},
    {"PSCHEIART", {
        {"ScheibenArt", K::Key}, {"Name", K::Text}, {"Nummer", K::Int}, {"Sort", K::Int},
        {"Packung", K::Int}, {"Karton", K::Int}, {"Unterteilung", K::Text},
    }, "ScheibenArt", {}},
    {"ESCHEIBEN", {
        {"ID", K::Id},
        {"Ident", K::Int}, {"ScheibenArt", K::Text}, {"Anzahl", K::Int}, {"AnzahlWert", K::Int},
        {"AnzahlProbe", K::Int}, {"BestAnz", K::Int}, {"BestMengeW", K::Int}, {"BestMengeP", K::Int},
        {"Von", K::Int}, {"Bis", K::Int}, {"Wertung", K::Text}, {"Probe", K::Text},
        {"Liegend", K::Text}, {"Stehend", K::Text}, {"Kniend", K::Text},
    }, "ID", {{"BEDARF", "Ident,ScheibenArt"}}},
    {"EREKORDE", {
        {"ID", K::Id},
        {"Ident", K::Int}, {"Disziplin", K::Text}, {"Klasse", K::Text}, {"DisziplinName", K::Text},
        {"KlasseKurz", K::Text}, {"KlasseName", K::Text}, {"MitglNr", K::Text}, {"Name", K::Text},
        {"Abkuerzung", K::Text}, {"Ergebnis", K::Real}, {"Finale", K::Real}, {"Jahr", K::Int},
        {"Veranst", K::Text}, {"Nummer", K::Int},
    }, "ID", {{"GRUPPE", "Ident,Disziplin,Klasse"}}},
    {"EREKORDM", {
        {"ID", K::Id},
        {"Ident", K::Int}, {"Disziplin", K::Text}, {"Klasse", K::Text}, {"DisziplinName", K::Text},
        {"KlasseName", K::Text}, {"MannschNr", K::Text}, {"VereinNr", K::Text}, {"Name", K::Text},
        {"Abkuerzung", K::Text}, {"Ergebnis", K::Real}, {"Jahr", K::Int}, {"Veranst", K::Text},
        {"Nummer", K::Int},
    }, "ID", {{"GRUPPE", "Ident,Disziplin,Klasse"}}},
    {"EURKUNDEE", {
        {"ID", K::Id},
        {"Disziplin", K::Text}, {"EKlasse", K::Text}, {"Platz", K::Text}, {"Nummer", K::Text},
        {"Name1", K::Text}, {"Name2", K::Text}, {"Sportjahr", K::Text}, {"DisziplinName", K::Text},
        {"KlasseName", K::Text}, {"Name", K::Text}, {"Verein", K::Text}, {"RingEinzel", K::Text},
        {"RingMannsch", K::Text}, {"RingZusatz", K::Text}, {"Ober", K::Text}, {"Sportl", K::Text},
        {"Titel", K::Text}, {"Abkuerzung", K::Text}, {"Rekord", K::Text},
    }, "ID", {}},
    {"EURKUNDEM", {
        {"ID", K::Id},
        {"Disziplin", K::Text}, {"MKlasse", K::Text}, {"Platz", K::Text}, {"Nummer", K::Text},
        {"Name1", K::Text}, {"Name2", K::Text}, {"Sportjahr", K::Text}, {"DisziplinName", K::Text},
        {"KlasseName", K::Text}, {"VerTitel", K::Text}, {"VerName", K::Text}, {"Mitglied", K::Text},
        {"RingEinzel", K::Text}, {"RingMannsch", K::Text}, {"RingZusatz", K::Text}, {"Ober", K::Text},
        {"Sportl", K::Text}, {"Abkuerzung", K::Text}, {"Rekord", K::Text},
    }, "ID", {}},
    // Medal working table: one row per club (or district, region).
    {"EMEDAILLE", {
        {"VereinNr", K::Key}, {"Nummer", K::Int}, {"Abkuerzung", K::Text}, {"Name", K::Text},
        {"Kreis", K::Int}, {"KreisName", K::Text}, {"BezirkName", K::Text},
        {"EGold", K::Int}, {"ESilber", K::Int}, {"EBronze", K::Int},
        {"MGold", K::Int}, {"MSilber", K::Int}, {"MBronze", K::Int}, {"Titel", K::Text},
    }, "VereinNr", {{"IDENTIFIKATION", "VereinNr"}, {"NUMMER", "Nummer"}}},
    {"EARCHIV", {
        {"ID", K::Id},
        {"Ident", K::Int}, {"MitglNr", K::Text}, {"VereinNr", K::Text}, {"Disziplin", K::Text},
        {"EKlasse", K::Text}, {"Ergebnis", K::Real},
        {"Ebene", K::Int},            // level of the championship the start was archived at
        {"Loeschung", K::Text},       // 'X' = deleted, '' = withdrawn
    }, "ID", {{"GRUPPE", "Ident,Disziplin,EKlasse"}}},
    {"EREGEL", {
        {"Nummer", K::IntKey}, {"Regel", K::Text},
    }, "Nummer", {}},
    // The championships of the database and their organisers.
    {"ZKTMP", {
        {"Ident", K::IntKey}, {"Veranstalter", K::Text},
        {"Veranstaltung", K::Text},   // the championship's name (settings scope)
    }, "Ident", {}},
};
// clang-format on

QString columnSql(const Column& c, Ado::TEngine e)
{
    const bool pg = e == Ado::engPostgreSQL;
    QString type;
    switch (c.kind) {
    case Kind::Key: type = "TEXT NOT NULL"; break;
    case Kind::IntKey: type = "INTEGER NOT NULL"; break;
    case Kind::Id: type = pg ? "INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY" : "INTEGER PRIMARY KEY"; break;
    case Kind::Text: type = QString("TEXT DEFAULT ") + (c.defaultValue ? c.defaultValue : "''"); break;
    case Kind::Int: type = QString("INTEGER DEFAULT ") + (c.defaultValue ? c.defaultValue : "0"); break;
    case Kind::Real: type = QString(pg ? "DOUBLE PRECISION" : "REAL") + " DEFAULT " + (c.defaultValue ? c.defaultValue : "0"); break;
    case Kind::Date: type = "DATE"; break;
    case Kind::Time: type = "TIME"; break;
    case Kind::DateTime: type = pg ? "TIMESTAMP" : "DATETIME"; break;
    case Kind::District:
        type = QString("TEXT GENERATED ALWAYS AS (substr(VereinNr, 1, 2)) ") + (pg ? "STORED" : "VIRTUAL");
        break;
    }
    return QString(c.name) + " " + type;
}

} // namespace

const std::vector<Table>& Tables() { return kTables; }

const Table* FindTable(const QString& name)
{
    for (const Table& t : kTables)
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList Statements(Ado::TEngine engine)
{
    QStringList out;
    for (const Table& t : kTables) {
        QStringList cols;
        bool idKey = false;
        for (const Column& c : t.columns) {
            cols << columnSql(c, engine);
            idKey = idKey || c.kind == Kind::Id;
        }
        if (!idKey)
            cols << QString("PRIMARY KEY (%1)").arg(t.primaryKey);
        out << QString("CREATE TABLE %1 (\n  %2\n)").arg(t.name, cols.join(",\n  "));
        for (const Index& ix : t.indexes)
            out << QString("CREATE INDEX %1_%2 ON %1 (%3)").arg(t.name, ix.name, ix.fields);
    }
    out << Qvsettings::TDbSettings::CreateTableSql();
    out << "CREATE TABLE SCHEMAVERSION (Version INTEGER NOT NULL)";
    out << QString("INSERT INTO SCHEMAVERSION (Version) VALUES (%1)").arg(Version);
    return out;
}

void Create(Ado::TADOConnection& connection)
{
    if (connection.TableExists("SCHEMAVERSION") || connection.TableExists("ERGEBNIS"))
        throw EHostFehler("Die Datenbank enthält bereits Tabellen");
    Ado::TTransaction t(connection);
    for (const QString& sql : Statements(connection.Engine()))
        connection.Execute(sql);
    t.Commit();
}

int InstalledVersion(Ado::TADOConnection& connection)
{
    if (!connection.TableExists("SCHEMAVERSION"))
        return 0;
    return connection.Scalar("SELECT MAX(Version) FROM SCHEMAVERSION").toInt();
}

void Upgrade(Ado::TADOConnection& connection)
{
    const int v = InstalledVersion(connection);
    if (v > Version)
        throw EHostFehler(QString("Die Datenbank hat die Version %1; dieses Programm kennt nur bis %2").arg(v).arg(Version));
    if (v == 0)
        throw EHostFehler("Die Datenbank hat keine Versionsangabe");
    // Version 1 is the first; later versions add their steps here, each
    // in one transaction that ends by updating SCHEMAVERSION.
}

} // namespace Schema
