#include "skin/SkinValues.h"

#include <QStringList>

#include "model/ProfileFile.h"

QString ReadSkinText(const QString& iniPath, const QString& section, const QString& key, int maxLength) {
    const std::string value =
        ReadProfileString(iniPath.toStdString(), section.toStdString(), key.toStdString(), std::string());
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())).left(maxLength);
}

QList<int> ParseSkinInts(const QString& value, int count) {
    QList<int> numbers(count, 0);
    const QStringList parts = value.split(QLatin1Char(','));
    for (int i = 0; i < count && i < parts.size(); ++i) {
        // Leading digits only, like the integer reads of the profile layer ("12px" gives 12).
        const QString part = parts[i].trimmed();
        int end = 0;
        if (end < part.size() && (part[end] == QLatin1Char('-') || part[end] == QLatin1Char('+'))) ++end;
        while (end < part.size() && part[end].isDigit()) ++end;
        numbers[i] = part.left(end).toInt();
    }
    return numbers;
}

QRect ParseSkinRect(const QString& value) {
    const QList<int> n = ParseSkinInts(value, 4);
    return QRect(n[0], n[1], n[2] - n[0], n[3] - n[1]);
}

QRect ReadSkinRect(const QString& iniPath, const QString& section, const QString& key) {
    return ParseSkinRect(ReadSkinText(iniPath, section, key));
}

QPoint ParseSkinPoint(const QString& value) {
    const QList<int> n = ParseSkinInts(value, 2);
    return QPoint(n[0], n[1]);
}

QPoint ReadSkinPoint(const QString& iniPath, const QString& section, const QString& key) {
    return ParseSkinPoint(ReadSkinText(iniPath, section, key));
}

QSize ReadSkinSize(const QString& iniPath, const QString& section, const QString& key) {
    const QPoint p = ReadSkinPoint(iniPath, section, key);
    return QSize(p.x(), p.y());
}

QColor ParseSkinColor(const QString& value) {
    const QList<int> n = ParseSkinInts(value, 3);
    return QColor(qBound(0, n[0], 255), qBound(0, n[1], 255), qBound(0, n[2], 255));
}

QColor ReadSkinColor(const QString& iniPath, const QString& section, const QString& key) {
    return ParseSkinColor(ReadSkinText(iniPath, section, key));
}

bool ReadSkinFlag(const QString& iniPath, const QString& section, const QString& key) {
    return ReadProfileInt(iniPath.toStdString(), section.toStdString(), key.toStdString(), 0) != 0;
}

QString SkinPath(const QString& programDirectory, const QString& skinFolder, const QString& fileName) {
    QString folder = programDirectory + skinFolder;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString name = fileName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (name.startsWith(QLatin1Char('/'))) name.remove(0, 1);
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder + name;
}
