#include "apps/reports1/demo/Demo.h"

#include "platform/host/Eingabefehler.h"
#include "reports1/frame/db/Schema.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace Demo {

namespace {

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

const KlasseDef& klasse(const QString& code)
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

const std::vector<DisziplinDef>& disziplinen()
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

const DisziplinDef& disziplin(const QString& code)
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

QString pad(int v, int width) { return QString::number(v).rightJustified(width, '0'); }
QString timeText(int minutes) { return QTime(minutes / 60, minutes % 60).toString("HH:mm:ss"); }

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
            throw Ado::EDatenfehler(c.ErrorText("Datenbankfehler", q_.lastError().text(), sql));
        width_ = int(columns.size());
    }
    void add(const QVariantList& values)
    {
        for (int i = 0; i < width_; ++i)
            q_.bindValue(i, c_.BindValue(values.value(i)));
        if (!q_.exec())
            throw Ado::EDatenfehler(c_.ErrorText("Datenbankfehler in " + table_, q_.lastError().text(), QString()));
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

class Generator {
public:
    Generator(Ado::TADOConnection& c, const Options& o) : c_(c), o_(o), rng_(o.seed) {}

    Summary run()
    {
        makeClubs();
        makeMembers();
        makeResults();
        makeTeams();
        makeTie531();
        schedule();
        numberStarts();
        write();
        Summary s;
        s.veranstaltung = veranstaltung_;
        s.clubs = int(clubs_.size());
        s.members = int(members_.size());
        s.starts = int(starts_.size());
        s.teams = int(teams_.size());
        for (const Team& t : teams_)
            s.completeTeams += int(t.starts.size()) == 3 ? 1 : 0;
        s.staff = staffCount_;
        return s;
    }

private:
    // -------------------------------------------------------- clubs
    void makeClubs()
    {
        const int wantClubs = std::clamp(o_.starts / 30, 12, 600);
        const int districts = std::clamp(wantClubs / 20, 6, 42);
        regions_ = (districts + 5) / 6;
        for (int d = 0; d < districts; ++d) {
            const int region = d / 6 + 1;
            const QString code = QString::number(region) + QString::number(d % 6 + 1);
            districtCodes_.push_back(code);
            districtNames_.push_back(QString("Gau ") + kOrte[(d * 7 + 3) % std::size(kOrte)]);
        }
        std::vector<int> perDistrict(size_t(districts), 0);
        for (int i = 0; i < wantClubs; ++i) {
            int d = i < districts ? i : rng_.below(districts);
            if (perDistrict[size_t(d)] >= 99)
                continue;
            ++perDistrict[size_t(d)];
        }
        for (int d = 0; d < districts; ++d) {
            for (int n = 1; n <= perDistrict[size_t(d)]; ++n) {
                Club c;
                c.kreis = districtCodes_[size_t(d)];
                c.land = c.kreis.left(1);
                c.nr = c.kreis + pad(n, 2);
                const TitelDef& t = rng_.pick(kVereinstitel);
                c.titel = t.titel;
                c.abk = t.abk;
                c.ort = rng_.pick(kOrte);
                QString name = QString(rng_.pick(kVereinsnamen)) + " " + c.ort;
                if (rng_.chance(0.3))
                    name += QString(" %1 e.V.").arg(rng_.range(1850, 1985));
                c.name = name;
                c.plz = QString::number(rng_.range(80000, 87999));
                c.strasse = QString("Schützenweg %1").arg(rng_.range(1, 60));
                c.vorstand = QString(rng_.pick(kVornamenM)) + " " + rng_.pick(kNachnamen);
                c.weight = 1 + rng_.below(40);
                clubs_.push_back(c);
            }
        }
        // A few clubs whose names show what the documents must cope with.
        clubs_[0].titel = "Kgl. priv. Feuerschützengesellschaft";
        clubs_[0].name = "Immergrün-Alpenrose Oberschleißheim-Lustheim 1878 e.V.";
        clubs_[0].abk = "KpFSG";
        clubs_[1 % clubs_.size()].titel = "";
        clubs_[1 % clubs_.size()].name = "D'Hubertusschützen Aising";
        clubs_[1 % clubs_.size()].abk = "";
        clubs_[2 % clubs_.size()].titel = "Schützengesellschaft";
        clubs_[2 % clubs_.size()].abk = "SG";
        clubs_[2 % clubs_.size()].name = "Tell Dachau";
        for (const Club& c : clubs_)
            totalWeight_ += c.weight;
    }

    int pickClub()
    {
        int r = rng_.below(totalWeight_);
        for (size_t i = 0; i < clubs_.size(); ++i) {
            r -= clubs_[i].weight;
            if (r < 0)
                return int(i);
        }
        return int(clubs_.size()) - 1;
    }

    // -------------------------------------------------------- members and starts
    int newMember(int club, const KlasseDef& k)
    {
        Member m;
        m.club = club;
        m.klasse = k.code;
        m.sex = k.sex == '*' ? QString(rng_.chance(0.7) ? "M" : "W") : QString(QLatin1Char(k.sex));
        m.name = rng_.pick(kNachnamen);
        m.vorname = m.sex == "M" ? rng_.pick(kVornamenM) : rng_.pick(kVornamenW);
        if (k.ageMin >= 21 && rng_.chance(0.03))
            m.titel = rng_.pick(kTitel);
        const int age = rng_.range(k.ageMin, k.ageMax);
        m.jahrgang = QString::number(o_.sportjahr - age);
        m.monat = pad(rng_.range(1, 12), 2);
        m.tag = pad(rng_.range(1, 28), 2);
        if (rng_.chance(0.02))
            m.tag = rng_.chance(0.5) ? "00" : "";
        const Club& c = clubs_[size_t(club)];
        if (rng_.chance(0.015)) {
            // no address on record
        } else {
            m.strasse = QString("%1straße %2").arg(rng_.pick(kVereinsnamen)).arg(rng_.range(1, 120));
            m.plz = c.plz;
            m.ort = c.ort;
        }
        if (rng_.chance(0.02))
            m.hlKlasse = k.team;
        m.orgNr = QString("BY%1").arg(pad(rng_.range(1, 9999999), 7));
        m.skill = rng_.normal(0.0, 0.30);
        int running = ++memberCount_[club];
        m.nr = c.nr + pad(running, 4);
        if (rng_.chance(0.03) && clubs_.size() > 1) {
            int other = rng_.below(int(clubs_.size()));
            if (other != club)
                m.secondClub = other;
        }
        members_.push_back(m);
        return int(members_.size()) - 1;
    }

    void addStart(int member, const QString& disziplin, bool anchor = false)
    {
        Start s;
        s.anchor = anchor;
        s.member = member;
        const Member& m = members_[size_t(member)];
        s.club = (!anchor && m.secondClub >= 0 && rng_.chance(0.5)) ? m.secondClub : m.club;
        s.disziplin = disziplin;
        s.klasse = m.klasse;
        starts_.push_back(s);
    }

    std::vector<const DisziplinDef*> disciplinesFor(const QString& klasse)
    {
        std::vector<const DisziplinDef*> out;
        for (const DisziplinDef& d : disziplinen())
            for (const char* c : d.classes)
                if (klasse == QLatin1String(c))
                    out.push_back(&d);
        return out;
    }

    void makeMembers()
    {
        // Two clubs enter three crossbow shooters each, so that the crossbow
        // has complete teams.
        for (int club : {0, std::min(2, int(clubs_.size()) - 1)})
            for (int i = 0; i < 3 && int(starts_.size()) < o_.starts; ++i)
                addStart(newMember(club, klasse("10")), "531", true);
        const double classWeights[] = {16, 10, 4, 4, 5, 5, 4, 4, 3, 3, 12, 7, 7, 5, 3};
        double totalClassWeight = 0;
        for (double w : classWeights)
            totalClassWeight += w;
        while (int(starts_.size()) < o_.starts) {
            double r = rng_.unit() * totalClassWeight;
            size_t ki = 0;
            while (ki + 1 < std::size(kKlassen) && (r -= classWeights[ki]) >= 0)
                ++ki;
            const KlasseDef& k = kKlassen[ki];
            auto options = disciplinesFor(k.code);
            if (options.empty())
                continue;
            const int member = newMember(pickClub(), k);
            int wanted = rng_.chance(0.55) ? 1 : (rng_.chance(0.65) ? 2 : 3);
            wanted = std::min<int>(wanted, int(options.size()));
            std::vector<const DisziplinDef*> chosen;
            while (int(chosen.size()) < wanted) {
                double total = 0;
                for (const DisziplinDef* d : options)
                    if (std::find(chosen.begin(), chosen.end(), d) == chosen.end())
                        total += d->weight;
                double x = rng_.unit() * total;
                for (const DisziplinDef* d : options) {
                    if (std::find(chosen.begin(), chosen.end(), d) != chosen.end())
                        continue;
                    x -= d->weight;
                    if (x < 0) {
                        chosen.push_back(d);
                        break;
                    }
                }
            }
            for (const DisziplinDef* d : chosen)
                if (int(starts_.size()) < o_.starts)
                    addStart(member, d->code);
        }
    }

    // -------------------------------------------------------- results
    void shoot(Start& s)
    {
        const DisziplinDef& d = disziplin(s.disziplin);
        const Member& m = members_[size_t(s.member)];
        s.series.clear();
        double tenths = 0;
        if (d.shotsPerSeries == 25) {
            const double p = std::clamp(0.86 + m.skill * 0.15, 0.5, 0.99);
            for (int i = 0; i < d.series; ++i) {
                int hits = 0;
                for (int t = 0; t < 25; ++t)
                    hits += rng_.chance(p) ? 1 : 0;
                s.series.push_back(hits);
            }
        } else {
            const double mu = klasse(s.klasse).skill + d.skillShift + m.skill;
            for (int i = 0; i < d.series; ++i) {
                int sum = 0;
                for (int t = 0; t < 10; ++t) {
                    double v = std::clamp(rng_.normal(mu + 0.45, 0.75), 0.0, 10.9);
                    v = std::floor(v * 10.0) / 10.0;
                    int ring = v < 1.0 ? 0 : int(std::floor(v));
                    sum += ring;
                    tenths += v;
                    if (ring == 10) {
                        ++s.zehner;
                        if (v >= 10.5)
                            ++s.innen;
                    } else if (ring == 9) {
                        ++s.neuner;
                    } else if (ring == 8) {
                        ++s.achter;
                    }
                }
                s.series.push_back(sum);
            }
        }
        int total = 0;
        QString text;
        for (int v : s.series) {
            total += v;
            text += pad(v, 3);
        }
        s.ergebnis = total;
        s.serien = text;
        if (QLatin1String(d.zehntel) == QLatin1String("J"))
            s.ergZentel = std::round(tenths * 10.0);
        if (QLatin1String(d.kennung) == QLatin1String("V"))
            s.messErg = 10000 - rng_.range(20, 800); // 10 x (1000 - measured value in mm)
    }

    void makeResults()
    {
        for (Start& s : starts_) {
            const double r = s.anchor ? 1.0 : rng_.unit();
            if (r < 0.03) {
                s.abmeldung = "A";
                s.shoots = false;
                if (rng_.chance(0.5))
                    s.aManuell = "X";
            } else if (r < 0.06) {
                s.shoots = false; // entered but did not start
            } else if (r < 0.075) {
                s.shoots = false;
                s.anlage = -1;    // no range assignment yet
            }
            const double q = s.anchor ? 1.0 : rng_.unit();
            if (q < 0.03)
                s.qual = "Q";
            else if (q < 0.05)
                s.qual = "D";
            if (rng_.chance(0.02))
                s.manuell = rng_.chance(0.5) ? "X" : (rng_.chance(0.5) ? "F" : "M");
            if ((s.disziplin == "220" || s.disziplin == "240") && rng_.chance(0.15))
                s.waffenGrp = rng_.chance(0.5) ? "A" : "B";
            if (s.shoots)
                shoot(s);
        }
        // A few disqualifications.
        std::vector<int> shot;
        for (size_t i = 0; i < starts_.size(); ++i)
            if (starts_[i].shoots && starts_[i].qual == "N")
                shot.push_back(int(i));
        const int disq = shot.empty() ? 0 : std::max(1, int(shot.size()) / 250);
        for (int i = 0; i < disq; ++i)
            starts_[size_t(rng_.pick(shot))].disq = rng_.range(1, 2);
        makeFinals();
    }

    // The best eight of the finals classes shoot a final (tenths); in the
    // air-rifle men's class places two and three are then level and decided
    // by a shoot-off.
    void makeFinals()
    {
        std::map<std::pair<QString, QString>, std::vector<int>> groups;
        for (size_t i = 0; i < starts_.size(); ++i) {
            const Start& s = starts_[i];
            if (!s.shoots || s.qual != "N" || s.disq || !disziplin(s.disziplin).finale)
                continue;
            if (s.klasse != "10" && s.klasse != "11")
                continue;
            groups[{s.disziplin, s.klasse}].push_back(int(i));
        }
        for (auto& [key, idx] : groups) {
            std::stable_sort(idx.begin(), idx.end(),
                             [&](int a, int b) { return starts_[size_t(a)].ergebnis > starts_[size_t(b)].ergebnis; });
            if (idx.size() > 8)
                idx.resize(8);
            for (int i : idx) {
                double f = 0;
                for (int t = 0; t < 10; ++t)
                    f += std::floor(std::clamp(rng_.normal(10.0, 0.45), 7.0, 10.9) * 10.0);
                starts_[size_t(i)].finale = f;
            }
            if (key.first == "110" && key.second == "10" && idx.size() >= 4) {
                std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) { return total(a) > total(b); });
                Start& second = starts_[size_t(idx[1])];
                Start& third = starts_[size_t(idx[2])];
                const double f = std::round((second.ergebnis + second.finale / 10.0 - third.ergebnis) * 10.0);
                if (f >= 700 && f <= 1090) {
                    third.finale = f;
                    second.stech = 104;
                    third.stech = 98;
                }
            }
        }
    }

    double total(int i) const { return starts_[size_t(i)].ergebnis + starts_[size_t(i)].finale / 10.0; }

    // -------------------------------------------------------- teams
    void makeTeams()
    {
        std::map<std::tuple<int, QString, QString>, std::vector<int>> pools;
        for (size_t i = 0; i < starts_.size(); ++i) {
            const Start& s = starts_[i];
            if (s.abmeldung == "A" || s.anlage < 0)
                continue;
            pools[{s.club, s.disziplin, QString(klasse(s.klasse).team)}].push_back(int(i));
        }
        for (auto& [key, idx] : pools) {
            const auto& [club, disz, mk] = key;
            int nr = 0;
            size_t pos = 0;
            while (pos < idx.size()) {
                const size_t left = idx.size() - pos;
                size_t size = left >= 3 ? 3 : left;
                if (size < 3 && !(size == 2 && rng_.chance(0.5)))
                    break; // the rest start as individuals
                if (size == 3 && !starts_[size_t(idx[pos])].anchor && rng_.chance(0.04))
                    size = 2; // a member dropped out of the team
                Team t;
                t.club = club;
                t.disziplin = disz;
                t.mKlasse = mk;
                t.nr = QString::number(++nr);
                for (size_t k = 0; k < size; ++k)
                    t.starts.push_back(idx[pos + k]);
                pos += size == 2 && left >= 3 ? 3 : size;
                teams_.push_back(t);
            }
        }
        for (Team& t : teams_) {
            for (int i : t.starts) {
                Start& s = starts_[size_t(i)];
                s.mVerein = clubs_[size_t(t.club)].nr;
                s.mDisziplin = t.disziplin;
                s.mKlasse = t.mKlasse;
                s.mannschNr = t.nr;
            }
            sumTeam(t);
        }
        if (!teams_.empty()) {
            Team& q = teams_[size_t(rng_.below(int(teams_.size())))];
            if (q.disziplin != "531")
                q.qual = "Q";
            Team& moved = teams_[size_t(rng_.below(int(teams_.size())))];
            moved.mUmmeldung = "J";
            moved.ummeldung = 1;
        }
    }

    void sumTeam(Team& t)
    {
        t.ergebnis = t.s1 = t.s2 = t.s3 = 0;
        for (int i : t.starts) {
            const Start& s = starts_[size_t(i)];
            t.ergebnis += s.ergebnis;
            t.s1 += s.series.size() > 0 ? s.series[0] : 0;
            t.s2 += s.series.size() > 1 ? s.series[1] : 0;
            t.s3 += s.series.size() > 2 ? s.series[2] : 0;
        }
    }

    // Two complete crossbow teams end level: of the two whose results are
    // closest, the better one loses the difference on its members' last
    // series.
    void makeTie531()
    {
        std::vector<Team*> complete;
        for (Team& t : teams_)
            if (t.disziplin == "531" && t.starts.size() == 3 && t.qual == "N" && t.ergebnis > 0)
                complete.push_back(&t);
        if (complete.size() < 2)
            return;
        std::stable_sort(complete.begin(), complete.end(), [](Team* a, Team* b) { return a->ergebnis > b->ergebnis; });
        size_t pair = 0;
        for (size_t i = 1; i + 1 < complete.size(); ++i)
            if (complete[i]->ergebnis - complete[i + 1]->ergebnis < complete[pair]->ergebnis - complete[pair + 1]->ergebnis)
                pair = i;
        Team& high = *complete[pair];
        int diff = int(high.ergebnis - complete[pair + 1]->ergebnis);
        for (int i : high.starts) {
            Start& s = starts_[size_t(i)];
            for (size_t k = s.series.size(); k-- > 0 && diff > 0;) {
                const int take = std::min(s.series[k], diff);
                s.series[k] -= take;
                diff -= take;
            }
            int sum = 0;
            QString text;
            for (int v : s.series) {
                sum += v;
                text += pad(v, 3);
            }
            s.ergebnis = sum;
            s.serien = text;
        }
        sumTeam(high);
    }

    // -------------------------------------------------------- schedule
    void schedule()
    {
        int relayId = 0;
        int dayBase = 1;
        for (const char* teilm : {"1", "2"}) {
            int daysNeeded = 0;
            for (const AnlageDef& a : kAnlagen) {
                int day = 0, minute = 8 * 60, relay = 1;
                for (const DisziplinDef& d : disziplinen()) {
                    if (d.range != a.nr || QLatin1String(d.teilm) != QLatin1String(teilm))
                        continue;
                    std::vector<int> idx;
                    for (size_t i = 0; i < starts_.size(); ++i)
                        if (starts_[i].disziplin == QLatin1String(d.code) && starts_[i].anlage == 0)
                            idx.push_back(int(i));
                    std::stable_sort(idx.begin(), idx.end(), [&](int x, int y) {
                        const Start& a1 = starts_[size_t(x)];
                        const Start& b1 = starts_[size_t(y)];
                        if (a1.klasse != b1.klasse)
                            return a1.klasse < b1.klasse;
                        return a1.club < b1.club;
                    });
                    const int length = d.relayMinutes + d.pauseMinutes;
                    size_t pos = 0;
                    while (pos < idx.size()) {
                        if (minute + d.relayMinutes > 18 * 60) {
                            ++day;
                            minute = 8 * 60;
                            relay = 1;
                        }
                        ++relayId;
                        int stand = 1;
                        for (int k = 0; k < a.stands && pos < idx.size(); ++k, ++stand) {
                            if (k > 0 && rng_.chance(0.04))
                                continue; // a firing point left free
                            Start& s = starts_[size_t(idx[pos++])];
                            s.anlage = a.nr;
                            s.wkTag = dayBase + day;
                            s.zeit1 = minute;
                            s.zeit2 = a.nr == 5 ? minute + d.relayMinutes : -1;
                            s.durchgang = relay;
                            s.stand = stand;
                            s.dgid = relayId;
                        }
                        plan_[{a.nr, dayBase + day, QString(d.code)}].push_back({minute, minute + d.relayMinutes});
                        ++relay;
                        minute += length;
                    }
                }
                daysNeeded = std::max(daysNeeded, day + 1);
            }
            for (int i = 0; i < daysNeeded; ++i)
                days_.push_back({dayBase + i, QString(teilm)});
            dayBase += daysNeeded;
        }
        for (Start& s : starts_)
            if (s.anlage < 0)
                s.anlage = 0;
    }

    QDate dayDate(int index, const QString& teilm) const
    {
        QDate first(o_.sportjahr, teilm == "2" ? 5 : 3, 1);
        while (first.dayOfWeek() != Qt::Saturday)
            first = first.addDays(1);
        // Saturdays and Sundays, one weekend after the other.
        return first.addDays((index / 2) * 7 + (index % 2));
    }

    void numberStarts()
    {
        std::vector<int> idx;
        for (size_t i = 0; i < starts_.size(); ++i)
            if (starts_[i].anlage > 0)
                idx.push_back(int(i));
        std::stable_sort(idx.begin(), idx.end(), [&](int x, int y) {
            const Start& a = starts_[size_t(x)];
            const Start& b = starts_[size_t(y)];
            return std::tie(a.wkTag, a.anlage, a.zeit1, a.stand) < std::tie(b.wkTag, b.anlage, b.zeit1, b.stand);
        });
        int nr = 0;
        for (int i : idx) {
            Start& s = starts_[size_t(i)];
            s.startNr = ++nr;
            if (rng_.chance(0.2))
                s.druckDat = QDate(o_.sportjahr, 2, rng_.range(1, 28)).toString("yyyy-MM-dd") + " 19:30:00";
        }
    }

    // -------------------------------------------------------- writing
    QString dotted(const QString& code) const { return code.left(1) + "." + code.mid(1); }

    void write()
    {
        const int id = o_.ident;
        const bool state = regions_ > 1;
        const QString level = state ? "Landesmeisterschaft" : "Bezirksmeisterschaft";
        veranstaltung_ = QString("%1 %2").arg(level).arg(o_.sportjahr);
        const QString region = state ? QString("Bayern") : QString(kRegions[0]);

        Inserter(c_, "ZKTMP", {"Ident", "Veranstalter", "Veranstaltung"})
            .add({id, (state ? "Landesverband " : "Bezirk ") + region + " " + QString::number(o_.sportjahr), veranstaltung_});

        writeClubs();
        writeMembers();
        writeParameters(id);
        writeStarts(id);
        writeTeams(id);
        Inserter mitarb(c_, "MITARB", {"Ident", "MitglNr", "Seit", "Name", "Vorname", "Titel", "Jahrgang", "Monat"});
        mitarbInserter_ = &mitarb;
        writeRecords(id);
        writeStaff(id);
        mitarbInserter_ = nullptr;
        writeTargets(id);
        writeSettings(level, region, state);
    }

    void writeClubs()
    {
        Inserter v(c_, "EVEREIN", {"VereinNr", "Name", "Titel", "Abkuerzung", "Strasse", "PLZ", "Ort", "Kreis",
                                   "Land", "Vorstand", "Bank", "BLZ", "Konto", "RechNr", "Startgeld"});
        // The regions and districts are on record as clubs "1000", "1100", ...
        std::set<QString> regionsDone;
        for (size_t d = 0; d < districtCodes_.size(); ++d) {
            const QString code = districtCodes_[d];
            const QString land = code.left(1);
            if (regionsDone.insert(land).second)
                v.add({land + "000", QString("Bezirk ") + kRegions[(land.toInt() - 1) % std::size(kRegions)], "",
                       "BZ", "", "", "", land + "0", land, "", "", "", "", "", ""});
            v.add({code + "00", districtNames_[d], "", "GAU", "", "", "", code, land, "", "", "", "", "", ""});
        }
        int rech = 0;
        for (const Club& c : clubs_)
            v.add({c.nr, c.name, c.titel, c.abk, c.strasse, c.plz, c.ort, c.kreis, c.land, c.vorstand,
                   "Sparkasse " + c.ort, QString::number(70050000 + rng_.below(99) * 10),
                   QString::number(rng_.range(100000, 9999999)), QString("R-%1").arg(++rech), ""});
    }

    void writeMembers()
    {
        Inserter m(c_, "EMITGLIED", {"MitglNr", "Name", "Vorname", "Titel", "Jahrgang", "Monat", "Tag",
                                     "Geschlecht", "Strasse", "PLZ", "Ort", "HlKlasse", "JahrgangJa", "OrgMitglNr"});
        Inserter mv(c_, "EMITVER", {"MitglNr", "VereinNr", "Auswahl"});
        for (const Member& x : members_) {
            m.add({x.nr, x.name, x.vorname, x.titel, x.jahrgang, x.monat, x.tag, x.sex, x.strasse, x.plz, x.ort,
                   x.hlKlasse, "J", x.orgNr});
            QString auswahl = "M";
            if (rng_.chance(0.02))
                auswahl += "V";
            if (rng_.chance(0.03))
                auswahl += "S";
            mv.add({x.nr, clubs_[size_t(x.club)].nr, auswahl});
            if (x.secondClub >= 0)
                mv.add({x.nr, clubs_[size_t(x.secondClub)].nr, "M"});
        }
        // Start declarations: nearly every start has one for its club.
        Inserter ed(c_, "EDISZIPLIN", {"MitglNr", "VereinNr", "Disziplin"});
        std::set<std::tuple<QString, QString, QString>> done;
        for (const Start& s : starts_) {
            if (rng_.chance(0.02))
                continue;
            const Member& x = members_[size_t(s.member)];
            QString club = clubs_[size_t(s.club)].nr;
            if (rng_.chance(0.01) && clubs_.size() > 1)
                club = clubs_[size_t((s.club + 1) % int(clubs_.size()))].nr; // declared for another club
            if (done.insert({x.nr, club, s.disziplin}).second)
                ed.add({x.nr, club, s.disziplin});
        }
    }

    void writeParameters(int id)
    {
        Inserter pd(c_, "PDISZIPLIN", {"Ident", "Disziplin", "Name", "Kurz", "Kennung", "Ausgabe", "DurchgangsZahl",
                                       "Erstattung", "ErstattungElek", "Zehntel", "Auflage", "OlDisziplin"});
        for (const DisziplinDef& d : disziplinen()) {
            const bool olympic = QString("110 140 180 210 220 240 320").contains(d.code);
            pd.add({id, d.code, d.name, d.kurz, d.kennung, d.ausgabe, 1, d.refund, d.refund + 0.5, d.zehntel,
                    d.auflage, olympic ? "J" : "N"});
        }
        Inserter pk(c_, "PKLASSE", {"Ident", "Klasse", "Name", "Kurz", "Zusatz", "Auflage", "Sort", "Zahl"});
        int zahl = 0;
        for (const KlasseDef& k : kKlassen)
            pk.add({id, k.code, k.name, k.kurz, k.zusatz, k.auflage, k.sort, ++zahl});
        Inserter dk(c_, "PDISKLA", {"Ident", "Disziplin", "Klasse", "Teilmeisterschaft", "AnzSerien", "AnzWertung",
                                    "AnzMannschaft", "ErgebEinzel", "ErgebFinale", "ErgebFinaleAnz", "ErgebEing",
                                    "Druckauftrag", "SteuerKz", "AbwEKlasse", "AbwMKlasse", "OlDisziGrp", "KennzE",
                                    "KennzM", "KennzEDSB", "KennzMDSB", "ZaehlerE", "ZaehlerM", "StgGrpEinzel",
                                    "StgGrpMannschaft", "Durchgz1", "Durchgz2", "Durchgz1Elek", "Durchgz2Elek",
                                    "Elektronisch", "Pause", "ZulassEinzel", "ZulassEinzelAnz", "ZulassMannsch",
                                    "ZulassMannschAnz"});
        Inserter ak(c_, "AKLISTE", {"Ident", "KListe", "Klasse"});
        for (const DisziplinDef& d : disziplinen()) {
            for (const char* kc : d.classes) {
                const KlasseDef& k = klasse(kc);
                const int max = d.series * (d.shotsPerSeries == 25 ? 25 : 100);
                const QString kennz = dotted(d.code) + "." + k.code;
                const bool olympicGroup = d.finale && (QString(k.code) == "10" || QString(k.code) == "11");
                const double zulass = (k.feeGroup == 1 && rng_.chance(0.6)) ? std::round(max * 0.85) : 0;
                dk.add({id, d.code, k.code, d.teilm, d.series, 3, 3, max, d.finale ? 109.0 : 0.0, d.finale ? 8 : 0,
                        "", "N", "", k.code, k.team, olympicGroup ? "X" : "", kennz, kennz + "M", kennz, kennz, 0, 0,
                        k.feeGroup, 3, d.relayMinutes, 0, d.relayMinutes - 5, 0, d.electronic ? "J" : "N",
                        d.pauseMinutes, zulass, zulass > 0 ? rng_.range(5, 20) : 0, zulass > 0 ? zulass * 3 : 0.0,
                        zulass > 0 ? rng_.range(2, 6) : 0});
                ak.add({id, d.code, k.code});
            }
        }
        Inserter pa(c_, "PANLAGE", {"Ident", "Anlage", "Name"});
        for (const AnlageDef& a : kAnlagen)
            pa.add({id, a.nr, a.name});
        Inserter wk(c_, "AWKTAG", {"Ident", "WKTag", "Datum", "Status", "Teilmeisterschaft"});
        std::map<QString, int> perTeilm;
        for (const auto& [nr, teilm] : days_)
            wk.add({id, nr, dayDate(perTeilm[teilm]++, teilm), "A", teilm});
        Inserter az(c_, "ASZEIT", {"Ident", "Anlage", "WKTag", "Disziplin", "Von", "Bis", "Anzahl", "ErsterStand",
                                   "Freigabe", "KListe"});
        for (const auto& [key, relays] : plan_) {
            const auto& [anlage, tag, disz] = key;
            int stands = 0;
            for (const AnlageDef& a : kAnlagen)
                if (a.nr == anlage)
                    stands = a.stands;
            az.add({id, anlage, tag, disz, timeText(relays.front().first), timeText(relays.back().second), stands, 1,
                    "J", disz});
        }
        Inserter sg(c_, "PSTARTG", {"Ident", "StgGrp", "Betrag"});
        sg.add({id, 1, 8.0});
        sg.add({id, 2, 5.0});
        sg.add({id, 3, 15.0});
        sg.add({id, 4, 0.0});
        Inserter rg(c_, "EREGEL", {"Nummer", "Regel"});
        rg.add({1, "0.10.2.1"});
        rg.add({2, "1.8.7.2"});
    }

    void writeStarts(int id)
    {
        Inserter e(c_, "ERGEBNIS",
                   {"Ident", "MitglNr", "VereinNr", "Disziplin", "EKlasse", "MVereinNr", "MDisziplin", "MKlasse",
                    "MannschNr", "Ergebnis", "LErgebnis", "Finale", "Serien", "Zehner", "Neuner", "Achter",
                    "Innenzehner", "ErgZentel", "MessErg", "StechErg", "Zusatz", "Qual", "Abmeldung", "AManuell",
                    "Manuell", "Disqualifikation", "Anlage", "WKTag", "WKZeit1", "WKZeit2", "Durchgang", "Stand",
                    "StartNr", "WaffenGrp", "Teilmeisterschaft", "DruckDat", "DGID", "ADGID"});
        for (const Start& s : starts_) {
            const Member& m = members_[size_t(s.member)];
            const DisziplinDef& d = disziplin(s.disziplin);
            e.add({id, m.nr, clubs_[size_t(s.club)].nr, s.disziplin, s.klasse, s.mVerein, s.mDisziplin, s.mKlasse,
                   s.mannschNr, s.ergebnis, 0.0, s.finale, s.serien, s.zehner, s.neuner, s.achter, s.innen,
                   s.ergZentel, s.messErg, s.stech, 0, s.qual, s.abmeldung, s.aManuell, s.manuell, s.disq, s.anlage,
                   s.wkTag, s.zeit1 >= 0 ? QVariant(timeText(s.zeit1)) : QVariant(),
                   s.zeit2 >= 0 ? QVariant(timeText(s.zeit2)) : QVariant(), s.durchgang, s.stand, s.startNr,
                   s.waffenGrp, d.teilm, s.druckDat.isEmpty() ? QVariant() : QVariant(s.druckDat), s.dgid, 0});
        }
        // Starts withdrawn or deleted at the level before.
        Inserter ar(c_, "EARCHIV", {"Ident", "MitglNr", "VereinNr", "Disziplin", "EKlasse", "Ergebnis", "Ebene",
                                    "Loeschung"});
        const int archived = std::max(3, int(starts_.size()) / 100);
        for (int i = 0; i < archived; ++i) {
            const Start& s = starts_[size_t(rng_.below(int(starts_.size())))];
            ar.add({id, members_[size_t(s.member)].nr, clubs_[size_t(s.club)].nr, s.disziplin, s.klasse,
                    double(rng_.range(200, 380)), 1, i % 2 == 0 ? "X" : ""});
        }
    }

    void writeTeams(int id)
    {
        Inserter t(c_, "EMANNSCH", {"Ident", "VereinNr", "Disziplin", "MKlasse", "MannschNr", "MannNr", "Ergebnis",
                                    "Serie1", "Serie2", "Serie3", "AnzMannsch", "AnzMannschIst", "Qual", "Abmeldung",
                                    "MUmmeldung", "Ummeldung", "Rangfolge"});
        for (const Team& x : teams_)
            t.add({id, clubs_[size_t(x.club)].nr, x.disziplin, x.mKlasse, x.nr, int(x.starts.size()), x.ergebnis,
                   x.s1, x.s2, x.s3, 3, int(x.starts.size()), x.qual, "N", x.mUmmeldung, x.ummeldung, 0});
    }

    void addMitarb(int id, const QString& nr, const QString& name, const QString& vorname, const QString& titel,
                   const QString& jahrgang, const QString& monat, const QString& seit)
    {
        if (!mitarb_.insert(nr).second)
            return;
        (*mitarbInserter_).add({id, nr, seit, name, vorname, titel, jahrgang, monat});
    }

    void writeRecords(int id)
    {
        Inserter re(c_, "EREKORDE", {"Ident", "Disziplin", "Klasse", "DisziplinName", "KlasseKurz", "KlasseName",
                                     "MitglNr", "Name", "Abkuerzung", "Ergebnis", "Finale", "Jahr", "Veranst",
                                     "Nummer"});
        // The winners of each group, by total.
        std::map<std::pair<QString, QString>, int> best;
        for (size_t i = 0; i < starts_.size(); ++i) {
            const Start& s = starts_[i];
            if (!s.shoots || s.qual != "N" || s.disq)
                continue;
            auto key = std::make_pair(s.disziplin, s.klasse);
            auto it = best.find(key);
            if (it == best.end() || total(int(i)) > total(it->second))
                best[key] = int(i);
        }
        int group = 0;
        for (const auto& [key, winner] : best) {
            if (group >= 14)
                break;
            const DisziplinDef& d = disziplin(key.first);
            const KlasseDef& k = klasse(key.second);
            const Start& w = starts_[size_t(winner)];
            const int year = o_.sportjahr - rng_.range(2, 9);
            // An older record by a shooter who is not entered this year.
            const QString holder = QString("9%1").arg(pad(++recordHolders_, 7));
            const QString name = rng_.pick(kNachnamen);
            const QString vorname = k.sex == 'W' ? rng_.pick(kVornamenW) : rng_.pick(kVornamenM);
            addMitarb(o_.ident, holder, name, vorname, "", QString::number(year - 30), "05", "");
            const Club& rc = rng_.pick(clubs_);
            re.add({id, d.code, k.code, d.name, k.kurz, k.name, holder, rc.name, rc.abk, std::max(0.0, w.ergebnis - 3),
                    0.0, year, QString("BM %1").arg(year), 1});
            if (group < 3) {
                // The winner of this year set (Nummer 1) or equalled (2) the record.
                const Member& m = members_[size_t(w.member)];
                addMitarb(o_.ident, m.nr, m.name, m.vorname, m.titel, m.jahrgang, m.monat, "");
                const Club& wc = clubs_[size_t(w.club)];
                re.add({id, d.code, k.code, d.name, k.kurz, k.name, m.nr, wc.name, wc.abk, w.ergebnis, w.finale,
                        o_.sportjahr, QString("BM %1").arg(o_.sportjahr), group == 2 ? 2 : 1});
            }
            ++group;
        }
        Inserter rm(c_, "EREKORDM", {"Ident", "Disziplin", "Klasse", "DisziplinName", "KlasseName", "MannschNr",
                                     "VereinNr", "Name", "Abkuerzung", "Ergebnis", "Jahr", "Veranst", "Nummer"});
        std::map<std::pair<QString, QString>, const Team*> bestTeam;
        for (const Team& t : teams_)
            if (t.starts.size() == 3 && t.qual == "N") {
                auto key = std::make_pair(t.disziplin, t.mKlasse);
                auto it = bestTeam.find(key);
                if (it == bestTeam.end() || t.ergebnis > it->second->ergebnis)
                    bestTeam[key] = &t;
            }
        int tg = 0;
        for (const auto& [key, t] : bestTeam) {
            if (tg >= 4)
                break;
            const DisziplinDef& d = disziplin(key.first);
            const KlasseDef& k = klasse(key.second);
            const Club& old = rng_.pick(clubs_);
            const int year = o_.sportjahr - rng_.range(2, 9);
            rm.add({id, d.code, k.code, d.name, k.name, "1", old.nr, old.name, old.abk, t->ergebnis - 5, year,
                    QString("BM %1").arg(year), 1});
            if (tg == 0) {
                const Club& c = clubs_[size_t(t->club)];
                rm.add({id, d.code, k.code, d.name, k.name, t->nr, c.nr, c.name, c.abk, t->ergebnis, o_.sportjahr,
                        QString("BM %1").arg(o_.sportjahr), 1});
            }
            ++tg;
        }
    }

    void writeStaff(int id)
    {
        Inserter art(c_, "MITART", {"MitArt", "Name", "Etikett"});
        const std::pair<const char*, const char*> roles[] = {
            {"SL", "Schießleiter"}, {"AUF", "Standaufsicht"}, {"AUS", "Auswertung"},
            {"KG", "Kampfrichter"}, {"MEL", "Meldestelle"}, {"SAN", "Sanitätsdienst"},
        };
        for (const auto& [code, name] : roles)
            art.add({code, name, QString(code) == "MEL" || QString(code) == "SAN" ? "N" : "J"});
        Inserter sp(c_, "MSPESEN", {"Ident", "MitglNr", "VereinNr", "Anlage", "WKTag", "Teilmeisterschaft", "MitArt",
                                    "Beginn", "Ende", "Tagessatz", "Auszahlung", "Entfernung"});
        const int wanted = std::clamp(int(starts_.size()) / 25, 12, 400);
        std::vector<int> adults;
        for (size_t i = 0; i < members_.size(); ++i)
            if (members_[i].jahrgang.toInt() <= o_.sportjahr - 25)
                adults.push_back(int(i));
        int staff = 0;
        for (int tries = 0; staff < wanted && tries < wanted * 4 && !adults.empty(); ++tries) {
            const Member& m = members_[size_t(rng_.pick(adults))];
            if (mitarb_.count(m.nr))
                continue;
            const QString seit = rng_.chance(0.1) ? QString() : QString::number(rng_.range(1980, o_.sportjahr - 1));
            addMitarb(id, m.nr, m.name, m.vorname, m.titel, m.jahrgang, m.monat, seit);
            ++staff;
            const int n = rng_.range(1, 3);
            for (int k = 0; k < n && !days_.empty(); ++k) {
                const auto& day = rng_.pick(days_);
                const bool full = rng_.chance(0.6);
                const int begin = full ? 7 * 60 + 30 : (rng_.chance(0.5) ? 7 * 60 + 30 : 12 * 60 + 30);
                const int end = full ? 18 * 60 : begin + 5 * 60;
                const char* role = roles[size_t(rng_.below(int(std::size(roles))))].first;
                // The sub-championship of the day decides the ranges in use.
                const int anlage = day.second == "2" ? 4 : rng_.pick(std::vector<int>{1, 2, 3, 5});
                sp.add({id, m.nr, clubs_[size_t(m.club)].nr, anlage, day.first, day.second, role, timeText(begin), timeText(end),
                        rng_.chance(0.1) ? "0" : (full ? "1" : "2"), rng_.chance(0.5) ? "J" : "N",
                        double(rng_.range(3, 90))});
            }
        }
        staffCount_ = staff;
    }

    void writeTargets(int id)
    {
        struct Art { const char* nr; const char* name; int sort, nummer, packung, karton; };
        const Art arts[] = {
            {"1.10.1", "Luftgewehrscheibe 10er-Streifen", 1, 1, 100, 1000},
            {"2.10.1", "Luftpistolenscheibe 17 x 17", 1, 2, 100, 1000},
            {"1.35.1", "KK-Scheibe 50 m", 1, 3, 250, 2500},
            {"1.20.1", "Zimmerstutzenscheibe", 1, 4, 100, 1000},
            {"2.1.1", "Scheibenspiegel LP", 1, 5, 50, 500},
            {"9.1.1", "Hintergrundscheibe LG", 2, 1, 50, 500},
            {"9.1.2", "Trägerscheibe KK", 2, 2, 25, 250},
            {"8.10.1", "Probescheibe LG", 3, 1, 100, 1000},
            {"8.20.1", "Probescheibe LP", 3, 2, 100, 1000},
            {"7.1.1", "Scheibenklammern", 4, 1, 10, 100},
            {"7.1.9", "Altbestand Wertungsscheibe", 100, 1, 1, 1},
        };
        Inserter pa(c_, "PSCHEIART", {"ScheibenArt", "Name", "Nummer", "Sort", "Packung", "Karton", "Unterteilung"});
        Inserter es(c_, "ESCHEIBEN", {"Ident", "ScheibenArt", "Anzahl", "AnzahlWert", "AnzahlProbe", "BestAnz",
                                      "BestMengeW", "BestMengeP", "Von", "Bis", "Wertung", "Probe", "Liegend",
                                      "Stehend", "Kniend"});
        const int n = int(starts_.size());
        for (const Art& a : arts) {
            pa.add({a.nr, a.name, a.nummer, a.sort, a.packung, a.karton, ""});
            if (a.sort >= 100)
                continue;
            const int need = std::max(1, n * rng_.range(2, 8) / 10 + rng_.below(7));
            es.add({id, a.nr, need, need, need / 5, need, need, need / 5, 1, need, a.sort == 3 ? "N" : "J",
                    a.sort == 3 ? "J" : "N", "N", a.nr[0] == '1' ? "J" : "N", "N"});
        }
    }

    void writeSettings(const QString& level, const QString& region, bool state)
    {
        Inserter s(c_, "QVSETTINGS", {"Programm", "Benutzer", "Bereich", "Schluessel", "Wert"});
        const QString p = veranstaltung_;
        const QString u = "alle Benutzer";
        auto set = [&](const char* bereich, const char* key, const QString& value) {
            s.add({p, u, bereich, key, value});
        };
        const QString jahr = QString::number(o_.sportjahr);
        const QString art = state ? "3" : "2";
        set("Allgemein", "Sportjahr", jahr);
        set("Allgemein", "VeranstaltungsArt", art);
        set("Allgemein", "Verband", "3");
        set("Allgemein", "Veranst1", state ? "Landesverband" : "Schützenbezirk");
        set("Allgemein", "Veranst2", region);
        set("Allgemein", "VeranstalterNr", state ? "1000" : "1000");
        set("Allgemein", "LastschriftTage", "20");
        set("Allgemein", "FontErgebnisse", "Arial");
        set("Allgemein", "FontGesamt", "Arial");
        set("Allgemein", "FontUrkunden", "Times New Roman");
        set("Global", "Verband", "Bayerischer Sportschützenbund e.V.");
        set("Global", "Ueberschr", level);
        set("Global", "Meistersch", level + " " + region);
        set("Global", "Veranst1", state ? "Landesverband" : "Schützenbezirk");
        set("Global", "Veranst2", region);
        set("Global", "UrkZusatz", "J");
        set("Global", "ErsteZ", "Urkunde");
        set("Global", "Ober", "Georg Obermaier");
        set("Global", "Sportl", "Anna Lechner");
        set("Global", "Name", "Lechner");
        set("Global", "Vorname", "Anna");
        set("Global", "Institut", "Kreissparkasse München Starnberg Ebersberg");
        set("Global", "Konto", "1234567");
        set("Global", "BLZ", "70250150");
        set("Global", "GläubigerID", "DE98ZZZ09999999999");
        set("Global", "StNr", "St.-Nr.");
        set("Global", "SteuerNr", "143/216/50182");
        set("Global", "TVorw", "089");
        set("Global", "Telefon", "3169490");
        set("Global", "FVorw", "089");
        set("Global", "Fax", "31694999");
        set("Global", "VeranstaltungsArt", art);
        set("Speziell", "Teilmeisterschaft", "1");
        set("Speziell", "Anlage", "N");
        set("Speziell", "MitTab", "J");
        set("Speziell", "Tabellier", "10");
        set("Speziell", "Serien", "J");
        set("Speziell", "Urkunde", "J");
        set("Speziell", "UrkEinzel", "3");
        set("Speziell", "UrkMannsch", "3");
        set("Speziell", "UrkDatum", "N");
        set("Speziell", "UrkOrt", "Garching-Hochbrück");
        set("Speziell", "Nachdruck", "1");
        set("Speziell", "GesPlatz", "3");
        set("Speziell", "GesEinzeilig", "J");
        set("Speziell", "MannAus", "N");
        set("Speziell", "Mit", "N");
        set("Speziell", "MitVorschub", "N");
        set("Speziell", "OhneTeiln", "N");
        set("Speziell", "Rekorde", "J");
        set("Speziell", "Sekunden", "10");
        set("Speziell", "DurchlaufJa", "N");
        set("Speziell", "EinFrist", "30");
        set("Speziell", "Disqualifikation", "J");
        set("Speziell", "Datum", dayDate(0, "1").toString("dd.MM.yyyy"));
        set("Speziell", "VBWettkampf", "N");
        set("Speziell", "VBWettkampfGesamt", "N");
        set("Speziell", "Waehrung", "0");
        set("Speziell", "W1", "Euro");
        set("Speziell", "W2", "DM");
        set("Speziell", "Ummeldung", "J");
        set("Speziell", "UBetrag", "500");
        set("Speziell", "UmmeldeBetr", "5,00");
        set("Speziell", "TeilStag", "N");
        set("Speziell", "AlterLG", "12");
        set("Speziell", "AlterKK", "14");
        set("Speziell", "AlterPist", "18");
        set("Speziell", "BitmapH", "300");
        set("Speziell", "BitmapL", "400");
        set("Speziell", "BitmapLH", "250");
        set("Speziell", "BitmapLL", "250");
        set("Absender", "Name", "Lechner");
        set("Absender", "Vorname", "Anna");
        set("Absender", "Strasse", "Ingolstädter Landstraße 110");
        set("Absender", "PLZ", "85748");
        set("Absender", "Ort", "Garching-Hochbrück");
        set("Absender", "TVorwahl", "089");
        set("Absender", "Telefon", "3169490");
        set("Absender", "FVorwahl", "089");
        set("Absender", "Fax", "31694999");
        set("Absender", "eMail", "sportleitung@example.org");
        set("Mitarbeiter", "MPauschal", "J");
        set("Mitarbeiter", "FPauschal", "N");
        set("Mitarbeiter", "MComputer", "N");
        set("Mitarbeiter", "MStunden", "N");
        set("Mitarbeiter", "UStunden", "N");
        set("Mitarbeiter", "FKilom", "J");
        set("Mitarbeiter", "MOhne", "N");
        set("Mitarbeiter", "MComp", "2000");
        set("Mitarbeiter", "MPausch", "2500");
        set("Mitarbeiter", "MPauschH", "1500");
        set("Mitarbeiter", "FPausch", "1000");
        set("Mitarbeiter", "FKM", "30");
        set("Mitarbeiter", "MStd", "800");
        set("Mitarbeiter", "UStd", "3");
        set("Scheiben", "VStrasse", "Ingolstädter Landstraße 110");
        set("Scheiben", "VPLZ", "85748");
        set("Scheiben", "VOrt", "Garching-Hochbrück");
        set("Scheiben", "VFVorw", "089");
        set("Scheiben", "VFax", "31694999");
        set("Scheiben", "AVorname", "Anna");
        set("Scheiben", "AName", "Lechner");
        set("Scheiben", "AStrasse", "Schützenweg 3");
        set("Scheiben", "APLZ", "85221");
        set("Scheiben", "AOrt", "Dachau");
        set("Scheiben", "ATVorwahl", "08131");
        set("Scheiben", "ATelefon", "12345");
        set("Scheiben", "AFVorwahl", "08131");
        set("Scheiben", "AFax", "12346");
        set("Scheiben", "AeMail", "anna.lechner@example.org");
        set("Scheiben", "EAdresse", "N");
        set("Scheiben", "Check", "J");
        set("Scheiben", "Termin", dayDate(0, "1").addDays(-21).toString("dd.MM.yyyy"));
        set("Senioren", "UVerein", "N");
    }

    Ado::TADOConnection& c_;
    Options o_;
    Rng rng_;
    int regions_ = 1;
    std::vector<QString> districtCodes_, districtNames_;
    std::vector<Club> clubs_;
    int totalWeight_ = 0;
    std::map<int, int> memberCount_;
    std::vector<Member> members_;
    std::vector<Start> starts_;
    std::vector<Team> teams_;
    std::vector<std::pair<int, QString>> days_;                 // day number, sub-championship
    std::map<std::tuple<int, int, QString>, std::vector<std::pair<int, int>>> plan_; // relays per range, day, discipline
    QString veranstaltung_;
    std::set<QString> mitarb_;
    Inserter* mitarbInserter_ = nullptr;
    int recordHolders_ = 0;
    int staffCount_ = 0;
};

} // namespace

Summary Generate(Ado::TADOConnection& connection, const Options& options)
{
    if (options.starts < 1)
        throw EHostFehler("Die Anzahl der Starts muss mindestens 1 sein");
    Ado::TTransaction t(connection);
    Generator g(connection, options);
    Summary s = g.run();
    t.Commit();
    return s;
}

bool CreateDatabase(const QString& file, const Options& options, bool demo, QString* error, Summary* summary)
{
    const QString tmp = file + QString(".tmp-%1").arg(::getpid());
    QFile::remove(tmp);
    QFile::remove(tmp + "-journal");
    try {
        {
            Ado::TADOConnection c;
            if (!c.Open(tmp, error, true))
                return false;
            Schema::Create(c);
            if (demo) {
                Summary s = Generate(c, options);
                if (summary)
                    *summary = s;
            }
            c.Close();
        }
        std::error_code ec;
        std::filesystem::rename(tmp.toStdString(), file.toStdString(), ec);
        if (ec) {
            QFile::remove(tmp);
            if (error)
                *error = QString("Die Datei \"%1\" wurde nicht geschrieben: %2")
                             .arg(file, QString::fromStdString(ec.message()));
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        QFile::remove(tmp);
        if (error)
            *error = QString::fromStdString(e.what());
        return false;
    }
}

} // namespace Demo
