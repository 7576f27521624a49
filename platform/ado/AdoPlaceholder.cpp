// Replaced by the datasets of the data layer.
