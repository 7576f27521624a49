// Interleaved 2 of 5 bar codes.

#include "ReportTestUtil.h"

#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

TEST(Rpbars, Interleaved2of5PatternPositionAndReadableText)
{
    // Start pattern narrow bar/space/bar/space, stop pattern wide bar, narrow space, narrow bar.
    const QString m = TRPBars2of5::Modules("1234", false);
    ASSERT_FALSE(m.isEmpty());
    EXPECT_TRUE(m.startsWith("1010"));
    EXPECT_TRUE(m.endsWith("11101"));
    // Two digits per pair of 5 elements (2 wide of 3:1) = 18 modules per pair, plus 4 + 5.
    EXPECT_EQ(m.size(), 2 * 18 + 9);
    // An odd count is completed with a leading zero: same pattern as "0123".
    EXPECT_EQ(TRPBars2of5::Modules("123", false), TRPBars2of5::Modules("0123", false));
    QString error;
    EXPECT_TRUE(TRPBars2of5::Modules("12A4", false, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());

    QStringList dump = dumpOf([](TBaseReport& r) {
        r.SetFont("Arial", 10);
        TRPBars2of5 left(r);
        left.SetText("1234");
        left.SetBarWidth(0.04);
        left.SetBarHeight(0.6);
        left.SetBarCodeJustify(pjLeft);
        EXPECT_NEAR(left.Width(), 45 * 0.04, 1e-9);
        EXPECT_TRUE(left.PrintXY(3.0, 5.0));

        TRPBars2of5 right(r);
        right.SetText("1234");
        right.SetBarWidth(0.043);
        right.SetBarCodeJustify(pjRight);
        right.SetPrintReadable(false);
        EXPECT_TRUE(right.PrintXY(10.0, 8.0));

        TRPBars2of5 bad(r);
        bad.SetText("12-4");
        EXPECT_FALSE(bad.PrintXY(3.0, 12.0));
    });
    const QStringList expected = {
        "P 1",
        "C\t1\t3.000\t5.000\tC25INTER\t1234",
        // readable text centred under the bars: 3.0 + 45 * 0.04 / 2
        "T\t1\t3.900\t5.920\tC\tArial\t10\t\t1234",
        "C\t1\t8.065\t8.000\tC25INTER\t1234",
    };
    EXPECT_EQ(dump, expected);
}
