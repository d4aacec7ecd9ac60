// The desktop program driven as an operator would: real main window, real dialogs, answered
// from a timer under the offscreen platform.
#include "CGageInfoDlg.h"
#include "CMainFrame.h"
#include "CQuorvelwApp.h"
#include "CQuorvelwView.h"
#include "CRawDataDlg.h"
#include "CommandLine.h"
#include "ModalScript.h"
#include "QuorvelwDoc.h"
#include "TempFolder.h"
#include "TraceSets.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QDir>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace {

QAction* Act(CQuorvelwApp& app, CommandId id)
{
    return app.Frame()->Action(id);
}

// A raw data dialog answer: first file and trace count typed in, then OK.
ModalScript::Answer LoadDialog(const QString& firstFile, const QString& traces = QStringLiteral("8"))
{
    return [firstFile, traces](QWidget* w) {
        auto* dlg = qobject_cast<CRawDataDlg*>(w);
        ASSERT_NE(dlg, nullptr);
        dlg->findChild<QLineEdit*>(QStringLiteral("IDC_1000"))->setText(firstFile);
        dlg->findChild<QLineEdit*>(QStringLiteral("IDC_1002"))->setText(traces);
        dlg->findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
    };
}

int PdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = f.readAll();
    // Page objects, not the page tree ("/Type /Pages").
    return data.count("/Type /Page\n") + data.count("/Type /Page ") + data.count("/Type /Page>") +
           data.count("/Type /Page/");
}

class App : public ::testing::Test {
protected:
    void SetUp() override
    {
        traces = WriteTraceSet(folder.File("ang000.dat"), 8, 720);
        app = std::make_unique<CQuorvelwApp>();
    }
    QString File(const char* name) const { return QString::fromStdString(folder.File(name)); }

    TempFolder folder;
    std::vector<std::string> traces;
    std::unique_ptr<CQuorvelwApp> app;
};

TEST(Dialogs, RawDataDefaultsEnterAndFields)
{
    {
        CRawDataDlg dlg;
        QTimer::singleShot(0, [&dlg] { QTest::keyClick(&dlg, Qt::Key_Return); });
        EXPECT_EQ(dlg.exec(), QDialog::Accepted);
        EXPECT_EQ(dlg.m_strDataFile, QStringLiteral("c:\\gagedata\\ang000.dat"));
        EXPECT_EQ(dlg.m_nTraces, 8);
        EXPECT_EQ(dlg.m_nUnit, 0);
    }
    CRawDataDlg dlg;
    auto* traces = dlg.findChild<QLineEdit*>(QStringLiteral("IDC_1002"));
    auto* unit = dlg.findChild<QComboBox*>(QStringLiteral("IDC_1004"));
    ASSERT_TRUE(traces && unit);
    EXPECT_EQ(unit->count(), 2);
    EXPECT_EQ(unit->itemText(0), QStringLiteral("English (inch)"));
    EXPECT_EQ(unit->itemText(1), QStringLiteral("Metric (mm)"));
    traces->clear();
    EXPECT_EQ(dlg.m_nTraces, 0);
    QTest::keyClicks(traces, QStringLiteral("1x2-"));
    EXPECT_EQ(traces->text(), QStringLiteral("12"));  // digits only
    EXPECT_EQ(dlg.m_nTraces, 12);
    unit->setCurrentIndex(1);
    EXPECT_EQ(dlg.m_nUnit, 1);
    unit->setCurrentIndex(0);
    EXPECT_EQ(dlg.m_nUnit, 0);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Pellmoor Corporation Quorvel Program "));
}

TEST(Dialogs, GageInfoOpensWithDefaults)
{
    CGageInfoDlg dlg;
    EXPECT_EQ(dlg.m_strGageInfo, QStringLiteral("7310QK SN0123456789XYZ"));
    EXPECT_EQ(dlg.m_strGratingInfo, QStringLiteral("SN0123456789XYZ"));
    dlg.findChild<QLineEdit*>(QStringLiteral("IDC_1008"))->setText(QStringLiteral("G-42"));
    EXPECT_EQ(dlg.m_strGratingInfo, QStringLiteral("G-42"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Set Up Gage and Grating Info"));
}

// One calibration from Load Raw Data to the compensation file, through the menus' actions.
TEST_F(App, WholeCalibration)
{
    ModalScript script;
    ASSERT_TRUE(app->InitInstance({}));
    CMainFrame* frame = app->Frame();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Pellmoor Corporation Quorvel Program"));
    EXPECT_FALSE(Act(*app, ID_REPORT)->isEnabled());
    for (CommandId id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(Act(*app, id)->isEnabled());

    script.Then(LoadDialog(File("ang045.dat")));
    Act(*app, ID_FILE_NEW)->trigger();
    ASSERT_TRUE(script.Done());
    EXPECT_TRUE(script.messages.isEmpty()) << script.messages.join('|').toStdString();
    CQuorvelwDoc& doc = app->Doc();
    ASSERT_EQ(doc.m_bDataLoaded, 1);
    EXPECT_EQ(doc.m_nTraces, 8);
    EXPECT_EQ(doc.m_nPoints, 720);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(Act(*app, ID_REPORT)->isEnabled());
    EXPECT_EQ(Act(*app, ID_REPORT)->text(), QStringLiteral("Text &Report"));
    for (CommandId id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(Act(*app, id)->isEnabled());

    // The view draws the plot report: red angle curve on white.
    const QImage shot = frame->View()->viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 50);

    Act(*app, ID_REPORT)->trigger();
    EXPECT_EQ(doc.m_nReportMode, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Act(*app, ID_REPORT)->text(), QStringLiteral("Plot &Report"));

    const QString saved = File("run.qvl");
    script.ThenFile(saved);
    Act(*app, ID_FILE_SAVE)->trigger();
    ASSERT_TRUE(script.Done());
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("run.qvl - Pellmoor Corporation Quorvel Program"));
    EXPECT_EQ(app->RecentFiles().value(0), saved);

    script.ThenFile(saved);
    Act(*app, ID_FILE_OPEN)->trigger();
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(doc.m_nReportMode, 0);  // an open shows the plot report
    EXPECT_EQ(Act(*app, ID_REPORT)->text(), QStringLiteral("Text &Report"));
    EXPECT_EQ(doc.m_bDataLoaded, 1);

    const QString comp = File("comp.dat");
    script.ThenFile(comp);
    script.ThenMessage();
    Act(*app, ID_CREATE_COMPENSATION)->trigger();
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(script.messages.value(0), QStringLiteral("Quorvel file successfully created!"));
    EXPECT_EQ(QFileInfo(comp).size(), 2 + 130 * 22 + 2 + 4 * 16);  // 720 = 22 * 32 + 16
    EXPECT_EQ(script.unexpected, 0);
}

TEST_F(App, FailedLoadDisablesTheReport)
{
    ModalScript script;
    ASSERT_TRUE(app->InitInstance({}));
    script.Then(LoadDialog(File("ang000.dat")));
    Act(*app, ID_FILE_NEW)->trigger();
    ASSERT_EQ(app->Doc().m_bDataLoaded, 1);
    QFile::remove(QString::fromStdString(traces[2]));
    script.Then(LoadDialog(File("ang000.dat")));
    script.ThenMessage();
    script.ThenMessage();
    Act(*app, ID_FILE_NEW)->trigger();
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(script.messages, QStringList({QStringLiteral("Can't open the input file ") +
                                                QString::fromStdString(traces[2]),
                                            QStringLiteral("Can't load data")}));
    EXPECT_EQ(app->Doc().m_bDataLoaded, 0);
    EXPECT_FALSE(Act(*app, ID_REPORT)->isEnabled());
    // Nothing is drawn: the view stays white.
    const QImage shot = app->Frame()->View()->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 3), QColor(Qt::white));
    EXPECT_EQ(script.unexpected, 0);
}

TEST_F(App, CommandLineDocumentOpensWithoutTheDialog)
{
    {
        ModalScript script;
        ASSERT_TRUE(app->InitInstance({}));
        script.Then(LoadDialog(File("ang000.dat")));
        Act(*app, ID_FILE_NEW)->trigger();
        script.ThenFile(File("start.qvl"));
        Act(*app, ID_FILE_SAVE_AS)->trigger();
        ASSERT_TRUE(script.Done());
        ASSERT_TRUE(QFile::exists(File("start.qvl")));
    }
    auto second = std::make_unique<CQuorvelwApp>();
    ModalScript script;  // any dialog would count as unexpected
    const CommandLineResult cmd = ParseCommandLine({QStringLiteral("quorvelw"), File("start.qvl")});
    ASSERT_FALSE(cmd.exitNow);
    ASSERT_TRUE(second->InitInstance(cmd.start));
    QApplication::processEvents();
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_EQ(second->Doc().m_bDataLoaded, 1);
    EXPECT_EQ(second->Doc().m_nPoints, 720);
    EXPECT_EQ(second->Frame()->windowTitle(), QStringLiteral("start.qvl - Pellmoor Corporation Quorvel Program"));
    EXPECT_TRUE(second->RecentFiles().contains(File("start.qvl")));
}

TEST(CommandLine, Switches)
{
    struct Case {
        QStringList args;
        StartCommand::Kind kind;
        const char* file;
        const char* printer;
        int exitCode;  // -1: runs
    };
    const Case cases[] = {
        {{}, StartCommand::New, "", "", -1},
        {{"a.qvl"}, StartCommand::Open, "a.qvl", "", -1},
        {{"/p", "a.qvl"}, StartCommand::Print, "a.qvl", "", -1},
        {{"--print", "a.qvl"}, StartCommand::Print, "a.qvl", "", -1},
        {{"/pt", "a.qvl", "lab"}, StartCommand::PrintTo, "a.qvl", "lab", -1},
        {{"--print-to", "a.qvl", "lab"}, StartCommand::PrintTo, "a.qvl", "lab", -1},
        {{"--print-to", "a.qvl"}, StartCommand::New, "", "", 2},
        {{"a.qvl", "b.qvl"}, StartCommand::New, "", "", 2},
        {{"--bogus"}, StartCommand::New, "", "", 2},
        {{"--help"}, StartCommand::New, "", "", 0},
        {{"--version"}, StartCommand::New, "", "", 0},
    };
    for (const Case& c : cases) {
        const CommandLineResult r = ParseCommandLine(QStringList{QStringLiteral("quorvelw")} + c.args);
        const std::string at = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitNow ? r.exitCode : -1, c.exitCode) << at;
        if (!r.exitNow) {
            EXPECT_EQ(r.start.kind, c.kind) << at;
            EXPECT_EQ(r.start.file, QString::fromLatin1(c.file)) << at;
            EXPECT_EQ(r.start.printer, QString::fromLatin1(c.printer)) << at;
        }
    }
}

TEST_F(App, ScrollRangeIsTwelveAndAHalfInches)
{
    ASSERT_TRUE(app->InitInstance({}));
    CQuorvelwView* view = app->Frame()->View();
    const int total = view->TotalHeightPixels();
    ASSERT_GT(total, view->viewport()->height());
    EXPECT_EQ(view->verticalScrollBar()->maximum() + view->viewport()->height(), total);
    EXPECT_EQ(view->verticalScrollBar()->pageStep(), total / 10);
    EXPECT_EQ(view->verticalScrollBar()->singleStep(), total / 100);
    EXPECT_EQ(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(App, PrintPreviewAndPdfPrinterGiveOnePage)
{
    ModalScript script;
    ASSERT_TRUE(app->InitInstance({}));
    script.Then(LoadDialog(File("ang000.dat")));
    Act(*app, ID_FILE_NEW)->trigger();
    ASSERT_EQ(app->Doc().m_bDataLoaded, 1);

    int previewPages = -1;
    script.Then([&previewPages](QWidget* w) {
        auto* preview = w->findChild<QPrintPreviewWidget*>();
        if (preview) {
            preview->updatePreview();
            previewPages = preview->pageCount();
        }
        qobject_cast<QDialog*>(w)->reject();
    });
    Act(*app, ID_FILE_PRINT_PREVIEW)->trigger();
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(previewPages, 1);

    QPrinter& printer = app->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(File("printed.pdf"));
    Act(*app, ID_FILE_PRINT_DIRECT)->trigger();
    EXPECT_EQ(PdfPageCount(File("printed.pdf")), 1);

    script.ThenFile(File("export.pdf"));
    Act(*app, ID_FILE_EXPORT_PDF)->trigger();
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(PdfPageCount(File("export.pdf")), 1);
    EXPECT_EQ(script.unexpected, 0);
}

// Every command of the table reaches its handler: each opens what it should (answered with
// Cancel), or toggles what it should.
TEST_F(App, EveryCommandReachesItsHandler)
{
    ASSERT_TRUE(app->InitInstance({}));
    app->Printer().setOutputFormat(QPrinter::PdfFormat);
    app->Printer().setOutputFileName(File("direct.pdf"));
    struct Case {
        CommandId id;
        const char* firstModal;  // class of the first modal window; "" for none
    };
    const Case cases[] = {
        {ID_FILE_NEW, "CRawDataDlg"},          {ID_FILE_OPEN, "QFileDialog"},
        {ID_FILE_SAVE, "QFileDialog"},         {ID_FILE_SAVE_AS, "QFileDialog"},
        {ID_FILE_PRINT, "QPrintDialog"},       {ID_FILE_PRINT_PREVIEW, "QPrintPreviewDialog"},
        {ID_FILE_PRINT_SETUP, "QPrintDialog"}, {ID_FILE_EXPORT_PDF, "QMessageBox"},
        {ID_SETUP_GAGE_INFO, "CGageInfoDlg"},  {ID_CREATE_COMPENSATION, "QMessageBox"},
        {ID_APP_ABOUT, "CAboutDlg"},           {ID_FILE_PRINT_DIRECT, ""},
        {ID_NEXT_PANE, ""},                    {ID_PREV_PANE, ""},
    };
    for (const Case& c : cases) {
        QString seen;
        ModalScript script;
        script.Then([&seen](QWidget* w) {
            seen = QString::fromLatin1(w->metaObject()->className());
            // A cancelled Load Raw Data says so; that box is answered below.
            qobject_cast<QDialog*>(w)->reject();
        });
        script.ThenMessage();
        QAction* action = Act(*app, c.id);
        ASSERT_NE(action, nullptr) << c.id;
        action->trigger();
        QApplication::processEvents();
        EXPECT_EQ(seen, QString::fromLatin1(c.firstModal)) << c.id;
    }
    EXPECT_TRUE(QFile::exists(File("direct.pdf")));  // print direct: no dialog, one blank page
    for (CommandId id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_REPORT})
        EXPECT_FALSE(Act(*app, id)->isEnabled()) << id;
}

TEST(Printing, PageRangeWithoutPageOnePrintsNothing)
{
    QPrinter printer;
    EXPECT_TRUE(RangeIncludesFirstPage(printer));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(1, 3);
    EXPECT_TRUE(RangeIncludesFirstPage(printer));
    printer.setFromTo(2, 5);
    EXPECT_FALSE(RangeIncludesFirstPage(printer));
}

TEST_F(App, BarsToggleWithCheckMarks)
{
    ASSERT_TRUE(app->InitInstance({}));
    CMainFrame* frame = app->Frame();
    EXPECT_TRUE(Act(*app, ID_VIEW_TOOLBAR)->isChecked());
    Act(*app, ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(frame->ToolBar()->isHidden());
    EXPECT_FALSE(Act(*app, ID_VIEW_TOOLBAR)->isChecked());
    Act(*app, ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_TRUE(frame->statusBar()->isHidden());
    EXPECT_FALSE(Act(*app, ID_VIEW_STATUS_BAR)->isChecked());
    // Toolbar buttons in order, separators included.
    QStringList names;
    for (QAction* a : frame->ToolBar()->actions())
        names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    EXPECT_EQ(names.join(' '), QStringLiteral("ID_57600 ID_57601 ID_57603 | ID_57635 ID_57634 ID_57637 | ID_57607 | ID_57664"));
}

TEST_F(App, ExitAsksToSaveAModifiedDocument)
{
    ModalScript script;
    ASSERT_TRUE(app->InitInstance({}));
    script.Then(LoadDialog(File("ang000.dat")));
    Act(*app, ID_FILE_NEW)->trigger();
    Act(*app, ID_REPORT)->trigger();
    ASSERT_TRUE(app->Doc().IsModified());
    QString question;
    script.Then([&question](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        question = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(app->Frame()->close());  // Cancel keeps the program running
    EXPECT_EQ(question, QStringLiteral("Save changes to Untitled?"));
    script.Then([](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::No)->click(); });
    EXPECT_TRUE(app->Frame()->close());
    EXPECT_EQ(script.unexpected, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and the recent-file list go to a folder of the test run, not the user's.
    const QByteArray config = QByteArray("/tmp/quorvel-apptest-") + QByteArray::number(QCoreApplication::applicationPid());
    qputenv("XDG_CONFIG_HOME", config);
    const QByteArray runtime = config + "/runtime";
    QDir().mkpath(QString::fromUtf8(runtime));
    QFile::setPermissions(QString::fromUtf8(runtime), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QDir(QString::fromUtf8(config)).removeRecursively();
    return result;
}
