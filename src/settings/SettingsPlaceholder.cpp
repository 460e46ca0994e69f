// Replaced by the settings file.
