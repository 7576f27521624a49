#pragma once
// What a generated championship is made of: the random numbers, the
// disciplines, classes and ranges, the names of places, clubs and people,
// and the rows the generator builds before it writes them.

#include "platform/ado/Ado.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTime>

#include <vector>

namespace Demo::detail {

// splitmix64: the same numbers for the same seed on every platform.
class Rng {
public:
    explicit Rng(quint64 seed) : s_(seed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL) {}
    quint64 next()
    {
        quint64 z = (s_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    int range(int lo, int hi) { return lo + below(hi - lo + 1); }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }
    double normal(double mean, double sd)
    {
        double u1 = std::max(unit(), 1e-12), u2 = unit();
        return mean + sd * std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }
    template <class C> const auto& pick(const C& c) { return c[size_t(below(int(std::size(c))))]; }

private:
    quint64 s_;
};

// ------------------------------------------------------------ master data

struct KlasseDef {
    const char* code;
    const char* name;
    const char* kurz;
    const char* zusatz;
    char sex;          // 'M', 'W' or '*'
    int ageMin, ageMax;
    const char* sort;  // classes with joint team forming share a letter
    const char* auflage;
    const char* team;  // team class
    double skill;      // mean shot value
    int feeGroup;
};

const KlasseDef kKlassen[] = {
    {"10", "Schützenklasse", "Schützen", "männlich", 'M', 21, 45, "A", "N", "10", 9.30, 1},
    {"11", "Damenklasse", "Damen", "weiblich", 'W', 21, 45, "A", "N", "10", 9.35, 1},
    {"20", "Schülerklasse", "Schüler", "männlich", 'M', 12, 14, "B", "N", "20", 8.40, 4},
    {"21", "Schülerklasse", "Schülerinnen", "weiblich", 'W', 12, 14, "B", "N", "20", 8.50, 4},
    {"30", "Jugendklasse", "Jugend m", "männlich", 'M', 15, 16, "C", "N", "30", 8.85, 2},
    {"31", "Jugendklasse", "Jugend w", "weiblich", 'W', 15, 16, "C", "N", "30", 8.95, 2},
    {"40", "Junioren A", "Jun. A m", "männlich", 'M', 17, 18, "D", "N", "40", 9.20, 2},
    {"41", "Junioren A", "Jun. A w", "weiblich", 'W', 17, 18, "D", "N", "40", 9.25, 2},
    {"42", "Junioren B", "Jun. B m", "männlich", 'M', 19, 20, "E", "N", "40", 9.25, 2},
    {"43", "Junioren B", "Jun. B w", "weiblich", 'W', 19, 20, "E", "N", "40", 9.25, 2},
    {"50", "Altersklasse", "Alters m", "männlich", 'M', 46, 55, "F", "N", "50", 9.10, 1},
    {"51", "Damenaltersklasse", "Alters w", "weiblich", 'W', 46, 55, "F", "N", "50", 9.10, 1},
    {"60", "Seniorenklasse A", "Sen. A", "Auflage", '*', 56, 65, "G", "J", "60", 9.70, 1},
    {"61", "Seniorenklasse B", "Sen. B", "Auflage", '*', 66, 72, "G", "J", "60", 9.65, 1},
    {"62", "Seniorenklasse C", "Sen. C", "Auflage", '*', 73, 88, "G", "J", "60", 9.55, 1},
};

inline const KlasseDef& klasse(const QString& code)
{
    for (const KlasseDef& k : kKlassen)
        if (code == QLatin1String(k.code))
            return k;
    return kKlassen[0];
}

struct DisziplinDef {
    const char* code;
    const char* name;
    const char* kurz;
    const char* kennung;
    const char* ausgabe;
    int series;
    int shotsPerSeries;    // 10 ring shots, or 25 clay targets
    const char* teilm;
    int range;
    const char* zehntel;
    const char* auflage;
    std::vector<const char*> classes;
    bool electronic;
    bool finale;
    double refund;
    double weight;         // how popular
    double skillShift;
    int relayMinutes, pauseMinutes;
};

inline const std::vector<DisziplinDef>& disziplinen()
{
    static const std::vector<DisziplinDef> d = {
        {"110", "Luftgewehr", "LG", "A", "Ringe", 4, 10, "1", 1, "N", "N",
         {"10", "11", "20", "21", "30", "31", "40", "41", "42", "43", "50", "51"}, true, true, 2.50, 10, 0.0, 50, 10},
        {"111", "Luftgewehr Auflage", "LG-A", "A", "Ringe", 3, 10, "1", 1, "N", "J",
         {"60", "61", "62"}, true, false, 2.50, 4, 0.0, 45, 15},
        {"120", "Zimmerstutzen", "ZS", "", "Ringe", 3, 10, "1", 2, "N", "N",
         {"10", "11", "50", "51"}, false, false, 3.00, 2, -0.10, 60, 15},
        {"140", "KK 3 x 20", "KK3x20", "", "Ringe", 6, 10, "1", 2, "N", "N",
         {"10", "11", "30", "31", "40", "41"}, false, false, 3.50, 3, -0.45, 105, 15},
        {"180", "KK liegend", "KK-L", "", "Ringe", 6, 10, "1", 2, "J", "N",
         {"10", "11", "40", "41", "50", "51"}, false, false, 3.50, 3, 0.20, 75, 15},
        {"210", "Luftpistole", "LP", "A", "Ringe", 4, 10, "1", 1, "N", "N",
         {"10", "11", "20", "21", "30", "31", "40", "41", "50", "51"}, true, true, 2.50, 7, -0.60, 50, 10},
        {"220", "Freie Pistole", "FP", "", "Ringe", 6, 10, "1", 3, "N", "N",
         {"10", "50"}, false, false, 4.00, 1, -0.90, 105, 15},
        {"240", "Sportpistole", "SpoPi", "", "Ringe", 6, 10, "1", 3, "N", "N",
         {"10", "11", "40", "41", "50", "51"}, false, false, 4.00, 3, -0.55, 90, 15},
        {"320", "Skeet", "Skeet", "", "Treffer", 5, 25, "2", 4, "N", "N",
         {"10", "11", "50"}, false, false, 6.00, 1.5, 0.0, 60, 0},
        {"531", "Armbrust 30 m", "AB30", "V", "Ringe", 3, 10, "1", 5, "N", "N",
         {"10", "11", "50", "51"}, false, false, 3.00, 2, -0.20, 60, 15},
    };
    return d;
}

inline const DisziplinDef& disziplin(const QString& code)
{
    for (const DisziplinDef& d : disziplinen())
        if (code == QLatin1String(d.code))
            return d;
    return disziplinen().front();
}

struct AnlageDef { int nr; const char* name; int stands; };
const AnlageDef kAnlagen[] = {
    {1, "Luftdruckhalle Hochbrück", 40},
    {2, "KK-Stand Hochbrück", 24},
    {3, "Pistolenstand Hochbrück", 16},
    {4, "Wurfscheibenanlage Ost", 6},
    {5, "Armbruststand Garching", 12},
};

const char* const kRegions[] = {"Oberland", "Niederbayern", "Oberpfalz", "Oberfranken",
                                "Mittelfranken", "Unterfranken", "Schwaben"};

const char* const kOrte[] = {
    "Dachau", "Fürstenfeldbruck", "Germering", "Olching", "Gröbenzell", "Puchheim", "Starnberg", "Gauting",
    "Herrsching", "Weilheim", "Penzberg", "Murnau", "Garmisch-Partenkirchen", "Bad Tölz", "Wolfratshausen",
    "Geretsried", "Holzkirchen", "Miesbach", "Tegernsee", "Rosenheim", "Bad Aibling", "Kolbermoor",
    "Wasserburg", "Ebersberg", "Grafing", "Erding", "Freising", "Moosburg", "Unterschleißheim",
    "Oberschleißheim", "Garching", "Ismaning", "Unterföhring", "Haar", "Vaterstetten", "Pullach",
    "Grünwald", "Ottobrunn", "Neubiberg", "Unterhaching", "Sauerlach", "Otterfing", "Kirchseeon",
    "Markt Schwaben", "Poing", "Anzing", "Aßling", "Glonn", "Bruckmühl", "Feldkirchen-Westerham",
    "Prien am Chiemsee", "Traunstein", "Schongau", "Peißenberg", "Landsberg am Lech", "Kaufering",
    "Dießen am Ammersee", "Utting", "Schondorf", "Eching", "Neufahrn", "Hallbergmoos", "Unterpfaffenhofen",
    "Eichenau", "Maisach", "Mammendorf", "Egenhofen", "Aising", "Lenggries", "Kochel am See", "Mittenwald",
    "Oberammergau", "Bernried", "Tutzing", "Seefeld", "Wörthsee", "Inning", "Gilching", "Weßling",
};

const char* const kVereinsnamen[] = {
    "Edelweiß", "Hubertus", "Tell", "Almrausch", "Alpenrose", "Immergrün", "Enzian", "Gemütlichkeit",
    "Eichenlaub", "Frohsinn", "Diana", "Bergfried", "Waldeslust", "Einigkeit", "Adler", "Falke",
    "Kimmerl", "Tannengrün", "Gut Schuss", "Bergland", "Seerose", "Schloßberg", "Auerhahn", "Hirschberg",
};

struct TitelDef { const char* titel; const char* abk; };
const TitelDef kVereinstitel[] = {
    {"Schützengesellschaft", "SG"}, {"Schützenverein", "SV"}, {"Feuerschützengesellschaft", "FSG"},
    {"Zimmerstutzenschützen", "ZSG"}, {"Kgl. priv. Feuerschützengesellschaft", "KpFSG"},
    {"Schützengesellschaft", ""}, {"Schützenverein", ""},
};

const char* const kNachnamen[] = {
    "Müller", "Schmid", "Schneider", "Fischer", "Weber", "Meyer", "Wagner", "Becker", "Schulz", "Hoffmann",
    "Huber", "Bauer", "Mayer", "Wimmer", "Gruber", "Hofer", "Maier", "Berger", "Moser", "Lechner",
    "Brandl", "Strobl", "Eder", "Kellner", "Obermaier", "Zellner", "Hinterberger", "Reiter", "Kastner",
    "Fuchs", "Wolf", "Graf", "Lang", "Sommer", "Haas", "Winkler", "Lorenz", "Baumann", "Kraus", "Krämer",
    "Seidl", "Stadler", "Aigner", "Rieder", "Pichler", "Holzer", "Steiner", "Lehner", "Wallner",
    "Schwarz", "Zimmermann", "Koch", "Richter", "Klein", "Neumann", "Schwaiger", "Öttl", "Übelacker",
    "Größl", "Heigl", "Rauscher", "Sedlmeier", "Wörle", "Kögl", "Mittermeier", "Attenberger",
    "von Hagen", "Niedermayr", "Stöckl", "Bichler", "Ertl", "Fendt", "Gschwendtner", "Harrer",
};

const char* const kVornamenM[] = {
    "Josef", "Johann", "Franz", "Georg", "Michael", "Thomas", "Andreas", "Stefan", "Markus", "Christian",
    "Florian", "Maximilian", "Lukas", "Tobias", "Sebastian", "Alexander", "Anton", "Alois", "Xaver",
    "Korbinian", "Quirin", "Leonhard", "Matthias", "Benedikt", "Jonas", "Elias", "Felix", "Paul", "Simon",
};
const char* const kVornamenW[] = {
    "Maria", "Anna", "Theresia", "Elisabeth", "Katharina", "Barbara", "Monika", "Sabine", "Andrea",
    "Claudia", "Christina", "Julia", "Sophia", "Lena", "Laura", "Lea", "Magdalena", "Veronika",
    "Franziska", "Johanna", "Hannah", "Emilia", "Marlene", "Anja", "Birgit",
};
const char* const kTitel[] = {"Dr.", "Dr. med.", "Prof. Dr.", "Dipl.-Ing."};

// ------------------------------------------------------------ generated rows

struct Club {
    QString nr, name, titel, abk, ort, plz, strasse, kreis, land, vorstand;
    int weight = 1;
};

struct Member {
    QString nr, name, vorname, titel, sex, strasse, plz, ort, hlKlasse, orgNr;
    QString jahrgang, monat, tag;
    QString klasse;
    int club = 0;          // index into clubs
    int secondClub = -1;
    double skill = 0;
};

struct Start {
    int member = 0;
    int club = 0;
    QString disziplin, klasse;
    QString mVerein, mDisziplin, mKlasse, mannschNr;
    double ergebnis = 0, finale = 0, stech = 0, messErg = 0, ergZentel = 0;
    QString serien;
    std::vector<int> series;
    int zehner = 0, neuner = 0, achter = 0, innen = 0, disq = 0;
    QString qual = "N", abmeldung = "N", aManuell, manuell, waffenGrp, druckDat;
    int anlage = 0, wkTag = 0, durchgang = 0, stand = 0, startNr = 0, dgid = 0;
    int zeit1 = -1, zeit2 = -1;  // minutes of the day, -1 = none
    bool shoots = true;          // has a result
    bool anchor = false;         // one of the crossbow teams every championship has
};

struct Team {
    int club = 0;
    QString disziplin, mKlasse, nr;
    std::vector<int> starts;
    QString qual = "N", mUmmeldung = "N";
    int ummeldung = 0;
    double ergebnis = 0, s1 = 0, s2 = 0, s3 = 0;
};

inline QString pad(int v, int width) { return QString::number(v).rightJustified(width, '0'); }
inline QString timeText(int minutes) { return QTime(minutes / 60, minutes % 60).toString("HH:mm:ss"); }

// Prepared INSERT for one table.
class Inserter {
public:
    Inserter(Ado::TADOConnection& c, const QString& table, const QStringList& columns)
        : c_(c), q_(c.Database()), table_(table)
    {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << "?";
        const QString sql = QString("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(", "), marks.join(", "));
        if (!q_.prepare(sql))
            throw c.Fehler("Datenbankfehler", q_.lastError().text(), sql);
        width_ = int(columns.size());
    }
    void add(const QVariantList& values)
    {
        for (int i = 0; i < width_; ++i)
            q_.bindValue(i, c_.BindValue(values.value(i)));
        if (!q_.exec())
            throw c_.Fehler("Datenbankfehler in " + table_, q_.lastError().text(), QString());
        ++count_;
    }
    int count() const { return count_; }

private:
    Ado::TADOConnection& c_;
    QSqlQuery q_;
    QString table_;
    int width_ = 0;
    int count_ = 0;
};

} // namespace Demo::detail
