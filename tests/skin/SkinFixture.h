#pragma once

#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "skin/LoadBmp.h"
#include "skin/SkinWarning.h"

// Small skin folders written into a temporary directory, and a skin object whose controls are
// described by the test.
struct SkinFolder {
    QTemporaryDir dir;

    QString Path() const { return dir.path(); }
    QString File(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(File(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    }
    void WriteIni(const QString& name, const QStringList& lines) const {
        Write(name, lines.join(QLatin1Char('\n')).toUtf8());
    }
    void SaveImage(const QString& name, const QImage& image) const { image.save(File(name), "PNG"); }
};

inline QImage SolidImage(int w, int h, const QColor& color) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// Every pixel tells where it came from: red = 10 x, green = 10 y, blue = tag.
inline QImage CoordinateImage(int w, int h, int tag) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixelColor(x, y, QColor(10 * x, 10 * y, tag));
    return image;
}

class TestBmp : public CLoadBmp {
public:
    std::function<void(TestBmp&)> create;
    using CLoadBmp::CreateButton;
    using CLoadBmp::CreateInfoText;
    using CLoadBmp::CreateTitleButton;

protected:
    void CreateControls() override {
        if (create) create(*this);
    }
};

// Collects the loader's warnings while alive.
class WarningCatcher {
public:
    WarningCatcher() {
        m_previous = SetSkinWarningHook([this](const QString&, const QString& text) { texts << text; });
    }
    ~WarningCatcher() { SetSkinWarningHook(m_previous); }
    QStringList texts;

private:
    SkinWarningHook m_previous;
};
