#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <ctime>

#include "history/ChannelListRows.h"
#include "history/HistoryDataSet.h"
#include "history/RecordFile.h"
#include "menus/SkinnedMenu.h"
#include "model/CodePage.h"
#include "model/DeviceContext.h"
#include "model/DeviceParameters.h"
#include "model/Edition.h"
#include "reports/SaveHistoryCommand.h"
#include "skin/ShowMessage.h"

// The save button's flow with the menu and the dialog replaced by hooks: what is offered, what
// happens on no data, and which file the chosen filter entry writes.
class SaveHistoryQtTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void nothingWithoutData();
    void noDataMessage_data();
    void noDataMessage();
    void chineseMenuOffersTextAndPicture();
    void englishOpensDialogDirectly();
    void filterEntryDecidesFormat_data();
    void filterEntryDecidesFormat();
    void cancelWritesNothing();
    void createFailureShowsMessage();
    void realDialogReplacesExistingFileWithoutAsking();

private:
    void FillSet(int records);
    QByteArray Read(const QString& name) const;

    QTemporaryDir m_dir;
    HistoryDataSet* m_set = nullptr;
    DeviceParameters* m_history = nullptr;
    QPushButton* m_button = nullptr;
    QStringList m_messages;
    std::vector<std::vector<SkinnedMenu::Item>> m_menus;
    QList<QStringList> m_dialogs;
    int m_menuAnswer = 0;
    SaveHistoryCommand::Choice m_dialogAnswer;
};

void SaveHistoryQtTest::initTestCase() {
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    QVERIFY(m_dir.isValid());
}

void SaveHistoryQtTest::init() {
    SetEdition(Edition::Chinese);
    DestroyDeviceContext();
    m_set = new HistoryDataSet;
    m_history = new DeviceParameters;
    m_button = new QPushButton(QStringLiteral("保存"));
    m_button->resize(50, 43);
    m_messages.clear();
    m_menus.clear();
    m_dialogs.clear();
    m_menuAnswer = 0;
    m_dialogAnswer = {};
    SetShowMessageHook([this](const QString& text) { m_messages << text; });
    SkinnedMenu::SetExecHook([this](const std::vector<SkinnedMenu::Item>& items) {
        m_menus.push_back(items);
        return m_menuAnswer;
    });
    SaveHistoryCommand::SetDialogHook([this](QWidget*, const QStringList& filters) {
        m_dialogs << filters;
        return m_dialogAnswer;
    });
}

void SaveHistoryQtTest::cleanup() {
    SetShowMessageHook({});
    SkinnedMenu::SetExecHook({});
    SaveHistoryCommand::SetDialogHook({});
    delete m_button;
    delete m_history;
    delete m_set;
    SetEdition(Edition::Chinese);
    DestroyDeviceContext();
}

// One channel (device channel 1, temperature in ℃) with the given number of records.
void SaveHistoryQtTest::FillSet(int records) {
    m_history->SetByte(DeviceParameters::kChannelMask, 0x01);
    ChannelConfig channel;
    channel.type = 1;
    channel.unit = 1;
    m_history->SetChannel(0, channel);
    m_history->RebuildEnabledChannels();
    m_history->SetBigEndian32(DeviceParameters::kRecordInterval, 10);
    m_set->LoadChannels(*m_history);
    for (int i = 0; i < records; ++i) {
        m_set->timestamps.push_back(1425182400 + 10 * i);
        m_set->channels[0].values.push_back(i == 1 ? -1000.0 : 20.0 + i);
    }
    m_set->recordCount = records;
    m_set->SetRangeAll();
    m_set->RecomputeRangeStatistics();
    m_set->dataValid = 1;
}

QByteArray SaveHistoryQtTest::Read(const QString& name) const {
    QFile file(m_dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SaveHistoryQtTest::nothingWithoutData() {
    FillSet(3);
    m_set->dataValid = 0;
    const std::vector<ChannelListRow> rows;
    QCOMPARE(SaveHistoryCommand::OnSaveButton(m_button, *m_set, *m_history, rows), 0);
    QVERIFY(!SaveHistoryCommand::RunTextExport(m_button, *m_set, *m_history, rows));
    QVERIFY(m_messages.isEmpty());
    QVERIFY(m_menus.empty());
    QVERIFY(m_dialogs.isEmpty());
}

void SaveHistoryQtTest::noDataMessage_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("message");
    QTest::newRow("zh no records") << false << 0 << QStringLiteral("无有效数据保存");
    QTest::newRow("en no records") << true << 0 << QStringLiteral("no data");
    QTest::newRow("zh no channels") << false << -1 << QStringLiteral("无有效数据保存");
}

void SaveHistoryQtTest::noDataMessage() {
    QFETCH(bool, english);
    QFETCH(int, records);
    QFETCH(QString, message);
    if (english) {
        SetEdition(Edition::English);
        DestroyDeviceContext();
        delete m_history;
        m_history = new DeviceParameters;
    }
    if (records >= 0) {
        FillSet(records);
    } else {  // records but no channel
        m_set->timestamps = {1425182400};
        m_set->recordCount = 1;
    }
    m_set->dataValid = 1;
    const std::vector<ChannelListRow> rows =
        MakeChannelListRows(*m_set, GetDeviceContext().units, NoValidStatistics::ShowZero);
    QCOMPARE(SaveHistoryCommand::OnSaveButton(m_button, *m_set, *m_history, rows), 0);
    QCOMPARE(m_messages, QStringList{message});
    QVERIFY(m_menus.empty());
    QVERIFY(m_dialogs.isEmpty());
}

void SaveHistoryQtTest::chineseMenuOffersTextAndPicture() {
    FillSet(3);
    const std::vector<ChannelListRow> rows =
        MakeChannelListRows(*m_set, GetDeviceContext().units, NoValidStatistics::ShowZero);
    for (int answer : {1012, 1013, 0}) {
        m_menuAnswer = answer;
        QCOMPARE(SaveHistoryCommand::OnSaveButton(m_button, *m_set, *m_history, rows), answer);
    }
    QCOMPARE(m_menus.size(), size_t(3));
    const std::vector<SkinnedMenu::Item>& items = m_menus.front();
    QCOMPARE(items.size(), size_t(2));
    QCOMPARE(items[0].id, 1012);
    QCOMPARE(items[0].text, QStringLiteral("保存文本"));
    QCOMPARE(items[1].id, 1013);
    QCOMPARE(items[1].text, QStringLiteral("保存图片"));
    QVERIFY(items[0].enabled && items[1].enabled);
    // The menu only chooses; the main window dispatches the command.
    QVERIFY(m_dialogs.isEmpty());
    QVERIFY(m_messages.isEmpty());
}

void SaveHistoryQtTest::englishOpensDialogDirectly() {
    SetEdition(Edition::English);
    DestroyDeviceContext();
    delete m_history;
    m_history = new DeviceParameters;
    FillSet(3);
    const std::vector<ChannelListRow> rows =
        MakeChannelListRows(*m_set, GetDeviceContext().units, NoValidStatistics::ShowZero);
    m_dialogAnswer = {m_dir.filePath(QStringLiteral("en")), 1};
    QCOMPARE(SaveHistoryCommand::OnSaveButton(m_button, *m_set, *m_history, rows), 0);
    QVERIFY(m_menus.empty());
    QCOMPARE(m_dialogs.size(), 1);
    QCOMPARE(m_dialogs.front(),
             (QStringList{QStringLiteral("Text file(*.txt)"), QStringLiteral("Excel file(*.csv)"),
                          QStringLiteral("Data file(*.jc)")}));
    const QString text = QString::fromStdString(DecodeCp936(Read(QStringLiteral("en.txt")).toStdString()));
    QVERIFY2(text.startsWith(QStringLiteral("The time to save：")), qPrintable(text.left(40)));
    QVERIFY(text.contains(QStringLiteral("\tERROR\r\n")));
}

void SaveHistoryQtTest::filterEntryDecidesFormat_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("firstDataLine");  // empty: the record file
    QTest::newRow("text filter, csv name") << "r1.csv" << 1 << "r1.csv.txt"
                                           << "0\t2015-03-01 12:00:00\t20.0";
    QTest::newRow("text filter, TXT name") << "r2.TXT" << 1 << "r2.TXT.txt"
                                           << "0\t2015-03-01 12:00:00\t20.0";
    QTest::newRow("csv filter, no extension") << "r3" << 2 << "r3.csv"
                                              << "0,2015-03-01 12:00:00,20.0";
    QTest::newRow("csv filter, txt name") << "r4.txt" << 2 << "r4.txt.csv"
                                          << "0,2015-03-01 12:00:00,20.0";
    QTest::newRow("record file filter, txt name") << "r5.txt" << 3 << "r5.txt.jc"
                                                  << "";
}

void SaveHistoryQtTest::filterEntryDecidesFormat() {
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(QString, firstDataLine);
    FillSet(3);
    const char serial[] = "SN000042";
    for (int k = 0; k < 8; ++k)
        m_history->SetByte(m_history->Offsets().deviceInfo + DeviceParameters::kInfoSerial + k,
                           static_cast<uint8_t>(serial[k]));
    const std::vector<ChannelListRow> rows =
        MakeChannelListRows(*m_set, GetDeviceContext().units, NoValidStatistics::ShowZero);
    m_dialogAnswer = {m_dir.filePath(typed), filter};
    QVERIFY(SaveHistoryCommand::RunTextExport(m_button, *m_set, *m_history, rows));
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_dialogs.size(), 1);
    QCOMPARE(m_dialogs.front(),
             (QStringList{QStringLiteral("文本文件(*.txt)"), QStringLiteral("Excel文件(*.csv)"),
                          QStringLiteral("数据记录文件(*.jc)")}));
    QVERIFY2(!QFile::exists(m_dir.filePath(typed)), "only the name with the entry's extension is written");
    const QByteArray bytes = Read(written);
    QVERIFY2(!bytes.isEmpty(), qPrintable(written));
    if (firstDataLine.isEmpty()) {
        QCOMPARE(bytes.size(), RecordFile::FileLength(static_cast<int>(m_history->Size()), 3, 1, 0));
    } else {
        const QStringList lines =
            QString::fromStdString(DecodeCp936(bytes.toStdString())).split(QStringLiteral("\r\n"));
        QVERIFY(lines.size() >= 5);
        QVERIFY2(lines[1].startsWith(filter == 2 ? QStringLiteral("设备号：,SN000042,")
                                                 : QStringLiteral("设备号：SN000042\t")),
                 qPrintable(lines[1]));
        QCOMPARE(lines[4], firstDataLine);
    }
    QFile::remove(m_dir.filePath(written));
}

void SaveHistoryQtTest::cancelWritesNothing() {
    FillSet(3);
    const std::vector<ChannelListRow> rows =
        MakeChannelListRows(*m_set, GetDeviceContext().units, NoValidStatistics::ShowZero);
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    m_dialogAnswer = {QString(), 1};
    QVERIFY(!SaveHistoryCommand::RunTextExport(m_button, *m_set, *m_history, rows));
    QCOMPARE(m_dialogs.size(), 1);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
}

void SaveHistoryQtTest::createFailureShowsMessage() {
    FillSet(3);
    const std::vector<ChannelListRow> rows =
        MakeChannelListRows(*m_set, GetDeviceContext().units, NoValidStatistics::ShowZero);
    for (int filter : {1, 2, 3}) {
        m_messages.clear();
        m_dialogAnswer = {m_dir.filePath(QStringLiteral("missing/out")), filter};
        QVERIFY(!SaveHistoryCommand::RunTextExport(m_button, *m_set, *m_history, rows));
        QCOMPARE(m_messages, QStringList{QStringLiteral("创建文件失败")});
    }
}

// The real dialog: the entry chosen in it is reported, and an existing file is replaced without a question.
void SaveHistoryQtTest::realDialogReplacesExistingFileWithoutAsking() {
    SaveHistoryCommand::SetDialogHook({});
    FillSet(3);
    const std::vector<ChannelListRow> rows =
        MakeChannelListRows(*m_set, GetDeviceContext().units, NoValidStatistics::ShowZero);
    const QString path = m_dir.filePath(QStringLiteral("old.csv"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        sawDialog = true;
        QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->selectNameFilter(dialog->nameFilters().at(1));
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept is protected; it runs virtually
    });
    QVERIFY(SaveHistoryCommand::RunTextExport(m_button, *m_set, *m_history, rows));
    QVERIFY(sawDialog);
    QVERIFY(m_messages.isEmpty());
    const QByteArray bytes = Read(QStringLiteral("old.csv"));
    QVERIFY(!bytes.contains('x'));
    QVERIFY(bytes.contains("\r\n0,2015-03-01 12:00:00,20.0\r\n"));
}

QTEST_MAIN(SaveHistoryQtTest)
#include "SaveHistoryQtTest.moc"
