#pragma once
// The results dialog driven off-screen as a user drives it, for the tests
// of the documents it produces.

#include "reports1/results/Ergebdruck1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/report/Rpstream.h"
#include "platform/vcl/FormDriver.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/TestHostUi.h"

#include <QCoreApplication>
#include <QStringList>

#include <gtest/gtest.h>

namespace ErgebDialog {

inline void flushEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Opens the dialog on the results list and closes it at the end.
struct Dialog {
    Dialog()
    {
        Ergebdruck1::Erstellen(true);
        flushEvents();
    }
    ~Dialog()
    {
        if (Ergebdruck1::ErgebDruckForm)
            Ergebdruck1::ErgebDruckForm->close();
        flushEvents();
        Ergebdruck1::DruckjobID = 0;
    }
    TErgebDruckForm* form() const { return Ergebdruck1::ErgebDruckForm; }
    // Sets a control as a user would; the driver's complaint, "" when taken.
    QString set(const char* name, const QString& value) const
    {
        QString error;
        Vcl::TFormDriver::SetControl(form(), name, value, &error);
        return error;
    }
    void click(const char* name) const
    {
        QString error;
        EXPECT_TRUE(Vcl::TFormDriver::Click(form(), name, &error)) << error.toStdString();
    }
    template <class T>
    T* ctl(const char* name) const
    {
        return form()->findChild<T*>(name);
    }
};

// The rows of a query, the columns of each joined by "|".
inline QStringList rows(const QString& sql)
{
    QStringList l;
    auto q = Datamod::DataModule1()->DynQuery(sql);
    for (q->First(); !q->Eof(); q->Next()) {
        QStringList r;
        for (int i = 0; i < q->FieldCount(); ++i)
            r << q->Field(i)->AsString();
        l << r.join('|');
    }
    return l;
}

// The texts a report stream prints, in order.
inline QStringList texte(const QString& stream)
{
    QStringList t;
    for (const QString& l : ReportTest::linesStarting(Report::DumpStream(stream).split('\n'), "T\t"))
        t << ReportTest::field(l, 8);
    return t;
}

} // namespace ErgebDialog
