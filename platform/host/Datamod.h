#pragma once
// The host's data module: the connection to the championship database, the
// current championship and the services jobs call through DataModule1().

#include <QObject>
#include <QString>
#include <QStringList>

namespace Datamod {

class TDataModule1 : public QObject {
    Q_OBJECT
public:
    TDataModule1();

    // The user confirms (or chooses) the championship's organiser.
    bool VeranstalterAuswaehlen();
};

TDataModule1* DataModule1();

// Host variables.
extern int iIdent;               // the current championship
extern QString sVeranstaltung;   // its name: the settings' program scope
extern QString sDruckPfad;       // the report file to archive next

} // namespace Datamod
