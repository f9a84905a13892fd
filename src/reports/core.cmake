# target_sources(zorva_core PRIVATE ...) for the files of reports/ that use no Qt.
