# The data side of the history: no Qt.
target_sources(zorva_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ChannelSeries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HistoryDataSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordFile.cpp
)
target_sources(zorva_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/HistoryDownload.cpp)
