#include "framework/document.h"

#include <algorithm>

namespace vfw {

void CDocument::AddView(IDocumentView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(IDocumentView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::UpdateAllViews(IDocumentView* sender, long hint)
{
    // A view may unregister while it is told; walk a copy.
    const std::vector<IDocumentView*> views = m_views;
    for (IDocumentView* view : views)
        if (view != sender)
            view->OnUpdate(*this, hint);
}

bool CDocument::OnNewDocument()
{
    m_bModified = false;
    return true;
}

}  // namespace vfw
