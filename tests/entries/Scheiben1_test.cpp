// The target order question: every opening starts unchecked, "OK" gives
// the box's state, a cancel keeps the answer of the last "OK".

#include "reports1/entries/Scheiben1.h"

#include "tests/entries/EntriesTest.h"

#include <QCheckBox>
#include <QTimer>

namespace {

TEST(Scheibenbestellung, OkAnswersTheBoxAndCancelKeepsTheLastAnswer)
{
    Host::TestUiGuard ui;
    Scheiben1::bBlanko = false;
    const auto fragen = [](const EntriesTest::Ctls& ctls, const QString& knopf, bool* offen = nullptr) {
        Vcl::TFormDriver d;
        if (offen)
            QTimer::singleShot(0, [offen] {
                if (Scheiben1::ScheibenForm)
                    *offen = Scheiben1::ScheibenForm->findChild<QCheckBox*>("cb_Blanko")->isChecked();
            });
        for (const auto& [n, w] : ctls)
            d.AddCtl(n, w);
        d.AddClick(knopf);
        bool antwort = false;
        d.Run([&antwort] { antwort = Scheiben1::Bestellung(); });
        return antwort;
    };
    EXPECT_FALSE(fragen({{"cb_Blanko", "true"}}, "bt_Abbruch")); // no "OK" yet
    EXPECT_TRUE(fragen({{"cb_Blanko", "true"}}, "bt_OK"));
    bool offen = true;
    EXPECT_TRUE(fragen({}, "bt_Abbruch", &offen)); // cancelled: the last answer
    EXPECT_FALSE(offen);                           // but the box opened unchecked
    EXPECT_FALSE(fragen({}, "bt_OK"));
    EXPECT_EQ(Scheiben1::ScheibenForm, nullptr);
}

} // namespace
