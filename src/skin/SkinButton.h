#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QTimer>

// Bitmap push button of the skin (title bar, property strip, popup close buttons).
// Four private state images drawn stretched to the button; a disabled button shows its disabled
// image (or the normal one when none was given) and ignores the mouse. Pressing, moving out and
// releasing does not click; moving back in shows the pressed image again. A click emits
// clicked() and Command(CommandId()); owners connect Command to their command handler.
// GUI thread only.
class CxSkinButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CxSkinButton(QWidget* parent = nullptr, int commandId = 0);

    // Copies the images; a null disabled image becomes a copy of the normal one. Sets the hand cursor.
    void SetSkin(const QImage& normal, const QImage& pressed, const QImage& hover, const QImage& disabled);
    void SetCaption(const QString& text);
    void SetCaptionColor(const QColor& color);
    void SetTooltip(const QString& text);

    int CommandId() const { return m_commandId; }
    void SetCommandId(int id) { m_commandId = id; }
    bool IsHovering() const { return m_hover; }

    // The image the next paint draws (for tests and owners that compose screenshots).
    const QImage& CurrentImage() const;
    const QImage& NormalImage() const { return m_normal; }
    const QImage& PressedImage() const { return m_pressed; }
    const QImage& HoverImage() const { return m_hoverImage; }
    const QImage& DisabledImage() const { return m_disabled; }

    QSize sizeHint() const override;

signals:
    void Command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    int m_commandId = 0;
    QImage m_normal;
    QImage m_pressed;
    QImage m_hoverImage;
    QImage m_disabled;
    QColor m_captionColor;
    bool m_hover = false;
    QTimer m_tipTimer;  // the tooltip shows after 600 ms of hovering, not after the style's delay
};
