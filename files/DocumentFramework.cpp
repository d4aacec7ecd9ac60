#include "DocumentFramework.h"

#include "AtomicFile.h"
#include "DocumentFile.h"
#include "LoadSequence.h"
#include "Operator.h"
#include "QuorvelwDoc.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Larger than any document of ours: 2 MB of samples and four texts no operator types.
constexpr std::uintmax_t MAX_DOCUMENT_BYTES = 256u << 20;

enum class ReadResult { Ok, CannotRead, TooLarge };

ReadResult ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    // Regular files only: a pipe would block the program, a device like /dev/zero never ends.
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return ReadResult::CannotRead;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec)
        return ReadResult::CannotRead;
    if (size > MAX_DOCUMENT_BYTES)
        return ReadResult::TooLarge;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ReadResult::CannotRead;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        return ReadResult::CannotRead;
    }
    if (in.bad())
        return ReadResult::CannotRead;
    return bytes.size() > MAX_DOCUMENT_BYTES ? ReadResult::TooLarge : ReadResult::Ok;
}

// Moves fields 1 to 9 of a document file from the scratch document; the samples outside its
// N x T keep what they held.
void TakeFileFields(CQuorvelwDoc& doc, CQuorvelwDoc& from)
{
    doc.m_strDataFile.swap(from.m_strDataFile);
    doc.m_strDate.swap(from.m_strDate);
    doc.m_strGageInfo.swap(from.m_strGageInfo);
    doc.m_strGratingInfo.swap(from.m_strGratingInfo);
    doc.m_nUnit = from.m_nUnit;
    doc.m_nPoints = from.m_nPoints;
    doc.m_nTraces = from.m_nTraces;
    doc.m_bDataLoaded = from.m_bDataLoaded;
    for (int i = 0; i < from.m_nPoints; ++i) {
        for (int j = 0; j < from.m_nTraces; ++j)
            doc.m_raw[i][j] = from.m_raw[i][j];
    }
}

bool IsReadOnlyFile(const std::string& path)
{
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return !ec && fs::is_regular_file(st) && (st.permissions() & anyWrite) == fs::perms::none;
}

}  // namespace

bool StartUp(CQuorvelwDoc& doc, Operator& op, const std::string& path)
{
    // Always the clearing call first, so that the first "Load Raw Data" after a document
    // opened from the command line runs the load and does not merely clear.
    OnNewDocument(doc, op);
    const bool ok = path.empty() || OnOpenDocument(doc, op, path);
    doc.UpdateAllViews();
    return ok;
}

bool SaveModified(CQuorvelwDoc& doc, Operator& op)
{
    if (!doc.IsModified())
        return true;
    switch (op.AskSaveChanges(doc.GetTitle())) {
    case SaveChangesAnswer::Yes:
        return OnFileSave(doc, op);
    case SaveChangesAnswer::No:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

bool OnFileNew(CQuorvelwDoc& doc, Operator& op)
{
    if (!SaveModified(doc, op))
        return false;
    OnNewDocument(doc, op);
    doc.UpdateAllViews();
    return true;
}

bool OnFileOpen(CQuorvelwDoc& doc, Operator& op)
{
    std::string path;
    if (!op.AskOpenFileName(FileKind::Document, path))
        return false;
    return OpenDocumentFile(doc, op, path);
}

bool OpenDocumentFile(CQuorvelwDoc& doc, Operator& op, const std::string& path)
{
    return SaveModified(doc, op) && OnOpenDocument(doc, op, path);
}

bool OnOpenDocument(CQuorvelwDoc& doc, Operator& op, const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    switch (ReadWholeFile(path, bytes)) {
    case ReadResult::Ok:
        break;
    case ReadResult::CannotRead:
        op.ShowMessage("Failed to open document.");
        return false;
    case ReadResult::TooLarge:
        op.ShowMessage("Unexpected file format.");
        return false;
    }
    std::unique_ptr<CQuorvelwDoc> scratch(new (std::nothrow) CQuorvelwDoc);
    if (!scratch) {
        op.ShowMessage("Failed to open document.");
        return false;
    }
    if (!SerializeLoad(*scratch, bytes.data(), bytes.size())) {
        op.ShowMessage("Unexpected file format.");
        return false;
    }
    TakeFileFields(doc, *scratch);

    // A file without a measurement (flag 0) has nothing to show; its results stay hidden.
    if (doc.m_bDataLoaded == 1) {
        const SeparationStatus status = doc.SeparateErrors();
        if (!status.ok()) {
            op.ShowMessage(SeparationMessage(status));
            doc.m_bDataLoaded = 0;
        }
    }
    doc.m_nReportMode = 0;
    doc.SetPathName(path);
    doc.SetModifiedFlag(false);
    doc.UpdateAllViews();
    return true;
}

bool OnSaveDocument(CQuorvelwDoc& doc, Operator& op, const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    bool ok = false;
    try {
        ok = SerializeStore(doc, bytes) && WriteFileAtomically(path, bytes.data(), bytes.size());
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok) {
        op.ShowMessage("Failed to save document.");
        return false;
    }
    doc.SetPathName(path);
    doc.SetModifiedFlag(false);
    return true;
}

bool OnFileSave(CQuorvelwDoc& doc, Operator& op)
{
    if (doc.GetPathName().empty() || IsReadOnlyFile(doc.GetPathName()))
        return OnFileSaveAs(doc, op);
    return OnSaveDocument(doc, op, doc.GetPathName());
}

bool OnFileSaveAs(CQuorvelwDoc& doc, Operator& op)
{
    const std::string proposed = doc.GetPathName().empty() ? doc.GetTitle() + ".qvl" : doc.GetPathName();
    std::string path;
    if (!op.AskSaveFileName(FileKind::Document, proposed, path))
        return false;
    return OnSaveDocument(doc, op, path);
}

bool CanExit(CQuorvelwDoc& doc, Operator& op)
{
    return SaveModified(doc, op);
}
