// The main window: menus, accelerators, toolbar and status bar built from the command table,
// with the report view in its client area.
#pragma once

#include "CommandIds.h"

#include <QMainWindow>

#include <map>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class CQuorvelwApp;
class CQuorvelwView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CQuorvelwApp& app, CQuorvelwView* view);

    QAction* Action(CommandId id) const;
    QToolBar* ToolBar() const { return m_wndToolBar; }
    CQuorvelwView* View() const { return m_view; }

    // Window title, the Report command's state and text, the bars' check marks, the recent
    // files; called after every command and whenever the document changes.
    void RefreshState();
    void SetRecentFiles(const QStringList& files);

    QMenu* RecentFilesMenuAnchor() const { return m_fileMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void UpdateKeyIndicators(int key);

    CQuorvelwApp& m_app;
    CQuorvelwView* m_view;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_prompt = nullptr;
    QLabel* m_indicators[3] = {};  // CAP, NUM, SCRL
    bool m_lockState[3] = {};
    QMenu* m_fileMenu = nullptr;
    QAction* m_mruPlaceholder = nullptr;
    QList<QAction*> m_mruActions;
    std::map<int, QAction*> m_actions;
};
