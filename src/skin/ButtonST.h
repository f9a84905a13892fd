#pragma once

#include <QAbstractButton>
#include <QIcon>

// Icon push button of the history window's tool row: normal and hover icon, tooltip, a soft tile
// behind the icon while hovered or pressed. Clicks emit clicked() and Command(id). GUI thread only.
class CButtonST : public QAbstractButton {
    Q_OBJECT
public:
    explicit CButtonST(QWidget* parent = nullptr, int commandId = 0);

    void SetIcons(const QIcon& normal, const QIcon& hover = QIcon());
    void SetTooltipText(const QString& text) { setToolTip(text); }
    int CommandId() const { return m_commandId; }
    bool IsHovering() const { return m_hover; }
    QSize sizeHint() const override;

signals:
    void Command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int m_commandId;
    QIcon m_normal;
    QIcon m_hoverIcon;
    bool m_hover = false;
};
