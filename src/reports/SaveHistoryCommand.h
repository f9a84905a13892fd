#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "history/ChannelListRows.h"

class DeviceParameters;
class HistoryDataSet;
class QWidget;

// What the history window's save button (1055) does, and the text-export command (1012) it leads to.
// GUI thread only; the set is read without its lock, so no download may be running (dataValid is 1
// only after a finished download or file load). Never call these while holding the set's lock.
class SaveHistoryCommand {
public:
    static constexpr int kSaveText = 1012;     // "保存文本": the save dialog below
    static constexpr int kSavePicture = 1013;  // "保存图片": the PDF report

    // The save button. Does nothing without data; with no channel or no record shows "无有效数据保存"
    // ("no data"). Chinese edition: drops the menu "保存文本" / "保存图片" below the button and returns
    // the chosen command id for the main window to dispatch, 0 when dismissed. English edition: runs
    // RunTextExport at once and returns 0. rows are the channel list's cell texts as shown.
    static int OnSaveButton(QWidget* button, const HistoryDataSet& set, const DeviceParameters& history,
                            const std::vector<ChannelListRow>& rows);

    // Command 1012: asks for a file (no overwrite question); the filter entry chosen decides the
    // format (text, CSV, record file) whatever extension was typed, then its extension is appended
    // unless the name already ends in exactly it. Failures go to ShowMessage. Returns true when a
    // file was written.
    static bool RunTextExport(QWidget* parent, const HistoryDataSet& set, const DeviceParameters& history,
                              const std::vector<ChannelListRow>& rows);

    // The file the user chose and the filter entry (1 text, 2 CSV, 3 record file); an empty path
    // means the dialog was cancelled.
    struct Choice {
        QString path;
        int filterIndex = 0;
    };
    // Tests replace the modal save dialog; filters are the dialog's name filters in entry order.
    // An empty function restores the dialog. Returns the previous hook.
    using DialogHook = std::function<Choice(QWidget* parent, const QStringList& filters)>;
    static DialogHook SetDialogHook(DialogHook hook);

    // "Text file(*.txt)|*.txt|...||" (description|pattern pairs) as name filters of a file dialog.
    static QStringList DialogFilters(const QString& pairs);
};
