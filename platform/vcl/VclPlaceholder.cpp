// Replaced by the widget helpers.
