// Everything the operator is told or asked goes through this interface: the desktop program
// shows message boxes and dialogs, the command-line tool answers from its arguments and prints
// to standard error, tests follow a script and record.
#pragma once

#include <cstdint>
#include <string>

constexpr const char* APP_TITLE = "Pellmoor Corporation Quorvel Program";  // message caption

constexpr const char* DEFAULT_DATA_FILE = "c:\\gagedata\\ang000.dat";
constexpr int DEFAULT_TRACE_COUNT = 8;
constexpr const char* DEFAULT_GAGE_INFO = "7310QK SN0123456789XYZ";
constexpr const char* DEFAULT_GRATING_INFO = "SN0123456789XYZ";

// The members of the Load Raw Data dialog CRawDataDlg, with the defaults it always opens with
// (never the document's values).
struct RawDataValues {
    std::int32_t m_nUnit = 0;                   // 0 "English (inch)", 1 "Metric (mm)"
    std::string m_strDataFile = DEFAULT_DATA_FILE;
    std::int32_t m_nTraces = DEFAULT_TRACE_COUNT;  // 0 for an empty field
};

// The members of the gage and grating dialog CGageInfoDlg, with its defaults.
struct GageInfoValues {
    std::string m_strGageInfo = DEFAULT_GAGE_INFO;
    std::string m_strGratingInfo = DEFAULT_GRATING_INFO;
};

enum class DialogResult { Ok, Cancel };

enum class SaveChangesAnswer { Yes, No, Cancel };

// What a file is chosen for: the dialog's filter and default extension follow from it.
enum class FileKind {
    Document,      // ".qvl" document files: filter " Pellmoor Quorvel Files (*.qvl)"
    Compensation,  // any file: no filter, no default extension
};

class Operator {
public:
    virtual ~Operator() = default;

    // A warning to the operator: OK button, warning icon, APP_TITLE as caption.
    virtual void ShowMessage(const std::string& text) = 0;

    // Runs a modal dialog on values (which hold the dialog's defaults on entry). On Ok the
    // caller reads the values; on Cancel it ignores them.
    virtual DialogResult RunRawDataDialog(RawDataValues& values) = 0;
    virtual DialogResult RunGageInfoDialog(GageInfoValues& values) = 0;

    // Asks for a file to write; proposed is offered (may be empty). Confirms with the operator
    // before an existing file is chosen. False when cancelled; path is the full path otherwise.
    virtual bool AskSaveFileName(FileKind kind, const std::string& proposed, std::string& path) = 0;

    // Asks for an existing file to read. False when cancelled.
    virtual bool AskOpenFileName(FileKind kind, std::string& path) = 0;

    // Whether to save the modified document titled title before it is replaced or the program
    // ends.
    virtual SaveChangesAnswer AskSaveChanges(const std::string& title) = 0;
};
