// Replaced by the report output library.
