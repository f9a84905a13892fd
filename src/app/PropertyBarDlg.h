#pragma once

#include <QWidget>

class CPropertyTitleDlg;
class QTreeWidget;
class QTreeWidgetItem;
struct PropertyLine;

// The device property panel: a two-level tree of the logger's work and channel properties, built
// from the device block (mode 1) or the block of downloaded or loaded data (mode 2), or labels only
// (mode 0). In mode 1 three lines are rewritten in place by message 2027. Window thread only.
class CPropertyBarDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 20;

    explicit CPropertyBarDlg(QWidget* parent = nullptr);

    // Rebuilds the tree for mode 0, 1 or 2 from the device context.
    void ShowProperties(int mode);
    int Mode() const { return mode_; }
    // Width of the title strip, which is the panel's width in the main window.
    int PanelWidth() const;
    QTreeWidget* Tree() const { return tree_; }

    // Message 2027; returns 1.
    int OnPropertyUpdate(int first, int second);

signals:
    // The strip's close button (1148) was pressed.
    void closeRequested();
    // Mode 1 was shown: whether the logger records (the title bar swaps its record-button pair).
    void recordStateShown(bool recording);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTreeWidgetItem* AddLine(QTreeWidgetItem* parent, const PropertyLine& line, bool remember);

    CPropertyTitleDlg* title_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    int mode_ = 0;
    QTreeWidgetItem* workStatusItem_ = nullptr;
    QTreeWidgetItem* recordCountItem_ = nullptr;
    QTreeWidgetItem* remainingTimeItem_ = nullptr;
};
