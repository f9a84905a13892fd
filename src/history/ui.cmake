# target_sources(zorva_ui PRIVATE ...) for the widget files of history/.
