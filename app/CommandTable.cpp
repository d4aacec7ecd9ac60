#include "CommandTable.h"

#include "CQuorvelwApp.h"

#include <cstring>

const std::vector<CommandInfo>& Commands()
{
    using A = CQuorvelwApp;
    using K = CommandKind;
    static const std::vector<CommandInfo> table = {
        {ID_FILE_NEW, "&Load Raw Data\tCtrl+N", {"Ctrl+N", nullptr}, "Load raw quorvel data from multiple files\nLoad",
         &A::OnFileNew, K::Normal, "document-new", ":/icons/load.png"},
        {ID_FILE_OPEN, "&Open...\tCtrl+O", {"Ctrl+O", nullptr}, "Open an existing quorvel document (*.qvl)\nOpen",
         &A::OnFileOpen, K::Normal, "document-open", ":/icons/open.png"},
        {ID_FILE_SAVE, "&Save\tCtrl+S", {"Ctrl+S", nullptr}, "Save the active quorvel document (*.qvl)\nSave",
         &A::OnFileSave, K::Normal, "document-save", ":/icons/save.png"},
        {ID_FILE_SAVE_AS, "Save &As...", {nullptr, nullptr},
         "Save the active quorvel document with a new name (*.qvl)\nSave As", &A::OnFileSaveAs, K::Normal, nullptr, nullptr},
        {ID_FILE_PRINT, "&Print...\tCtrl+P", {"Ctrl+P", nullptr}, "Print the active document\nPrint", &A::OnFilePrint,
         K::Normal, "document-print", ":/icons/print.png"},
        {ID_FILE_PRINT_DIRECT, nullptr, {nullptr, nullptr}, "Print the active document without asking\nPrint",
         &A::OnFilePrintDirect, K::Hidden, nullptr, nullptr},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view", {nullptr, nullptr}, "Display full pages\nPrint Preview",
         &A::OnFilePrintPreview, K::Normal, nullptr, nullptr},
        {ID_FILE_PRINT_SETUP, "P&rint Setup...", {nullptr, nullptr}, "Change the printer and printing options\nPrint Setup",
         &A::OnFilePrintSetup, K::Normal, nullptr, nullptr},
        {ID_FILE_EXPORT_PDF, "Export P&DF...", {nullptr, nullptr}, "Export the active report as a PDF file\nExport PDF",
         &A::OnFileExportPdf, K::Normal, nullptr, nullptr},
        {ID_FILE_MRU_FILE1, "Recent File", {nullptr, nullptr}, "Open this document", nullptr, K::Disabled, nullptr, nullptr},
        {ID_APP_EXIT, "E&xit", {nullptr, nullptr}, "Quit the application; prompts to save documents\nExit", &A::OnAppExit,
         K::Normal, nullptr, nullptr},
        {ID_EDIT_UNDO, "&Undo\tCtrl+Z", {"Ctrl+Z", "Alt+Backspace"}, "Undo the last action\nUndo", nullptr, K::Disabled,
         "edit-undo", nullptr},
        {ID_EDIT_CUT, "Cu&t\tCtrl+X", {"Ctrl+X", "Shift+Del"}, "Cut the selection and put it on the Clipboard\nCut", nullptr,
         K::Disabled, "edit-cut", ":/icons/cut.png"},
        {ID_EDIT_COPY, "&Copy\tCtrl+C", {"Ctrl+C", "Ctrl+Ins"}, "Copy the selection and put it on the Clipboard\nCopy",
         nullptr, K::Disabled, "edit-copy", ":/icons/copy.png"},
        {ID_EDIT_PASTE, "&Paste\tCtrl+V", {"Ctrl+V", "Shift+Ins"}, "Insert Clipboard contents\nPaste", nullptr, K::Disabled,
         "edit-paste", ":/icons/paste.png"},
        {ID_VIEW_TOOLBAR, "&Toolbar", {nullptr, nullptr}, "Show or hide the toolbar\nToggle ToolBar", &A::OnViewToolbar,
         K::Check, nullptr, nullptr},
        {ID_VIEW_STATUS_BAR, "&Status Bar", {nullptr, nullptr}, "Show or hide the status bar\nToggle StatusBar",
         &A::OnViewStatusBar, K::Check, nullptr, nullptr},
        {ID_SETUP_GAGE_INFO, "Setup &Gage Info", {nullptr, nullptr},
         "Set up gage and grating information for output report\nSetup Gage Info", &A::OnSetupGageInfo, K::Normal, nullptr,
         nullptr},
        {ID_CREATE_COMPENSATION, "&Create Quorvel", {nullptr, nullptr}, "Create quorvel compensation file\nCreate Quorvel",
         &A::OnCreateCompensation, K::Normal, nullptr, nullptr},
        {ID_REPORT, "&Report", {nullptr, nullptr}, "Select plot or text report format \nReport", &A::OnReport, K::Normal,
         nullptr, nullptr},
        {ID_APP_ABOUT, "&About quorvelw...", {nullptr, nullptr},
         "Display program information, version number and copyright\nAbout", &A::OnAppAbout, K::Normal, "help-about",
         ":/icons/about.png"},
        // With a single pane both do nothing.
        {ID_NEXT_PANE, nullptr, {"F6", nullptr}, "Switch to the next window pane\nNext Pane", &A::OnNextPane, K::Hidden,
         nullptr, nullptr},
        {ID_PREV_PANE, nullptr, {"Shift+F6", nullptr}, "Switch back to the previous window pane\nPrevious Pane",
         &A::OnNextPane, K::Hidden, nullptr, nullptr},
    };
    return table;
}

const CommandInfo* FindCommand(CommandId id)
{
    for (const CommandInfo& c : Commands())
        if (c.id == id)
            return &c;
    return nullptr;
}

const std::vector<PopupInfo>& Popups()
{
    static const std::vector<PopupInfo> popups = {
        {"&File",
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_SEPARATOR, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
          ID_FILE_PRINT_SETUP, ID_FILE_EXPORT_PDF, ID_SEPARATOR, ID_FILE_MRU_FILE1, ID_SEPARATOR, ID_APP_EXIT}},
        {"&Edit", {ID_EDIT_UNDO, ID_SEPARATOR, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}},
        {"&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}},
        {"&Settings", {ID_SETUP_GAGE_INFO, ID_CREATE_COMPENSATION, ID_REPORT}},
        {"&Help", {ID_APP_ABOUT}},
    };
    return popups;
}

const std::vector<CommandId>& ToolbarButtons()
{
    static const std::vector<CommandId> buttons = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,  ID_SEPARATOR,
                                                   ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_SEPARATOR,
                                                   ID_FILE_PRINT, ID_SEPARATOR, ID_APP_ABOUT};
    return buttons;
}

const char* PromptEnd(const char* prompt)
{
    const char* nl = std::strchr(prompt, '\n');
    return nl ? nl : prompt + std::strlen(prompt);
}
