# target_sources(zorva_core PRIVATE ...) for the files of history/ that use no Qt.
