// The host's modeless windows: one window per unit held in the unit
// variable, brought back instead of opened twice, the variable cleared
// however the window ends, FormShow on every opening only, errors of
// FormShow and FormClose shown, and the caption of the current
// championship.

#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvform.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QApplication>
#include <QPointer>

#include <gtest/gtest.h>

using Qvform::TQuarvelForm;

namespace {

QStringList protokoll; // FormShow and FormClose, with the window's number

class Fenster : public TQuarvelForm {
public:
    static inline Fenster* Einheit = nullptr;
    static inline Fenster* Andere = nullptr; // another unit's window of the same kind
    static inline int nummer = 0;
    static inline QString fehlerBeim; // "FormShow" or "FormClose" raises an error

    Fenster() { setObjectName(QString::number(++nummer)); }

protected:
    void FormShow() override { ereignis("FormShow"); }
    void FormClose() override { ereignis("FormClose"); }

private:
    void ereignis(const QString& was)
    {
        protokoll << was + ":" + objectName();
        if (fehlerBeim == was)
            throw EHostFehler(was + " fehlgeschlagen");
    }
};

int offeneFenster()
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += w->isVisible() && dynamic_cast<Fenster*>(w) ? 1 : 0;
    return n;
}

void geloeschteEntfernen() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class QuarvelForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        protokoll.clear();
        Fenster::nummer = 0;
        Fenster::fehlerBeim.clear();
    }
    void TearDown() override
    {
        TQuarvelForm::Freigeben(Fenster::Einheit);
        TQuarvelForm::Freigeben(Fenster::Andere);
        geloeschteEntfernen();
    }
    Host::TestUiGuard ui;
};

TEST_F(QuarvelForm, AUnitOpensOneWindowAndBringsItBackInsteadOfASecond)
{
    QObject besitzer;
    TQuarvelForm::EinzelnZeigen(Fenster::Einheit, true, &besitzer, Qvform::fgNormal);
    QPointer<Fenster> erstes = Fenster::Einheit;
    ASSERT_TRUE(erstes);
    EXPECT_TRUE(erstes->isVisible());
    EXPECT_FALSE(erstes->isMaximized());
    EXPECT_TRUE(erstes->property("quarvelFlag").toBool());
    EXPECT_EQ(erstes->Owner(), &besitzer);

    erstes->showMinimized();
    TQuarvelForm::EinzelnZeigen(Fenster::Einheit, false, nullptr, Qvform::fgMaximiert);
    EXPECT_EQ(Fenster::Einheit, erstes);
    EXPECT_FALSE(erstes->isMinimized());
    EXPECT_EQ(offeneFenster(), 1);
    EXPECT_EQ(protokoll, (QStringList{"FormShow:1"})); // restoring is no opening

    // Another unit's window is its own.
    TQuarvelForm::EinzelnZeigen(Fenster::Andere, false, nullptr, Qvform::fgNormal);
    EXPECT_EQ(offeneFenster(), 2);
    Fenster::Andere->close();
    EXPECT_EQ(Fenster::Andere, nullptr);
    EXPECT_EQ(Fenster::Einheit, erstes);

    // Hidden and shown again by the program: an opening.
    erstes->hide();
    erstes->show();
    EXPECT_EQ(protokoll, (QStringList{"FormShow:1", "FormShow:2", "FormClose:2", "FormShow:1"}));
}

TEST_F(QuarvelForm, TheUnitVariableIsClearedHoweverTheWindowEnds)
{
    TQuarvelForm::EinzelnZeigen(Fenster::Einheit, false, nullptr, Qvform::fgNormal);
    QPointer<Fenster> erstes = Fenster::Einheit;
    erstes->close();
    EXPECT_EQ(Fenster::Einheit, nullptr);
    // Opened again before the closed window is gone: the new one keeps
    // the unit variable when the old one is freed.
    TQuarvelForm::EinzelnZeigen(Fenster::Einheit, false, nullptr, Qvform::fgMaximiert);
    QPointer<Fenster> zweites = Fenster::Einheit;
    ASSERT_TRUE(zweites);
    EXPECT_NE(zweites, erstes);
    EXPECT_TRUE(zweites->isMaximized());
    geloeschteEntfernen();
    EXPECT_TRUE(erstes.isNull());
    EXPECT_EQ(Fenster::Einheit, zweites);

    delete zweites.data(); // freed without a close
    EXPECT_EQ(Fenster::Einheit, nullptr);

    TQuarvelForm::EinzelnZeigen(Fenster::Einheit, false, nullptr, Qvform::fgNormal);
    QPointer<Fenster> drittes = Fenster::Einheit;
    TQuarvelForm::Freigeben(Fenster::Einheit);
    EXPECT_TRUE(drittes.isNull());
    EXPECT_EQ(Fenster::Einheit, nullptr);
    TQuarvelForm::Freigeben(Fenster::Einheit); // nothing open: nothing happens
    EXPECT_EQ(protokoll, (QStringList{"FormShow:1", "FormClose:1", "FormShow:2", "FormShow:3"}));
}

TEST_F(QuarvelForm, ErrorsOfOpeningAndClosingAreShownAndTheWindowStillOpensAndCloses)
{
    Fenster::fehlerBeim = "FormShow";
    TQuarvelForm::EinzelnZeigen(Fenster::Einheit, false, nullptr, Qvform::fgNormal);
    ASSERT_NE(Fenster::Einheit, nullptr);
    EXPECT_TRUE(Fenster::Einheit->isVisible());

    Fenster::fehlerBeim = "FormClose";
    QPointer<Fenster> f = Fenster::Einheit;
    EXPECT_NO_THROW(f->close());
    EXPECT_EQ(Fenster::Einheit, nullptr);
    geloeschteEntfernen();
    EXPECT_TRUE(f.isNull());
    EXPECT_EQ(ui->errors, (QStringList{"FormShow fehlgeschlagen", "FormClose fehlgeschlagen"}));
}

TEST(FensterTitel, NamesTheCurrentChampionshipAndItsSubChampionship)
{
    Fixture::Database db;
    db.setting("Speziell", "Teilmeisterschaft", "2");
    EXPECT_EQ(Qvform::FensterTitel("Listen zur Vorbereitung"), "Listen zur Vorbereitung - Testmeisterschaft - Teilm. 2");
    db.setting("Speziell", "Teilmeisterschaft", "3");
    EXPECT_EQ(Qvform::FensterTitel("Startgeldberechnung"), "Startgeldberechnung - Testmeisterschaft - Teilm. 3");

    db.insert("ZKTMP", {{"Ident", 2}, {"Veranstalter", "Schützengau Oberland"}, {"Veranstaltung", "Gaumeisterschaft 2026"}});
    Datamod::DataModule1()->SetCurrentChampionship(2);
    db.setting("Speziell", "Teilmeisterschaft", "1");
    EXPECT_EQ(Qvform::FensterTitel("Erstellen Ergebnislisten"),
              "Erstellen Ergebnislisten - Gaumeisterschaft 2026 - Teilm. 1");
    Datamod::DataModule1()->SetCurrentChampionship(1);
    EXPECT_EQ(Qvform::FensterTitel("Erstellen Ergebnislisten"),
              "Erstellen Ergebnislisten - Testmeisterschaft - Teilm. 3");
}

} // namespace
