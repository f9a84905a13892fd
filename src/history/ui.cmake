# The windows of the history: chart, history window, download worker and progress, query dialog.
target_sources(zorva_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CHisdataDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CHistoryChart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CHistoryCommandButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CHistoryDownloadWorker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CProcessDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CQueryDataDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HistoryChartRenderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HistoryDataModel.cpp
)
