# The data side of the reports (no Qt), plus the channel-list cell texts that the history window
# and the exports share.
target_sources(zorva_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/HistoryExport.cpp
  ${CMAKE_SOURCE_DIR}/src/history/ChannelListRows.cpp
)
