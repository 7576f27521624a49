#pragma once
// The generator of a championship: builds clubs, members, starts, results,
// teams and the schedule in memory, then writes every table. Its parts are
// defined in the file of what they generate.

#include "apps/reports1/demo/Demo.h"
#include "apps/reports1/demo/DemoData.h"

#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace Demo::detail {

class Generator {
public:
    Generator(Ado::TADOConnection& c, const Options& o) : c_(c), o_(o), rng_(o.seed) {}
    Summary run();

private:
    // Clubs, members and their starts (DemoClubs.cpp)
    void makeClubs();
    int pickClub();
    int newMember(int club, const KlasseDef& k);
    void addStart(int member, const QString& disziplin, bool anchor = false);
    std::vector<const DisziplinDef*> disciplinesFor(const QString& klasse);
    void makeMembers();

    // Results, finals and teams (DemoResults.cpp)
    void shoot(Start& s);
    void makeResults();
    // The best eight of the finals classes shoot a final (tenths); in the
    // air-rifle men's class places two and three are then level and decided
    // by a shoot-off.
    void makeFinals();
    double total(int i) const { return starts_[size_t(i)].ergebnis + starts_[size_t(i)].finale / 10.0; }
    void makeTeams();
    void sumTeam(Team& t);
    // Two complete crossbow teams end level: of the two whose results are
    // closest, the better one loses the difference on its members' last
    // series.
    void makeTie531();

    // Ranges, days and relays (DemoSchedule.cpp)
    void schedule();
    QDate dayDate(int index, const QString& teilm) const;
    void numberStarts();

    // Writing the tables (DemoWrite.cpp, DemoStaff.cpp)
    QString dotted(const QString& code) const { return code.left(1) + "." + code.mid(1); }
    void write();
    void writeClubs();
    void writeMembers();
    void writeParameters(int id);
    void writeStarts(int id);
    void writeTeams(int id);
    void addMitarb(int id, const QString& nr, const QString& name, const QString& vorname, const QString& titel,
                   const QString& jahrgang, const QString& monat, const QString& seit);
    void writeRecords(int id);
    void writeStaff(int id);
    void writeDuty(int id); // DemoDienst.cpp
    void writeTargets(int id);
    void writeSettings(const QString& level, const QString& region, bool state);
    void writeFees(); // DemoFees.cpp
    void writeAdmission(int id); // DemoAdmission.cpp

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

} // namespace Demo::detail
