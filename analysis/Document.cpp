#include "Document.h"

void CDocument::SetPathName(const std::string& path)
{
    m_strPathName = path;
    // Both separators: paths typed on a lab's Windows gage may reach us as they are.
    const auto slash = path.find_last_of("/\\");
    m_strTitle = slash == std::string::npos ? path : path.substr(slash + 1);
}

void CDocument::ResetPathName()
{
    m_strPathName.clear();
    m_strTitle = "Untitled";
}

void CDocument::UpdateAllViews() const
{
    if (m_updateViews)
        m_updateViews();
}
