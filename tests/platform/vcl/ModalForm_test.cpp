// The base of the job forms: buttons with their modal results and guarded
// handlers, the form staying open after a failed check, FormShow and
// FormClose once per opening, the unit variable of an entry procedure, and
// Enter moving on to the next control.

#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/vcl/ModalForm.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>

namespace {

QStringList protokoll; // FormShow, handlers and FormClose in order

// A job form: OK runs pruefung (the check of its input), Cancel nothing.
class Formular : public Vcl::TModalForm {
public:
    static inline Formular* Einheit = nullptr;
    static inline std::function<void(Formular&)> pruefung;

    Formular()
    {
        auto* l = new QVBoxLayout(this);
        l->addWidget(name = new QLineEdit);
        l->addWidget(new QLabel("Vorname"));
        l->addWidget(vorname = new QLineEdit);
        l->addWidget(text = new QPlainTextEdit);
        l->addWidget(ok = new QPushButton("OK"));
        l->addWidget(abbrechen = new QPushButton("Abbrechen"));
        ConnectButton(ok, Host::mrOk, [this] {
            protokoll << QString("OK:%1").arg(ModalResult());
            if (pruefung)
                pruefung(*this);
        });
        ConnectButton(abbrechen, Host::mrCancel);
    }

    QLineEdit *name, *vorname;
    QPlainTextEdit* text;
    QPushButton *ok, *abbrechen;

protected:
    void FormShow() override { protokoll << "FormShow"; }
    void FormClose() override { protokoll << QString("FormClose:%1").arg(ModalResult()); }
};

// Shows the unit's form through its entry procedure; aktion acts on the open
// form from inside its modal loop. A form aktion leaves open is cancelled
// (and noted as "offen").
int zeigen(const std::function<void(Formular&)>& aktion)
{
    QTimer::singleShot(0, [aktion] {
        Formular* f = Formular::Einheit;
        if (!f || !f->isVisible() || !f->isModal()) {
            ADD_FAILURE() << "the unit's form is not open modally";
            return;
        }
        aktion(*f);
        if (f->isVisible()) {
            protokoll << "offen";
            f->reject();
        }
    });
    return Vcl::TModalForm::ModalZeigen(Formular::Einheit);
}

class ModalForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        protokoll.clear();
        Formular::pruefung = {};
    }
    void TearDown() override { EXPECT_EQ(Formular::Einheit, nullptr); }
    Host::TestUiGuard ui;
};

TEST_F(ModalForm, AButtonClosesWithItsResultAfterItsHandlerRanOnce)
{
    QPointer<Formular> form;
    EXPECT_EQ(zeigen([&](Formular& f) { form = &f; f.ok->click(); }), Host::mrOk);
    EXPECT_EQ(protokoll, (QStringList{"FormShow", "OK:1", "FormClose:1"}));
    EXPECT_TRUE(form.isNull()); // freed by the entry procedure

    protokoll.clear();
    EXPECT_EQ(zeigen([](Formular& f) { f.abbrechen->click(); }), Host::mrCancel);
    EXPECT_EQ(protokoll, (QStringList{"FormShow", "FormClose:2"}));

    // Closed by the window (Esc, the title bar): Cancel.
    protokoll.clear();
    EXPECT_EQ(zeigen([](Formular& f) { f.close(); }), Host::mrCancel);
    EXPECT_EQ(protokoll, (QStringList{"FormShow", "FormClose:2"}));
}

TEST_F(ModalForm, AFailedCheckKeepsTheFormOpenForACorrection)
{
    // The handler sets the modal result back to none itself ...
    Formular::pruefung = [](Formular& f) {
        if (f.name->text().isEmpty())
            f.SetModalResult(Host::mrNone);
    };
    EXPECT_EQ(zeigen([](Formular& f) {
        f.ok->click();
        EXPECT_TRUE(f.isVisible());
        f.name->setText("Meier");
        f.ok->click();
    }),
              Host::mrOk);
    EXPECT_EQ(protokoll, (QStringList{"FormShow", "OK:1", "OK:1", "FormClose:1"}));

    // ... or raises an input error, which the host shows; nothing escapes.
    protokoll.clear();
    Formular::pruefung = [](Formular& f) {
        if (f.name->text().isEmpty())
            throw Eingabefehler("Bitte einen Namen eingeben");
    };
    const int vorher = Host::EingabefehlerCount();
    EXPECT_EQ(zeigen([](Formular& f) {
        f.ok->click();
        EXPECT_TRUE(f.isVisible());
        f.ok->click();
    }),
              Host::mrCancel);
    EXPECT_EQ(protokoll, (QStringList{"FormShow", "OK:1", "OK:1", "offen", "FormClose:2"}));
    EXPECT_EQ(ui->errors, (QStringList{"Bitte einen Namen eingeben", "Bitte einen Namen eingeben"}));
    EXPECT_EQ(Host::EingabefehlerCount(), vorher + 2);

    // A corrected input closes it with OK after all.
    protokoll.clear();
    EXPECT_EQ(zeigen([](Formular& f) {
        f.ok->click();
        f.name->setText("Meier");
        f.ok->click();
    }),
              Host::mrOk);
    EXPECT_EQ(protokoll, (QStringList{"FormShow", "OK:1", "OK:1", "FormClose:1"}));
}

TEST_F(ModalForm, EachOpeningStartsWithoutTheLastResult)
{
    Formular f;
    QTimer::singleShot(0, [&] { f.ok->click(); });
    EXPECT_EQ(f.ShowModal(), Host::mrOk);
    QTimer::singleShot(0, [&] { f.reject(); });
    EXPECT_EQ(f.ShowModal(), Host::mrCancel);
    EXPECT_EQ(protokoll, (QStringList{"FormShow", "OK:1", "FormClose:1", "FormShow", "FormClose:2"}));
}

// A form whose modal run ends with an error.
class Absturz : public Formular {
public:
    static inline Absturz* Einheit = nullptr;
    int ShowModal()
    {
        QTimer::singleShot(0, this, [this] { reject(); });
        TModalForm::ShowModal();
        throw EHostFehler("Datenbank nicht erreichbar");
    }
};

TEST_F(ModalForm, TheEntryFreesItsFormAndClearsTheUnitVariableEvenAfterAnError)
{
    QPointer<Formular> form;
    EXPECT_THROW(Vcl::TModalForm::ModalZeigen(Absturz::Einheit), EHostFehler);
    EXPECT_EQ(Absturz::Einheit, nullptr);

    // A form the caller created beforehand is the one shown, and freed.
    Formular::Einheit = new Formular;
    form = Formular::Einheit;
    EXPECT_EQ(zeigen([&](Formular& f) { EXPECT_EQ(&f, form.data()); f.ok->click(); }), Host::mrOk);
    EXPECT_TRUE(form.isNull());
}

TEST_F(ModalForm, EnterMovesToTheNextControlInsteadOfPressingTheDefaultButton)
{
    Formular f;
    f.show();
    auto enter = [](QWidget* w, int key = Qt::Key_Return) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, "\r");
        QApplication::sendEvent(w, &press);
    };
    f.name->setFocus();
    enter(f.name);
    EXPECT_EQ(f.focusWidget(), f.vorname); // past the label
    enter(f.vorname, Qt::Key_Enter);
    EXPECT_EQ(f.focusWidget(), f.text);
    enter(f.text); // a line of text ends, the focus stays
    EXPECT_EQ(f.focusWidget(), f.text);
    EXPECT_EQ(f.text->toPlainText(), "\n");
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(protokoll, (QStringList{"FormShow"})); // OK was not pressed

    f.ok->setFocus();
    QKeyEvent enterKey(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_FALSE(Vcl::EnterTab(&f, &enterKey)); // a button is pressed, not left
    f.name->setFocus();
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_FALSE(Vcl::EnterTab(&f, &a));
    EXPECT_EQ(f.focusWidget(), f.name);
    f.hide();
}

} // namespace
