#pragma once
// Live publishing of the overall results list: a web page per group and an
// index linking them, written into a folder again whenever the results of
// the competition change. Each file replaces its predecessor only when it is
// complete, so a browser or web server never reads half a file. The user's
// output marks are left alone: every group of the competition is walked.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

namespace ErgebVeroeffentlichen {

// A digest of everything the pages show of competition Ident: its results,
// teams, disciplines, classes, members and clubs. Equal digests, equal pages.
QByteArray Stand(int Ident);

class TVeroeffentlichung {
public:
    TVeroeffentlichung(int Ident, const QString& Ordner);

    // When the digest differs from the last pass (always on the first),
    // writes the pages anew and returns how many files were written; 0
    // when nothing changed. A file that cannot be written raises the host's
    // error naming it (the files written before it stay).
    int Durchgang();
    // The files of the last writing, the index last.
    const QStringList& Dateien() const { return dateien_; }

    // Called with each finished file's contents before it replaces its
    // predecessor; false stops the writing there (as an interruption
    // does): that file and the ones after it keep their previous contents.
    std::function<bool(const QString& Datei)> VorErsetzen;

private:
    int ident_;
    QString ordner_;
    QByteArray stand_;
    QStringList dateien_;
};

// Runs Durchgang every IntervallMs milliseconds until Stop is set (checked
// at least ten times a second); NachDurchgang gets each pass's count.
void Laufen(TVeroeffentlichung& V, int IntervallMs, const std::atomic<bool>& Stop,
            const std::function<void(int)>& NachDurchgang = {});

// The file name of a group's page.
QString GruppenDatei(int Ident, const QString& Disziplin, const QString& Klasse);

} // namespace ErgebVeroeffentlichen
