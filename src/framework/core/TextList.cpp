#include "framework/core/TextList.h"

#include <cstdlib>
#include <cstring>
#include <utility>

CTextList::CTextList(const CTextList& other) : m_complete(other.m_complete)
{
    if (other.m_used == 0)
        return;
    m_bytes = static_cast<char*>(std::malloc(other.m_used));
    if (m_bytes == nullptr) {
        m_complete = false;
        return;
    }
    std::memcpy(m_bytes, other.m_bytes, other.m_used);
    m_used = m_size = other.m_used;
}

CTextList::CTextList(CTextList&& other)
    : m_bytes(other.m_bytes), m_used(other.m_used), m_size(other.m_size), m_complete(other.m_complete)
{
    other.m_bytes = nullptr;
    other.m_used = other.m_size = 0;
    other.m_complete = true;
}

CTextList& CTextList::operator=(CTextList other)
{
    std::swap(m_bytes, other.m_bytes);
    std::swap(m_used, other.m_used);
    std::swap(m_size, other.m_size);
    std::swap(m_complete, other.m_complete);
    return *this;
}

CTextList::~CTextList()
{
    std::free(m_bytes);
}

bool CTextList::Add(const char* text, int length)
{
    if (m_used + length + 1 > m_size) {
        const int size = 2 * (m_used + length + 1);
        char* grown = static_cast<char*>(std::realloc(m_bytes, size));
        if (grown == nullptr) {
            m_complete = false;
            return false;
        }
        m_bytes = grown;
        m_size = size;
    }
    std::memcpy(m_bytes + m_used, text, length);
    m_bytes[m_used + length] = '\0';
    m_used += length + 1;
    return true;
}

void CTextList::Clear()
{
    std::free(m_bytes);
    m_bytes = nullptr;
    m_used = m_size = 0;
    m_complete = true;
}

const char* CTextList::Next(const char* text) const
{
    const char* next = text + std::strlen(text) + 1;
    return next < m_bytes + m_used ? next : nullptr;
}
