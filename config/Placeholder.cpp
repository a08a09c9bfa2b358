// Filled by the configuration dialog and the about box.
