#pragma once
// The organiser's confirmation before a print entry opens its window: the
// user confirms the championship the lists are made for, or chooses another
// championship of the open database.

class QWidget;

namespace OrganiserDialog {

// Shows the championships of the open database with the current one
// chosen. On OK the chosen one becomes the current championship; true when
// confirmed. False without a database or when cancelled.
bool Ask(QWidget* parent);

} // namespace OrganiserDialog
