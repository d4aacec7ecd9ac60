// The document's life cycle around the commands: new (Load Raw Data), open, save, save as and
// the question before a modified document is replaced or the program ends. The desktop
// program and the command-line tool call exactly these.
#pragma once

#include <string>

class CQuorvelwDoc;
class Operator;

// Start-up: the first new-document call (clears m_raw), then, when path is not empty, opens
// that document. False when the document named could not be opened (the operator was told;
// the document is then empty).
bool StartUp(CQuorvelwDoc& doc, Operator& op, const std::string& path);

// Asks whether to save a modified document; true when the caller may go on (not modified,
// No, or Yes and the save succeeded), false for Cancel or a failed save.
bool SaveModified(CQuorvelwDoc& doc, Operator& op);

// "Load Raw Data": SaveModified, then OnNewDocument, then the views are redrawn. False only
// when the operator kept the modified document.
bool OnFileNew(CQuorvelwDoc& doc, Operator& op);

// "Open...": asks for a document file, then OpenDocumentFile. False when cancelled or failed.
bool OnFileOpen(CQuorvelwDoc& doc, Operator& op);

// Opening a named document (recent-file list, command line, drop): SaveModified, then
// OnOpenDocument.
bool OpenDocumentFile(CQuorvelwDoc& doc, Operator& op, const std::string& path);

// Reads the document file at path into doc. The file is read whole into a scratch document
// first: a file that cannot be read says "Failed to open document.", one that is not a whole
// document file of ours (an empty file included) says "Unexpected file format."; both leave
// doc, its path, title and modified flag as they were. Otherwise the texts, settings, flag
// and samples replace the document's; a measurement (flag 1) is analysed again, and one that
// cannot be evaluated is opened with m_bDataLoaded 0 after its message. Then the plot report,
// path and title of the file, not modified, views redrawn.
bool OnOpenDocument(CQuorvelwDoc& doc, Operator& op, const std::string& path);

// Writes doc to path through a temporary file that replaces path only when complete. On
// success the document takes path and title and is not modified; otherwise "Failed to save
// document.", the old file and the modified flag unchanged.
bool OnSaveDocument(CQuorvelwDoc& doc, Operator& op, const std::string& path);

// "Save": to the document's path, or as Save As when it has none or its file is read-only.
bool OnFileSave(CQuorvelwDoc& doc, Operator& op);

// "Save As...": asks for a document file name (proposing the current path, or the title with
// ".qvl"), then OnSaveDocument. False when cancelled or failed.
bool OnFileSaveAs(CQuorvelwDoc& doc, Operator& op);

// "Exit" and closing the main window: true when the program may end.
bool CanExit(CQuorvelwDoc& doc, Operator& op);
