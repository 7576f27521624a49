// The programs' language: Qt's own dialogs and number formats in German.

#include "platform/host/Qvsprache.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(Sprache, QtsOwnDialogsSpeakGerman)
{
    ASSERT_TRUE(Qvsprache::DeutschEinrichten()) << "Qt's German translations (qt6-translations-l10n) missing";
    ASSERT_TRUE(Qvsprache::DeutschEinrichten()); // a second call changes nothing

    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save | QDialogButtonBox::Yes);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&').toStdString(), "Abbrechen");
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text().remove('&').toStdString(), "Speichern");
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text().remove('&').toStdString(), "Ja");
    QFontDialog font;
    EXPECT_EQ(font.windowTitle().toStdString(), "Schriftart auswählen");
    EXPECT_EQ(QLocale().toString(1234.5, 'f', 1).toStdString(), "1.234,5");
}
