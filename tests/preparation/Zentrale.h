#pragma once
// The preparation centre opened off-screen on a test championship: controls
// set and buttons clicked as a user would (through the form driver, so the
// focus moves and exit handlers run), and the prints read back line by line.

#include "reports1/preparation/Vorbereitung1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "platform/vcl/FormDriver.h"
#include "reports1/preparation/Ausnahme1.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <map>

namespace Zentrale {

inline void flushEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

using Druck = ReportTest::Druck;

inline Druck lesen(const Host::PrintRequest& p) { return ReportTest::druckLesen(p.file, p.title); }

class Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Ausnahme1::DruckjobID = 0;
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.setting("Allgemein", "Sportjahr", "2026");
        db.setting("Speziell", "Teilmeisterschaft", "1");
    }
    void TearDown() override
    {
        if (Vorbereitung1::VorbereitungForm)
            Vorbereitung1::VorbereitungForm->close();
        flushEvents();
        for (const auto& p : ui->previews)
            QFile::remove(p.file);
    }

    TVorbereitungForm* open()
    {
        Vorbereitung1::Erstellen();
        flushEvents();
        return Vorbereitung1::VorbereitungForm;
    }

    template <class T>
    T* ctl(const char* name)
    {
        T* w = Vorbereitung1::VorbereitungForm->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Plays steps ("name=value" sets a control, "name" clicks a button) on
    // the open centre; the outcome of the form driver.
    Vcl::TFormDriver::Outcome play(const QStringList& steps)
    {
        if (!Vorbereitung1::VorbereitungForm)
            open();
        Vcl::TFormDriver d;
        for (const QString& s : steps) {
            const int eq = int(s.indexOf('='));
            if (eq < 0)
                d.AddClick(s);
            else
                d.AddCtl(s.left(eq), s.mid(eq + 1));
        }
        const auto outcome = d.Play(Vorbereitung1::VorbereitungForm);
        fehler = d.ErrorText();
        return outcome;
    }

    // Clicks a list's button; the print it handed to the preview.
    Druck drucken(const QString& knopf)
    {
        const qsizetype vorher = ui->previews.size();
        EXPECT_EQ(play({knopf}), Vcl::TFormDriver::Ok) << fehler.toStdString();
        EXPECT_EQ(ui->previews.size(), vorher + 1) << knopf.toStdString() << ": " << ui->messageTexts().join(" / ").toStdString();
        if (ui->previews.size() != vorher + 1)
            return {};
        return lesen(ui->previews.last());
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
    QString fehler;
};

} // namespace Zentrale
