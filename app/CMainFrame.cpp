#include "CMainFrame.h"

#include "CQuorvelwApp.h"
#include "CQuorvelwView.h"
#include "CommandTable.h"
#include "DocumentCommands.h"
#include "QuorvelwDoc.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr const char* kIndicatorTexts[3] = {"CAP", "NUM", "SCRL"};
constexpr int kIndicatorKeys[3] = {Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock};

QString Prompt(const CommandInfo& c)
{
    return QString::fromUtf8(c.prompt, static_cast<int>(PromptEnd(c.prompt) - c.prompt));
}

QString Tooltip(const CommandInfo& c)
{
    const char* end = PromptEnd(c.prompt);
    return *end ? QString::fromUtf8(end + 1) : QString();
}

}  // namespace

CMainFrame::CMainFrame(CQuorvelwApp& app, CQuorvelwView* view) : m_app(app), m_view(view)
{
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvelw.png")));
    setCentralWidget(m_view);
    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    qApp->installEventFilter(this);
    // The report is laid out on the whole display, so the window starts nearly as large.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableSize() * 9 / 10);
}

QAction* CMainFrame::Action(CommandId id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::BuildActions()
{
    for (const CommandInfo& c : Commands()) {
        QString text = c.menuText ? QString::fromUtf8(c.menuText) : Tooltip(c);
        text = text.section(QLatin1Char('\t'), 0, 0);  // Qt shows the keys itself
        auto* action = new QAction(text, this);
        action->setObjectName(QStringLiteral("ID_%1").arg(c.id));
        action->setStatusTip(Prompt(c));
        action->setToolTip(Tooltip(c));
        QList<QKeySequence> keys;
        for (const char* key : c.keys)
            if (key)
                keys << QKeySequence(QString::fromLatin1(key));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::ApplicationShortcut);
        if (c.themeIcon)
            action->setIcon(QIcon::fromTheme(QString::fromLatin1(c.themeIcon),
                                             c.bundledIcon ? QIcon(QString::fromLatin1(c.bundledIcon)) : QIcon()));
        if (c.kind == CommandKind::Check)
            action->setCheckable(true);
        if (c.kind == CommandKind::Disabled || !c.handler)
            action->setEnabled(false);
        if (c.handler) {
            const auto handler = c.handler;
            connect(action, &QAction::triggered, this, [this, handler] { (m_app.*handler)(); });
        }
        if (c.kind == CommandKind::Hidden)
            addAction(action);  // keys only
        m_actions[c.id] = action;
    }
}

void CMainFrame::BuildMenus()
{
    for (const PopupInfo& popup : Popups()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.title));
        if (popup.items.front() == ID_FILE_NEW)
            m_fileMenu = menu;
        for (CommandId id : popup.items) {
            if (id == ID_SEPARATOR)
                menu->addSeparator();
            else
                menu->addAction(Action(id));
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshState);
    }
    m_mruPlaceholder = Action(ID_FILE_MRU_FILE1);
}

void CMainFrame::BuildToolBar()
{
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("ID_%1").arg(ID_VIEW_TOOLBAR));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setMovable(true);
    for (CommandId id : ToolbarButtons()) {
        if (id == ID_SEPARATOR)
            m_wndToolBar->addSeparator();
        else
            m_wndToolBar->addAction(Action(id));
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    setDockOptions(dockOptions() | QMainWindow::AnimatedDocks);
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("ID_%1").arg(ID_VIEW_STATUS_BAR));
    // A normal widget: hidden while a command's prompt shows, back when it goes.
    m_prompt = new QLabel(QStringLiteral("Ready"), bar);
    bar->addWidget(m_prompt, 1);
    for (int i = 0; i < 3; ++i) {
        m_indicators[i] = new QLabel(QString::fromLatin1(kIndicatorTexts[i]), bar);
        m_indicators[i]->setObjectName(QString::fromLatin1(kIndicatorTexts[i]));
        m_indicators[i]->setAlignment(Qt::AlignCenter);
        m_indicators[i]->setMinimumWidth(m_indicators[i]->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        m_indicators[i]->setEnabled(false);
        bar->addPermanentWidget(m_indicators[i]);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        UpdateKeyIndicators(static_cast<QKeyEvent*>(event)->key());
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateKeyIndicators(int key)
{
    // Qt reports no lock state; the indicators follow the lock keys pressed while we run.
    for (int i = 0; i < 3; ++i)
        if (key == kIndicatorKeys[i]) {
            m_lockState[i] = !m_lockState[i];
            m_indicators[i]->setEnabled(m_lockState[i]);
        }
}

void CMainFrame::RefreshState()
{
    CQuorvelwDoc& doc = m_app.Doc();
    setWindowTitle(QString::fromStdString(doc.GetTitle()) + QStringLiteral(" - ") + QString::fromUtf8(APP_TITLE));
    const CommandState report = OnUpdateReport(doc);
    QAction* reportAction = Action(ID_REPORT);
    reportAction->setEnabled(report.enabled);
    if (!report.text.empty())
        reportAction->setText(QString::fromStdString(report.text));
    Action(ID_VIEW_TOOLBAR)->setChecked(!m_wndToolBar->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    SetRecentFiles(m_app.RecentFiles());
}

void CMainFrame::SetRecentFiles(const QStringList& files)
{
    for (QAction* a : m_mruActions) {
        m_fileMenu->removeAction(a);
        a->deleteLater();
    }
    m_mruActions.clear();
    m_mruPlaceholder->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]), this);
        action->setObjectName(QStringLiteral("ID_%1").arg(ID_FILE_MRU_FILE1 + i));
        action->setStatusTip(QStringLiteral("Open this document"));
        connect(action, &QAction::triggered, this, [this, i] { m_app.OnOpenRecentFile(i); });
        m_fileMenu->insertAction(m_mruPlaceholder, action);
        m_mruActions << action;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_app.CanExit())
        event->accept();
    else
        event->ignore();
}
