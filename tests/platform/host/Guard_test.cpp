// The guard around every handler: errors are shown through the host and
// counted by kind, and none escapes into the Qt event loop; connected
// handlers run guarded on every signal while their context lives.

#include "platform/ado/AdoError.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(Guard, ShowsEveryErrorThroughTheHostAndCountsItsKind)
{
    Host::TestUiGuard ui;
    const int eingabe = Host::EingabefehlerCount(), fehler = Host::FehlerCount();
    int laeufe = 0;
    EXPECT_TRUE(Host::Guard([&] { ++laeufe; }));
    EXPECT_FALSE(Host::Guard([] { throw Eingabefehler("Bitte einen Wettbewerb wählen"); }));
    EXPECT_FALSE(Host::Guard([] { throw EHostFehler("Keine Datenbank geöffnet"); }));
    EXPECT_FALSE(Host::Guard([] { throw Ado::EDatenfehler("Das Feld Gibtsnicht gibt es nicht"); }));
    EXPECT_FALSE(Host::Guard([] { throw std::runtime_error("Datei gesperrt"); }));
    EXPECT_EQ(laeufe, 1);
    EXPECT_EQ(ui->errors, (QStringList{"Bitte einen Wettbewerb wählen", "Keine Datenbank geöffnet",
                                       "Das Feld Gibtsnicht gibt es nicht", "Datei gesperrt"}));
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(Host::EingabefehlerCount(), eingabe + 1);
    EXPECT_EQ(Host::FehlerCount(), fehler + 3);
}

class Formular : public QObject {
public:
    int klicks = 0;
    void Klick()
    {
        if (++klicks == 1)
            throw Eingabefehler("erst beim zweiten Mal");
    }
};

TEST(Connect, RunsTheHandlerGuardedOnEverySignalWhileTheContextLives)
{
    Host::TestUiGuard ui;
    QObject sender;
    auto kontext = std::make_unique<QObject>();
    int laeufe = 0;
    Host::Connect(&sender, &QObject::objectNameChanged, kontext.get(), [&] {
        if (++laeufe == 1)
            throw EHostFehler("Druckauftrag fehlgeschlagen");
    });
    Formular form;
    Host::Connect(&sender, &QObject::objectNameChanged, &form, &Formular::Klick);

    sender.setObjectName("a"); // both handlers fail, both run
    sender.setObjectName("b");
    EXPECT_EQ(laeufe, 2);
    EXPECT_EQ(form.klicks, 2);
    EXPECT_EQ(ui->errors, (QStringList{"Druckauftrag fehlgeschlagen", "erst beim zweiten Mal"}));

    kontext.reset();
    sender.setObjectName("c");
    EXPECT_EQ(laeufe, 2);
    EXPECT_EQ(form.klicks, 3);
}

} // namespace
