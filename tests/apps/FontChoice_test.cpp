// Font families shared between workstations: the dialog offers the family
// fontconfig uses for a stored Windows name, and a Liberation family chosen
// is stored under the Windows name.

#include "platform/vcl/FontChoice.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    bool confirmed = false;
    QString offered;   // the family the dialog showed on opening
    QString stored;    // what the caller got to store; "-" when nothing
};

// Opens the dialog on stored; then the user picks pick ("" keeps the
// family offered) and confirms, or cancels when pick is "cancel".
Outcome choose(const QString& stored, const QString& pick)
{
    QFontDialog dialog;
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    Outcome run;
    run.stored = "-";
    QTimer::singleShot(0, &dialog, [&] {
        run.offered = dialog.currentFont().family();
        if (pick == "cancel") {
            dialog.reject();
            return;
        }
        if (!pick.isEmpty())
            dialog.setCurrentFont(QFont(pick));
        dialog.accept();
    });
    run.confirmed = Vcl::ChooseFontFamily(dialog, stored, [&](const QString& f) { run.stored = f; });
    return run;
}

} // namespace

TEST(FontChoice, WindowsNamesAreOfferedAsTheirLiberationFontsAndKept)
{
    ASSERT_TRUE(QFontDatabase::families().contains("Liberation Sans")) << "fonts-liberation2 missing";

    Outcome r = choose("Arial", "");
    EXPECT_TRUE(r.confirmed);
    EXPECT_EQ(r.offered.toStdString(), "Liberation Sans");
    EXPECT_EQ(r.stored.toStdString(), "Arial");

    r = choose("Times New Roman", "");
    EXPECT_EQ(r.offered.toStdString(), "Liberation Serif");
    EXPECT_EQ(r.stored.toStdString(), "Times New Roman");

    // Another alias fontconfig resolves is kept as it was when confirmed.
    r = choose("Helvetica", "");
    EXPECT_EQ(r.stored.toStdString(), "Helvetica");
}

TEST(FontChoice, ChosenLiberationFontsAreStoredUnderTheSharedWindowsName)
{
    EXPECT_EQ(choose("Arial", "Liberation Serif").stored.toStdString(), "Times New Roman");
    EXPECT_EQ(choose("Arial", "Liberation Mono").stored.toStdString(), "Courier New");
    EXPECT_EQ(choose("Courier New", "Liberation Sans").stored.toStdString(), "Arial");
    EXPECT_EQ(choose("", "Liberation Sans").stored.toStdString(), "Arial");
    if (QFontDatabase::families().contains("DejaVu Sans")) {
        EXPECT_EQ(choose("Arial", "DejaVu Sans").stored.toStdString(), "DejaVu Sans");
    }

    const Outcome cancelled = choose("Arial", "cancel");
    EXPECT_FALSE(cancelled.confirmed);
    EXPECT_EQ(cancelled.stored.toStdString(), "-");
}
