#pragma once

// Texts kept one after another, each ended by a NUL, in one block that doubles when
// full: a large folder's rows, or a selection of all of them, are kept in one pass.
class CTextList {
public:
    CTextList() = default;
    CTextList(const CTextList& other);
    CTextList(CTextList&& other);
    CTextList& operator=(CTextList other);
    ~CTextList();

    // Adds length bytes of text (which holds no NUL) as one text. When memory runs out
    // the list stays as it was and no longer counts as complete.
    bool Add(const char* text, int length);
    // Whether every Add since the last Clear kept its text.
    bool IsComplete() const { return m_complete; }
    // Empties the list and gives its memory back.
    void Clear();

    // The first text, and the one after text; nullptr past the last.
    const char* First() const { return m_used > 0 ? m_bytes : nullptr; }
    const char* Next(const char* text) const;

private:
    char* m_bytes = nullptr;
    int m_used = 0;
    int m_size = 0;
    bool m_complete = true;
};
