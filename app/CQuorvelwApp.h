// The application: the one document, frame and view, the command handlers, printing, the
// recent-file list and the per-user settings.
#pragma once

#include "QtOperator.h"

#include <QObject>
#include <QPrinter>
#include <QStringList>

#include <memory>

class CMainFrame;
class CQuorvelwDoc;
class CQuorvelwView;

// A print job holds page 1 only: a page range without it prints nothing.
bool RangeIncludesFirstPage(const QPrinter& printer);

constexpr const char* SETTINGS_ORGANIZATION = "Local AppWizard-Generated Applications";
constexpr int MRU_SIZE = 4;

struct StartCommand {
    enum Kind { New, Open, Print, PrintTo } kind = New;
    QString file;
    QString printer;
};

class CQuorvelwApp : public QObject {
    Q_OBJECT
public:
    CQuorvelwApp();
    ~CQuorvelwApp() override;

    // Creates document, frame and view and carries out the start command. For Print and
    // PrintTo: prints and returns without showing a window. False when that failed.
    bool InitInstance(const StartCommand& start);

    CQuorvelwDoc& Doc() { return *m_doc; }
    CMainFrame* Frame() { return m_frame; }
    QtOperator& Ui() { return m_operator; }
    QPrinter& Printer() { return m_printer; }
    QStringList RecentFiles() const { return m_recentFiles; }

    // Command handlers.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnFileExportPdf();
    void OnAppExit();
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnSetupGageInfo();
    void OnCreateCompensation();
    void OnReport();
    void OnAppAbout();
    void OnNextPane() {}
    void OnOpenRecentFile(int index);

    // True when the program may end (asks to save a modified document).
    bool CanExit();

private:
    bool OpenDocument(const QString& path);
    bool Print(bool withDialog);
    void AddToRecentFileList(const std::string& path);
    void LoadSettings();
    void SaveRecentFiles() const;
    void AfterCommand();

    std::unique_ptr<CQuorvelwDoc> m_doc;
    QtOperator m_operator;
    CMainFrame* m_frame = nullptr;
    CQuorvelwView* m_view = nullptr;
    QPrinter m_printer;
    QStringList m_recentFiles;
};
