#pragma once
// Document base of the single-document framework: the modified flag and the
// views that are told about changes. Portable; the Windows views register here.
#include <string>
#include <vector>

namespace vfw {

class CDocument;

// Anything that shows a document: told about every change with a hint.
class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(CDocument& doc, long hint) = 0;
};

class CDocument {
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    virtual ~CDocument() = default;

    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    bool IsModified() const { return m_bModified; }

    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    const std::vector<IDocumentView*>& GetViews() const { return m_views; }

    // Tells every view except the sender.
    void UpdateAllViews(IDocumentView* sender, long hint = 0);

    // The framework's own part of New: a fresh document is not modified.
    virtual bool OnNewDocument();

private:
    std::vector<IDocumentView*> m_views;
    bool m_bModified = false;
};

// Enable, check and text of a command's menu item or toolbar button.
class CCmdUI {
public:
    explicit CCmdUI(unsigned id) : m_nID(id) {}
    virtual ~CCmdUI() = default;
    virtual void Enable(bool on = true) { m_bEnabled = on; }
    virtual void SetCheck(int check = 1) { m_nCheck = check; }
    virtual void SetText(const char* text) { m_strText = text; m_bTextSet = true; }

    unsigned m_nID;
    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bTextSet = false;
    std::string m_strText;
};

}  // namespace vfw
