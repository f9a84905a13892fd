#pragma once

#include "skin/PopDlgFrame.h"

class QLabel;
class QPushButton;

// The skinned message box: a popup frame titled "提示"/"Prompt" with an icon, the message text
// (control 1100) and the button 1007 "确定"/"OK" (accepts). The close button rejects.
// Callers normally use ShowMessage (ShowMessage.h). GUI thread only.
class CMsgBox : public CPopDlgFrame {
    Q_OBJECT
public:
    static constexpr int kTextId = 1100;
    static constexpr int kOkId = 1007;

    explicit CMsgBox(const QString& text, QWidget* parent = nullptr);
    QString Text() const;
    QPushButton* OkButton() const { return m_ok; }

private:
    QLabel* m_text;
    QPushButton* m_ok;
};
