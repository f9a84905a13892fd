#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

// Coloured one-line text (bottom bar texts, popup titles). Default text green, background black,
// transparent. Without a font of its own it paints with the parent's font made as high as the
// control. Text is drawn at the top-left, clipped, line feeds shown as one line. GUI thread only.
class CStaticEx : public QWidget {
    Q_OBJECT
public:
    explicit CStaticEx(QWidget* parent = nullptr, int controlId = 65535);

    void SetText(const QString& text);  // repaints
    QString Text() const { return m_text; }
    void SetTextColor(const QColor& color);
    void SetBackColor(const QColor& color);
    void SetOpaque(bool opaque);
    void SetFont(const QFont& font);  // own font; clears the "as high as the control" rule
    QColor TextColor() const { return m_textColor; }
    QColor BackColor() const { return m_backColor; }
    bool IsOpaque() const { return m_opaque; }
    bool HasOwnFont() const { return m_hasFont; }
    // The font the next paint uses.
    QFont PaintFont() const;
    int ControlId() const { return m_controlId; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_controlId;
    QString m_text;
    QColor m_textColor{0, 255, 0};
    QColor m_backColor{0, 0, 0};
    bool m_opaque = false;
    bool m_hasFont = false;
    QFont m_font;
};
