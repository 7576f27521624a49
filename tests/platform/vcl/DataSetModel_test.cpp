// The grid model over a dataset of a championship database: columns and
// check columns, rows read once and the dataset's record kept, writes
// through the dataset or a write handler, and view and dataset moving
// together.

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/vcl/DataSetModel.h"
#include "platform/vcl/FormDriver.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QSignalSpy>
#include <QTableView>

#include <gtest/gtest.h>

using Vcl::TDataSetModel;

namespace {

// The classes of discipline 110: 10, 11 (released, "X") and 20.
class DataSetModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [klasse, eing] : {std::pair{"10", ""}, {"11", "X"}, {"20", ""}})
            db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", klasse}, {"ErgebEing", eing},
                                  {"Teilmeisterschaft", "1"}});
        q = abfrage();
        m.AddColumn("Klasse", "Kl.");
        m.AddColumn("ErgebEing", "Freigabe", true);
        m.AddColumn("Teilmeisterschaft", "Teilm.", false, true);
        m.SetDataSet(q.get());
    }

    std::unique_ptr<Ado::TADOQuery> abfrage(Ado::TLockType lock = Ado::ltUnspecified)
    {
        return Datamod::DataModule1()->DynQuery("SELECT * FROM PDISKLA WHERE Ident = 1 ORDER BY Klasse",
                                                Ado::clUseServer, lock);
    }
    QVariant zelle(int row, int col, int role = Qt::DisplayRole) { return m.data(m.index(row, col), role); }
    QString gespeichert(const QString& feld, const QString& klasse)
    {
        return db.value("SELECT " + feld + " FROM PDISKLA WHERE Klasse = '" + klasse + "'").toString();
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
    std::unique_ptr<Ado::TADOQuery> q;
    TDataSetModel m;
};

TEST_F(DataSetModel, ShowsTheNamedFieldsWithTicksForCheckColumns)
{
    EXPECT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "Freigabe");
    EXPECT_EQ(m.headerData(1, Qt::Horizontal, TDataSetModel::FieldNameRole).toString(), "ErgebEing");
    EXPECT_EQ(m.ColumnOf("ergebeing"), 1);
    EXPECT_EQ(m.ColumnOf("Disziplin"), -1);
    EXPECT_EQ(zelle(2, 0).toString(), "20");
    EXPECT_EQ(zelle(2, 2).toString(), "1");
    EXPECT_EQ(m.Value(2, "disziplin"), "110"); // any field of the dataset
    EXPECT_EQ(m.Value(3, "Klasse"), "");

    // A check column shows a box, never the "X".
    EXPECT_EQ(zelle(0, 1, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(zelle(1, 1, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(zelle(1, 1).isValid());
    EXPECT_TRUE(m.flags(m.index(0, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m.flags(m.index(0, 0)) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable));
    EXPECT_TRUE(m.flags(m.index(0, 2)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m.setData(m.index(0, 0), "12")); // not editable
    EXPECT_EQ(gespeichert("Klasse", "10"), "10");

    q->Close();
    m.Refresh();
    EXPECT_EQ(m.rowCount(), 0);
    m.SetDataSet(nullptr);
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_EQ(m.CurrentRow(), -1);
}

TEST_F(DataSetModel, RefreshReadsNewRowsAndKeepsTheCurrentRecord)
{
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "12"}});
    q->Requery();
    q->SetRecNo(4);
    m.Refresh();
    EXPECT_EQ(m.rowCount(), 4);
    EXPECT_EQ(zelle(2, 0).toString(), "12");
    EXPECT_EQ(q->RecNo(), 4);
    EXPECT_EQ(q->FieldByName("Klasse")->AsString(), "20");
    EXPECT_EQ(m.CurrentRow(), 3);
    m.MoveTo(1);
    EXPECT_EQ(q->FieldByName("Klasse")->AsString(), "11");
    m.MoveTo(4); // no such row: stays
    EXPECT_EQ(m.CurrentRow(), 1);
}

TEST_F(DataSetModel, WritesGoThroughTheDatasetToTheRowTheyWereMadeIn)
{
    QSignalSpy posted(&m, &TDataSetModel::Posted);
    q->SetRecNo(3); // the dataset stands elsewhere
    EXPECT_TRUE(m.setData(m.index(0, 2), "2"));
    EXPECT_TRUE(m.setData(m.index(0, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(m.setData(m.index(1, 1), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(gespeichert("Teilmeisterschaft", "10"), "2");
    EXPECT_EQ(gespeichert("ErgebEing", "10"), "X");
    EXPECT_EQ(gespeichert("ErgebEing", "11"), "");
    EXPECT_EQ(gespeichert("Teilmeisterschaft", "20"), "1");
    EXPECT_EQ(gespeichert("ErgebEing", "20"), "");
    EXPECT_EQ(zelle(0, 2).toString(), "2");
    EXPECT_EQ(zelle(0, 1, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(zelle(1, 1, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(q->State(), Ado::dsBrowse);
    ASSERT_EQ(posted.size(), 3);
    EXPECT_EQ(posted[0], (QVariantList{0, "Teilmeisterschaft"}));
    EXPECT_EQ(posted[2], (QVariantList{1, "ErgebEing"}));
    EXPECT_TRUE(ui->errors.isEmpty());
}

TEST_F(DataSetModel, AWriteHandlerTakesOverTheWritesItAccepts)
{
    QSignalSpy posted(&m, &TDataSetModel::Posted);
    QStringList geschrieben;
    m.OnWrite = [&](int row, const QString& feld, const QString& wert) {
        geschrieben << QString("%1:%2=%3").arg(row).arg(feld, wert);
        return wert == "X";
    };
    EXPECT_TRUE(m.setData(m.index(2, 1), Qt::Checked, Qt::CheckStateRole));  // taken over
    EXPECT_TRUE(m.setData(m.index(1, 1), Qt::Unchecked, Qt::CheckStateRole)); // left to the dataset
    EXPECT_EQ(geschrieben, (QStringList{"2:ErgebEing=X", "1:ErgebEing="}));
    EXPECT_EQ(gespeichert("ErgebEing", "20"), "");
    EXPECT_EQ(gespeichert("ErgebEing", "11"), "");
    EXPECT_EQ(zelle(2, 1, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(posted.size(), 2);
}

TEST_F(DataSetModel, AFailedWriteIsShownAndChangesNothing)
{
    auto lesend = abfrage(Ado::ltReadOnly);
    m.SetDataSet(lesend.get());
    QSignalSpy posted(&m, &TDataSetModel::Posted);
    EXPECT_FALSE(m.setData(m.index(0, 2), "2"));
    EXPECT_EQ(ui->errors, (QStringList{"Die Datenmenge kann nicht geändert werden"}));
    EXPECT_EQ(zelle(0, 2).toString(), "1");
    EXPECT_EQ(gespeichert("Teilmeisterschaft", "10"), "1");
    EXPECT_EQ(lesend->State(), Ado::dsBrowse);
    EXPECT_TRUE(posted.isEmpty());
}

TEST_F(DataSetModel, BindKeepsTheViewsRowAndTheDatasetsRecordTogether)
{
    QWidget form;
    auto* view = new QTableView(&form);
    view->setObjectName("gr_Klassen");
    QList<int> gewaehlt;
    q->SetRecNo(2);
    m.Bind(view, [&](int row) {
        gewaehlt << row;
        if (row == 0)
            throw Ado::EDatenfehler("Klasse gesperrt");
    });
    EXPECT_EQ(view->currentIndex().row(), 1); // where the dataset stands

    view->setCurrentIndex(m.index(2, 2));
    EXPECT_EQ(q->FieldByName("Klasse")->AsString(), "20");
    view->setCurrentIndex(m.index(2, 0)); // same row: no new choice
    view->setCurrentIndex(m.index(0, 0));
    EXPECT_EQ(q->FieldByName("Klasse")->AsString(), "10");
    EXPECT_EQ(gewaehlt, (QList<int>{2, 0}));
    EXPECT_EQ(ui->errors, (QStringList{"Klasse gesperrt"}));

    // After a refresh the view follows the dataset, without a new choice.
    q->SetRecNo(3);
    m.Refresh();
    EXPECT_EQ(view->currentIndex().row(), 2);
    EXPECT_EQ(gewaehlt, (QList<int>{2, 0}));

    // The driver reaches the rows by key and the cells by title or field.
    QString fehler;
    EXPECT_TRUE(Vcl::TFormDriver::SetControl(&form, "gr_Klassen", "11", &fehler)) << fehler.toStdString();
    EXPECT_EQ(q->FieldByName("Klasse")->AsString(), "11");
    EXPECT_TRUE(Vcl::TFormDriver::SetControl(&form, "gr_Klassen", "20:Freigabe=X", &fehler));
    EXPECT_TRUE(Vcl::TFormDriver::SetControl(&form, "gr_Klassen", "10:Teilmeisterschaft=3", &fehler));
    EXPECT_EQ(gespeichert("ErgebEing", "20"), "X");
    EXPECT_EQ(gespeichert("Teilmeisterschaft", "10"), "3");
    EXPECT_FALSE(Vcl::TFormDriver::SetControl(&form, "gr_Klassen", "10:Kl.=12", &fehler));
    EXPECT_EQ(fehler, "Wert 12 passt nicht zu gr_Klassen");
    EXPECT_EQ(gespeichert("Klasse", "10"), "10");
}

} // namespace
