#pragma once

#include <QDialog>

class CxSkinButton;
class CStaticEx;

// Base of every popup dialog (About, prompt, clock, system, serial port, device info, wizard,
// progress, query, print, curve settings, message box). A frameless QDialog drawn from the
// process-wide PopupFrameSkin: nine-part frame, rounded window shape, white bold title text
// (control 11024, objectName "11024") at Title_Position, close button (control 11025, objectName
// "11025") at Close_Distance from the top-right that rejects the dialog, and drag from any point of
// the surface. Without a frame image it is a plain dialog with title and close button only.
// Subclasses pass the title, add their controls inside ContentRect() and are run with exec().
// GUI thread only.
class CPopDlgFrame : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTitleId = 11024;
    static constexpr int kCloseId = 11025;

    explicit CPopDlgFrame(const QString& title, QWidget* parent = nullptr);

    QString Title() const { return m_title; }
    void SetTitle(const QString& title);
    CxSkinButton* CloseButton() const { return m_close; }
    CStaticEx* TitleText() const { return m_titleText; }
    // The client area inside the frame borders (the whole client when there is no frame).
    QRect ContentRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void LayoutFrameControls();

    QString m_title;
    CStaticEx* m_titleText = nullptr;
    CxSkinButton* m_close = nullptr;
    QPoint m_dragOffset;
    bool m_dragging = false;
    bool m_systemMovePending = false;
};
