#include "apps/reports1/demo/Demo.h"
#include "apps/reports1/demo/DemoGenerator.h"

#include "platform/host/Eingabefehler.h"
#include "reports1/frame/db/Schema.h"

#include <QFile>

#include <filesystem>
#include <unistd.h>

namespace Demo {

namespace detail {

Summary Generator::run()
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

} // namespace detail

Summary Generate(Ado::TADOConnection& connection, const Options& options)
{
    if (options.starts < 1)
        throw EHostFehler("Die Anzahl der Starts muss mindestens 1 sein");
    Ado::TTransaction t(connection);
    detail::Generator g(connection, options);
    Summary s = g.run();
    detail::RekordEgalisiert(connection, options);
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
