#include "OrganiserDialog.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace OrganiserDialog {

bool Ask(QWidget* parent)
{
    if (!Datamod::DataModule1()->DatabaseOpen())
        return false;
    auto q = Datamod::DataModule1()->DynQuery("SELECT Ident, Veranstalter, Veranstaltung FROM ZKTMP ORDER BY Ident",
                                              Ado::clUseServer, Ado::ltReadOnly);
    QDialog dialog(parent);
    dialog.setObjectName("VeranstalterDlg");
    dialog.setWindowTitle("Veranstalter bestätigen");
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLabel("Für welche Meisterschaft sollen die Listen erstellt werden?");
    layout->addWidget(text);
    auto* list = new QListWidget;
    list->setObjectName("lx_Veranstalter");
    list->setMinimumWidth(460);
    for (q->First(); !q->Eof(); q->Next()) {
        const int ident = q->FieldByName("Ident")->AsInteger();
        const QString veranstaltung = q->FieldByName("Veranstaltung")->AsString();
        const QString veranstalter = q->FieldByName("Veranstalter")->AsString();
        QString zeile = veranstaltung.isEmpty() ? veranstalter : veranstaltung;
        if (!veranstaltung.isEmpty() && !veranstalter.isEmpty() && veranstalter != veranstaltung)
            zeile += " – " + veranstalter;
        auto* item = new QListWidgetItem(QString("%1   (Nr. %2)").arg(zeile).arg(ident), list);
        item->setData(Qt::UserRole, ident);
        if (ident == Datamod::iIdent)
            list->setCurrentItem(item);
    }
    if (!list->currentItem() && list->count() > 0)
        list->setCurrentRow(0);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("bt_OK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("bt_Abbrechen");
    buttons->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted || !list->currentItem())
        return false;
    const int ident = list->currentItem()->data(Qt::UserRole).toInt();
    if (ident != Datamod::iIdent)
        Datamod::DataModule1()->SetCurrentChampionship(ident);
    return true;
}

} // namespace OrganiserDialog
