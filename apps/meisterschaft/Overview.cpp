#include "Overview.h"
#include "Championship.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvmain.h"

#include <QDate>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// One value of the championship; "" when the database cannot tell.
QString ask(const QString& sql)
{
    auto* connection = Datamod::DataModule1()->Connection();
    if (!connection)
        return {};
    try {
        return connection->Scalar(sql, {Datamod::iIdent}).toString();
    } catch (...) {
        return {};
    }
}

QString germanDate(const QString& iso)
{
    const QDate d = QDate::fromString(iso.left(10), Qt::ISODate);
    return d.isValid() ? d.toString("dd.MM.yyyy") : QString();
}

QLabel* heading(const QString& text, double scale)
{
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * scale);
    f.setBold(true);
    label->setFont(f);
    label->setWordWrap(true);
    return label;
}

} // namespace

Overview::Overview(QWidget* parent) : QWidget(parent)
{
    setObjectName("pn_Uebersicht");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
}

void Overview::refresh(const QStringList& recent)
{
    // Deleted later: a button of the old page may be what asked for this.
    if (content_) {
        content_->hide();
        layout()->removeWidget(content_);
        content_->deleteLater();
    }
    content_ = new QWidget(this);
    auto* column = new QVBoxLayout(content_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    layout()->addWidget(content_);

    auto* dm = Datamod::DataModule1();
    if (!dm->DatabaseOpen()) {
        column->addWidget(heading("Keine Meisterschaft geöffnet", 1.6));
        auto* open = new QPushButton("Meisterschaft öffnen…");
        open->setObjectName("bt_Oeffnen");
        connect(open, &QPushButton::clicked, this, [this] {
            if (onOpen)
                onOpen();
        });
        column->addWidget(open, 0, Qt::AlignLeft);
        if (!recent.isEmpty()) {
            column->addSpacing(12);
            column->addWidget(new QLabel("Zuletzt geöffnet:"));
            for (const QString& entry : recent) {
                auto* b = new QPushButton(Championship::DisplayName(entry));
                b->setFlat(true);
                b->setToolTip(Championship::DisplayName(entry));
                connect(b, &QPushButton::clicked, this, [this, entry] {
                    if (onOpenRecent)
                        onOpenRecent(entry);
                });
                column->addWidget(b, 0, Qt::AlignLeft);
            }
        }
        column->addStretch(1);
        return;
    }

    const QString name = Datamod::sVeranstaltung.isEmpty() ? QStringLiteral("Meisterschaft") : Datamod::sVeranstaltung;
    auto* title = heading(name, 1.8);
    title->setObjectName("lb_Veranstaltung");
    column->addWidget(title);

    auto* facts = new QFormLayout;
    facts->setLabelAlignment(Qt::AlignLeft);
    facts->setHorizontalSpacing(24);
    auto fact = [&](const QString& label, const QString& value) {
        if (value.isEmpty())
            return;
        auto* v = new QLabel(value);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        v->setWordWrap(true);
        facts->addRow(label, v);
    };
    fact("Veranstalter:", ask("SELECT Veranstalter FROM ZKTMP WHERE Ident = ?"));
    fact("Verband:", Datamod::VerbandName(Datamod::iVerband));
    const QString first = germanDate(ask("SELECT MIN(Datum) FROM AWKTAG WHERE Ident = ?"));
    const QString last = germanDate(ask("SELECT MAX(Datum) FROM AWKTAG WHERE Ident = ?"));
    fact("Wettkampftage:", first == last ? first : first + " – " + last);
    fact("Wettbewerbe:", ask("SELECT COUNT(*) FROM PDISZIPLIN WHERE Ident = ?"));
    fact("Starts:", ask("SELECT COUNT(*) FROM ERGEBNIS WHERE Ident = ?"));
    if (auto* c = dm->Connection())
        fact("Datenbank:", Championship::DisplayName(c->Target()));
    column->addLayout(facts);

    auto& jobs = Qvmain::f_Menue()->PrintJobs();
    if (jobs.Count() > 0) {
        column->addSpacing(16);
        column->addWidget(heading("Drucken", 1.2));
        auto* row = new QHBoxLayout;
        row->setSpacing(12);
        for (int i = 0; i < jobs.Count(); ++i) {
            auto* b = new QPushButton(jobs.Item(i).Caption);
            b->setMinimumHeight(b->sizeHint().height() * 2);
            b->setMinimumWidth(200);
            connect(b, &QPushButton::clicked, this, [this, i] {
                if (onPrintJob)
                    onPrintJob(i);
            });
            row->addWidget(b);
        }
        row->addStretch(1);
        column->addLayout(row);
    }
    column->addStretch(1);
}
