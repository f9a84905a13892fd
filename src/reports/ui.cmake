# The widget side of the reports.
target_sources(zorva_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SaveHistoryCommand.cpp
)
