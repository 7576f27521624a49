// Host library services that other code relies on by their exact behaviour.

#include "platform/host/Qvsettings.h"
#include "platform/host/Qvunits.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Sectionlist.h"

#include "tests/support/QtGtest.h"

#include <gtest/gtest.h>

namespace {

TEST(BreakApart, KeepsEveryFieldIncludingEmptyOnes)
{
    EXPECT_EQ(Qvutil::BreakApart("ZKTMP,REPORT,MENUE", ","), (QStringList{"ZKTMP", "REPORT", "MENUE"}));
    EXPECT_EQ(Qvutil::BreakApart("a,,b,", ","), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(Qvutil::BreakApart("", ",").size(), 1);
    EXPECT_EQ(Qvutil::BreakApart("FORMULAR ZU", ","), (QStringList{"FORMULAR ZU"}));
}

TEST(Units, InitialiseOnFirstAndFinaliseOnLastInReverseOrder)
{
    static QStringList log;
    log.clear();
    std::vector<Qvunits::TUnit> units = {
        {"A", [] { log << "+A"; }, [] { log << "-A"; }},
        {"B", nullptr, [] { log << "-B"; }},
        {"C", [] { log << "+C"; }, nullptr},
    };
    Qvunits::InitializeUnits(units);
    Qvunits::InitializeUnits(units);
    Qvunits::FinalizeUnits(units);
    EXPECT_EQ(log, (QStringList{"+A", "+C"}));
    Qvunits::FinalizeUnits(units);
    Qvunits::FinalizeUnits(units); // one too many: nothing happens
    EXPECT_EQ(log, (QStringList{"+A", "+C", "-B", "-A"}));
}

TEST(Messages, EveryReceiverSeesEveryMessageInRegistrationOrder)
{
    Sectionlist::ClearReceivers();
    QStringList seen;
    Sectionlist::RegisterReceiver([&](const QString& m) { seen << "1:" + m; return false; });
    Sectionlist::RegisterReceiver([&](const QString& m) { seen << "2:" + m; return m == "x"; });
    EXPECT_TRUE(Sectionlist::DistributeMessage("x"));
    EXPECT_FALSE(Sectionlist::DistributeMessage("y"));
    EXPECT_EQ(seen, (QStringList{"1:x", "2:x", "1:y", "2:y"}));
    Sectionlist::ClearReceivers();
}

TEST(Settings, UnsetKeysReadEmptyAndZeroAndScopesAreSeparate)
{
    auto* s = Qvsettings::Settings();
    s->SetProgramm("Kreismeisterschaft 2026");
    s->SetBenutzer("alle Benutzer");
    s->SetBereich("Speziell");
    EXPECT_EQ(s->GetQvSetting("MitTab")->GetAsString(), "");
    EXPECT_EQ(s->GetQvSetting("Sekunden")->GetAsInteger(), 0);
    s->GetQvSetting("Sekunden")->SetAsInteger(10);
    s->GetQvSetting("MitTab")->SetAsString("J");
    EXPECT_EQ(s->GetQvSetting("Sekunden")->GetAsInteger(), 10);
    s->GetQvSetting("Sekunden")->SetAsString("zehn");
    EXPECT_EQ(s->GetQvSetting("Sekunden")->GetAsInteger(), 0);

    s->SetBereich("Allgemein");
    EXPECT_EQ(s->GetQvSetting("MitTab")->GetAsString(), "");
    s->SetProgramm("Andere Meisterschaft");
    s->SetBereich("Speziell");
    EXPECT_EQ(s->GetQvSetting("MitTab")->GetAsString(), "");
}

} // namespace
