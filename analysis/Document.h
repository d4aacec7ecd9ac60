// The framework side of a document: its path, its title, the modified flag and the views to
// tell when it changes. Kept apart from the measurement data, which lives in CQuorvelwDoc.
#pragma once

#include <functional>
#include <string>

class CDocument {
public:
    virtual ~CDocument() = default;

    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the path and the title (the file name, without its folder).
    void SetPathName(const std::string& path);
    // Empty path, title "Untitled".
    void ResetPathName();
    const std::string& GetTitle() const { return m_strTitle; }

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    // Tells every view to redraw; the views register one callback.
    void UpdateAllViews() const;
    void SetViewUpdater(std::function<void()> updater) { m_updateViews = std::move(updater); }

private:
    std::string m_strPathName;
    std::string m_strTitle = "Untitled";
    bool m_bModified = false;
    std::function<void()> m_updateViews;
};
