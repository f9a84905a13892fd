#include "reports/SaveHistoryCommand.h"

#include <QFile>
#include <QFileDialog>
#include <QWidget>
#include <ctime>

#include "history/HistoryDataSet.h"
#include "history/RecordFile.h"
#include "menus/SkinnedMenu.h"
#include "model/DeviceParameters.h"
#include "model/Edition.h"
#include "model/Texts.h"
#include "reports/HistoryExport.h"
#include "skin/ShowMessage.h"

namespace {

SaveHistoryCommand::DialogHook& Hook() {
    static SaveHistoryCommand::DialogHook hook;
    return hook;
}

SaveHistoryCommand::Choice RunSaveDialog(QWidget* parent, const QStringList& filters) {
    if (Hook()) return Hook()(parent, filters);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // An existing file is replaced without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().first(),
            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

bool HasRecords(const HistoryDataSet& set) {
    return set.channelCount >= 1 && set.recordCount >= 1;
}

}  // namespace

SaveHistoryCommand::DialogHook SaveHistoryCommand::SetDialogHook(DialogHook hook) {
    DialogHook previous = Hook();
    Hook() = std::move(hook);
    return previous;
}

QStringList SaveHistoryCommand::DialogFilters(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        if (description.isEmpty() || pattern.isEmpty()) break;
        // A dialog reads the patterns from the last parentheses; add them when the text lacks them.
        const QString patterns = QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
                        ? description
                        : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

int SaveHistoryCommand::OnSaveButton(QWidget* button, const HistoryDataSet& set,
                                     const DeviceParameters& history,
                                     const std::vector<ChannelListRow>& rows) {
    if (set.dataValid.load() == 0) return 0;
    if (!HasRecords(set)) {
        ShowMessage(button, TextId::ExportNoData);
        return 0;
    }
    if (!IsChineseEdition()) {
        RunTextExport(button, set, history, rows);
        return 0;
    }
    SkinnedMenu menu(button);
    menu.AddItem(kSaveText, QString::fromUtf8(Tx(TextId::ExportMenuSaveText)));
    menu.AddItem(kSavePicture, QString::fromUtf8(Tx(TextId::ExportMenuSavePicture)));
    const QPoint lowerLeft = button ? button->mapToGlobal(QPoint(0, button->height())) : QPoint();
    return menu.Exec(lowerLeft);
}

bool SaveHistoryCommand::RunTextExport(QWidget* parent, const HistoryDataSet& set,
                                       const DeviceParameters& history,
                                       const std::vector<ChannelListRow>& rows) {
    if (set.dataValid.load() == 0) return false;
    if (!HasRecords(set)) {
        ShowMessage(parent, TextId::ExportNoData);
        return false;
    }
    const Choice choice =
        RunSaveDialog(parent, DialogFilters(QString::fromUtf8(Tx(TextId::ExportSaveFilter))));
    if (choice.path.isEmpty()) return false;
    const std::string chosen = QFile::encodeName(choice.path).toStdString();

    if (choice.filterIndex == kExportFilterRecordFile) {
        const RecordFileStatus status = RecordFile::Save(chosen, set, history);
        if (status != RecordFileStatus::Ok) ShowMessage(parent, RecordFile::Message(status));
        return status == RecordFileStatus::Ok;
    }
    const bool csv = choice.filterIndex == kExportFilterCsv;
    const std::string path = ApplyExportExtension(chosen, csv ? kExportFilterCsv : kExportFilterText);
    const std::string deviceNumber = DeviceNumberText(history.SerialNumber());
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    const ExportResult result = csv ? WriteCsvExport(path, set, rows, deviceNumber, now)
                                    : WriteTextExport(path, set, rows, deviceNumber, now);
    if (!result.Succeeded()) ShowMessage(parent, QString::fromStdString(result.Message()));
    return result.Succeeded();
}
