#include "CQuorvelwApp.h"

#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CQuorvelwView.h"
#include "DocumentCommands.h"
#include "DocumentFramework.h"
#include "QuorvelwDoc.h"
#include "Report.h"
#include "ReportRendering.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QSettings>
#include <QToolBar>
#include <QStatusBar>

namespace {

QSettings AppSettings()
{
    return QSettings(QString::fromUtf8(SETTINGS_ORGANIZATION), QString::fromUtf8(APP_TITLE));
}

}  // namespace

bool RangeIncludesFirstPage(const QPrinter& printer)
{
    return printer.printRange() != QPrinter::PageRange || printer.fromPage() <= 1;
}

CQuorvelwApp::CQuorvelwApp() : m_doc(std::make_unique<CQuorvelwDoc>()), m_printer(QPrinter::HighResolution) {}

CQuorvelwApp::~CQuorvelwApp()
{
    delete m_frame;
}

bool CQuorvelwApp::InitInstance(const StartCommand& start)
{
    LoadSettings();
    m_view = new CQuorvelwView(*m_doc);
    m_frame = new CMainFrame(*this, m_view);
    m_operator.SetParent(m_frame);
    m_doc->SetViewUpdater([this] {
        m_view->viewport()->update();
        m_frame->RefreshState();
    });

    switch (start.kind) {
    case StartCommand::New:
        StartUp(*m_doc, m_operator, std::string());
        break;
    case StartCommand::Open:
        if (!StartUp(*m_doc, m_operator, start.file.toStdString()))
            return false;
        AddToRecentFileList(m_doc->GetPathName());
        break;
    case StartCommand::Print:
    case StartCommand::PrintTo:
        if (!StartUp(*m_doc, m_operator, start.file.toStdString()))
            return false;
        if (start.kind == StartCommand::PrintTo) {
            if (QPrinterInfo::printerInfo(start.printer).isNull()) {
                m_operator.ShowMessage("There is no printer named " + start.printer.toStdString());
                return false;
            }
            m_printer.setPrinterName(start.printer);
        }
        return Print(false);
    }
    m_view->OnInitialUpdate();
    m_frame->RefreshState();
    m_frame->show();
    return true;
}

void CQuorvelwApp::LoadSettings()
{
    QSettings settings = AppSettings();
    settings.beginGroup(QStringLiteral("Recent File List"));
    m_recentFiles.clear();
    for (int i = 1; i <= MRU_SIZE; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty())
            m_recentFiles << path;
    }
}

void CQuorvelwApp::SaveRecentFiles() const
{
    QSettings settings = AppSettings();
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= MRU_SIZE; ++i) {
        if (i <= m_recentFiles.size())
            settings.setValue(QStringLiteral("File%1").arg(i), m_recentFiles[i - 1]);
        else
            settings.remove(QStringLiteral("File%1").arg(i));
    }
}

void CQuorvelwApp::AddToRecentFileList(const std::string& path)
{
    if (path.empty())
        return;
    const QString file = QString::fromStdString(path);
    m_recentFiles.removeAll(file);
    m_recentFiles.prepend(file);
    while (m_recentFiles.size() > MRU_SIZE)
        m_recentFiles.removeLast();
    SaveRecentFiles();
}

void CQuorvelwApp::AfterCommand()
{
    if (m_frame)
        m_frame->RefreshState();
}

void CQuorvelwApp::OnFileNew()
{
    if (::OnFileNew(*m_doc, m_operator))
        m_view->OnInitialUpdate();
    AfterCommand();
}

void CQuorvelwApp::OnFileOpen()
{
    if (::OnFileOpen(*m_doc, m_operator)) {
        AddToRecentFileList(m_doc->GetPathName());
        m_view->OnInitialUpdate();
    }
    AfterCommand();
}

bool CQuorvelwApp::OpenDocument(const QString& path)
{
    const bool ok = OpenDocumentFile(*m_doc, m_operator, path.toStdString());
    if (ok) {
        AddToRecentFileList(m_doc->GetPathName());
        m_view->OnInitialUpdate();
    }
    AfterCommand();
    return ok;
}

void CQuorvelwApp::OnOpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.size())
        return;
    const QString path = m_recentFiles[index];
    if (!OpenDocument(path) && !QFileInfo::exists(path)) {
        // A file that is gone leaves the list, as the operator would expect.
        m_recentFiles.removeAll(path);
        SaveRecentFiles();
        AfterCommand();
    }
}

void CQuorvelwApp::OnFileSave()
{
    if (::OnFileSave(*m_doc, m_operator))
        AddToRecentFileList(m_doc->GetPathName());
    AfterCommand();
}

void CQuorvelwApp::OnFileSaveAs()
{
    if (::OnFileSaveAs(*m_doc, m_operator))
        AddToRecentFileList(m_doc->GetPathName());
    AfterCommand();
}

bool CQuorvelwApp::Print(bool withDialog)
{
    if (withDialog) {
        QPrintDialog dlg(&m_printer, m_frame);
        dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dlg.setMinMax(1, 0xFFFF);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        if (!RangeIncludesFirstPage(m_printer))
            return true;
    }
    const RenderResult result = RenderReportPages(m_printer, *m_doc, {ReportKindOf(*m_doc)});
    if (!result.ok)
        m_operator.ShowMessage(result.message);
    return result.ok;
}

void CQuorvelwApp::OnFilePrint()
{
    Print(true);
    AfterCommand();
}

void CQuorvelwApp::OnFilePrintDirect()
{
    Print(false);
    AfterCommand();
}

void CQuorvelwApp::OnFilePrintPreview()
{
    QPrintPreviewDialog dlg(&m_printer, m_frame);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        RenderReportPages(*printer, *m_doc, {ReportKindOf(*m_doc)});
    });
    QSettings settings = AppSettings();
    const int pages = settings.value(QStringLiteral("Settings/PreviewPages"), 1).toInt();
    QPrintPreviewWidget* preview = dlg.findChild<QPrintPreviewWidget*>();
    if (preview)
        preview->setViewMode(pages == 2 ? QPrintPreviewWidget::FacingPagesView : QPrintPreviewWidget::SinglePageView);
    dlg.exec();
    if (preview)
        settings.setValue(QStringLiteral("Settings/PreviewPages"),
                          preview->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
    AfterCommand();
}

void CQuorvelwApp::OnFilePrintSetup()
{
    // The printer, its paper and orientation, kept for the next print; nothing is printed.
    QPrintDialog dlg(&m_printer, m_frame);
    dlg.setWindowTitle(QStringLiteral("Print Setup"));
    dlg.setOption(QAbstractPrintDialog::PrintToFile, false);
    dlg.exec();
    AfterCommand();
}

void CQuorvelwApp::OnFileExportPdf()
{
    if (!m_doc->m_bDataLoaded) {
        m_operator.ShowMessage("No measurement is loaded. PDF file not created!");
        return;
    }
    std::string path;
    if (!m_operator.AskPdfFileName(path))
        return;
    const bool letter = m_printer.pageLayout().pageSize().id() == QPageSize::Letter;
    const RenderResult result =
        WriteReportPdf(path, *m_doc, {ReportKindOf(*m_doc)}, letter ? PaperSize::Letter : PaperSize::A4);
    if (!result.ok)
        m_operator.ShowMessage(result.message);
    AfterCommand();
}

void CQuorvelwApp::OnAppExit()
{
    m_frame->close();
}

bool CQuorvelwApp::CanExit()
{
    return ::CanExit(*m_doc, m_operator);
}

void CQuorvelwApp::OnViewToolbar()
{
    m_frame->ToolBar()->setVisible(m_frame->ToolBar()->isHidden());
    AfterCommand();
}

void CQuorvelwApp::OnViewStatusBar()
{
    m_frame->statusBar()->setVisible(m_frame->statusBar()->isHidden());
    AfterCommand();
}

void CQuorvelwApp::OnSetupGageInfo()
{
    ::OnSetupGageInfo(*m_doc, m_operator);
    AfterCommand();
}

void CQuorvelwApp::OnCreateCompensation()
{
    ::OnCreateCompensation(*m_doc, m_operator);
    AfterCommand();
}

void CQuorvelwApp::OnReport()
{
    ::OnReport(*m_doc);
    AfterCommand();
}

void CQuorvelwApp::OnAppAbout()
{
    CAboutDlg dlg(m_frame);
    dlg.exec();
}
