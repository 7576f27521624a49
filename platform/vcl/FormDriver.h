#pragma once
// Drives the module's forms without a person: sets controls by objectName,
// clicks buttons, in the order given. The command line ("reports1 run") and
// the tests use it on real forms, off-screen.
//
// Each step is played on the top-most open form that holds a control of its
// name: the form its entry procedure showed (modal or modeless), and every
// form shown since (a job's dialog opened by a click). A modal form is
// played from inside its modal loop, so a click that opens one can be
// followed by steps on it; when it closes, the steps go on on the form
// below. While a modal form is open, only it (and what it opened) can be
// reached, as for a user. Before each step the focus moves to the control
// as a user's click moves it, so a control's exit handler runs when the
// next control is set or clicked.

#include <QList>
#include <QPointer>
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
    // Runs entry and plays the steps on the forms it shows. A modal form
    // that is still open after the last step (or after a step that failed)
    // is closed with Cancel.
    Outcome Run(const std::function<void()>& entry);
    // Plays the steps on an open form (and on the forms its controls open).
    Outcome Play(QWidget* form);
    QString ErrorText() const { return error_; }

    // One control set as a user would set it, so that its handler runs:
    // check boxes ("true"/"false"/"1"/"0") and radio buttons are clicked when
    // their state differs, radio groups take an index or an item text,
    // tab controls an index, a caption or a page's objectName, stacked pages
    // an index or a page's objectName, edits and memos take text ("\n" in a
    // memo's value starts a new line), spin boxes a number in their range,
    // combo boxes an index or item text, look-up boxes the key of a row or
    // the text it shows (never an index; empty clears them), grids and lists
    // "key" (the row whose first column shows key, or whose text begins with
    // key and a blank, else the row numbered key, becomes current) or
    // "key:Column=value" (sets that
    // cell; a check cell takes true/false or "X"); a grid that takes several
    // rows selects them with "key1;key2". False with a message when
    // the control is missing or the value does not fit.
    static bool SetControl(QWidget* root, const QString& name, const QString& value, QString* error);
    static bool Click(QWidget* root, const QString& name, QString* error);

private:
    // Plays steps while level is open (nullptr: until the steps end); a
    // modal level still open afterwards is closed with Cancel.
    void PlayLevel(QWidget* level);
    // The top-most open form holding a control named name; while level is
    // an open modal form, only level and the forms shown after it count.
    QWidget* Target(const QString& name, QWidget* level);
    // Moves the focus to control (or the part of it a click focuses).
    static void MoveFocus(QWidget* control);
    void Begin();
    Outcome Finish();

    QList<Step> steps_;
    qsizetype next_ = 0;
    QList<QPointer<QWidget>> forms_;    // shown during the run, in order
    bool stopped_ = false;
    QString error_;
    Outcome outcome_ = Ok;
    int eingabefehler_ = 0, fehler_ = 0; // the host's counts when the run began
};

} // namespace Vcl
