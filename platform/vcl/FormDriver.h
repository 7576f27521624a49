#pragma once
// Drives the module's forms without a person: sets controls by objectName,
// clicks buttons, in the order given. The command line ("reports1 run") and
// the tests use it on real forms, off-screen.
//
// A job's entry procedure either shows its form modally (the driver acts on
// it from inside the modal loop, when it is shown) or leaves a modeless form
// open (the driver acts on it after the entry procedure returned).

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace Vcl {

class TFormDriver {
public:
    struct Step {
        enum Kind { Ctl, Click } kind;
        QString name;
        QString value;
    };

    void AddCtl(const QString& name, const QString& value) { steps_ << Step{Step::Ctl, name, value}; }
    void AddClick(const QString& name) { steps_ << Step{Step::Click, name, {}}; }
    const QList<Step>& Steps() const { return steps_; }

    enum Outcome { Ok = 0, Fehler = 1, Eingabefehler = 2 };
    // Runs entry and plays the steps on the form it shows. A modal form that
    // is still open after the last step is closed with Cancel.
    Outcome Run(const std::function<void()>& entry);
    // Plays the steps on an open form.
    Outcome Play(QWidget* form);
    QString ErrorText() const { return error_; }

    // One control set as a user would set it, so that its handler runs:
    // check boxes ("true"/"false"/"1"/"0") and radio buttons are clicked when
    // their state differs, radio groups and tab/page controls take an index
    // or an item text, edits take text, spin boxes a number in their range,
    // combo boxes an index or item text, look-up boxes the key of a row or
    // the text it shows (never an index; empty clears them), grids "key" (the row whose first
    // column shows key becomes current) or "key:Column=value" (sets that
    // cell; a check cell takes true/false or "X"). False with a message when
    // the control is missing or the value does not fit.
    static bool SetControl(QWidget* root, const QString& name, const QString& value, QString* error);
    static bool Click(QWidget* root, const QString& name, QString* error);

private:
    QList<Step> steps_;
    QString error_;
    bool played_ = false;
    Outcome outcome_ = Ok;
};

} // namespace Vcl
