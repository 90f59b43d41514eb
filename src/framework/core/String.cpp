#include "framework/core/String.h"

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

IMPLEMENT_RUNTIME_CLASS(CString, CObject)

void CString::AllocateZeroed(int size)
{
    m_pBuffer = static_cast<char*>(std::calloc(1, size));
}

CString::CString() : m_pBuffer(nullptr)
{
    AllocateZeroed(DefaultBufferSize);
}

CString::CString(const char* text, int count) : m_pBuffer(nullptr)
{
    if (text == nullptr) {
        AllocateZeroed(DefaultBufferSize);
        return;
    }
    if (count == 0 || count == INT_MAX)  // INT_MAX leaves no room for the NUL: take it as all
        count = lstrlenA(text);
    else if (count < 0)
        count = 0;
    AllocateZeroed(count + 1);
    if (m_pBuffer)
        lstrcpynA(m_pBuffer, text, count + 1);
}

CString::CString(const CString& other, int count) : CObject(), m_pBuffer(nullptr)
{
    if (other.m_pBuffer == nullptr) {
        AllocateZeroed(DefaultBufferSize);
        return;
    }
    if (count == 0 || count == INT_MAX)
        count = other.GetLength();
    else if (count < 0)
        count = 0;
    AllocateZeroed(count + 1);
    if (m_pBuffer)
        lstrcpynA(m_pBuffer, other.GetString(), count + 1);
}

CString::CString(const char* a, const char* b) : m_pBuffer(nullptr)
{
    const int lengthA = a ? lstrlenA(a) : 0;
    const int lengthB = b ? lstrlenA(b) : 0;
    AllocateZeroed(lengthA + lengthB + 1);
    if (m_pBuffer == nullptr)
        return;
    if (lengthA > 0)
        lstrcpyA(m_pBuffer, a);
    if (lengthB > 0)
        lstrcatA(m_pBuffer, b);
}

CString::CString(const CString& a, const CString& b) : CObject(), m_pBuffer(nullptr)
{
    const int lengthA = a.GetLength();
    const int lengthB = b.GetLength();
    AllocateZeroed(lengthA + lengthB + 1);
    if (m_pBuffer == nullptr)
        return;
    if (lengthA > 0)
        lstrcpyA(m_pBuffer, a.GetString());
    if (lengthB > 0)
        lstrcatA(m_pBuffer, b.GetString());
}

CString::~CString()
{
    std::free(m_pBuffer);
}

const char* CString::GetString() const
{
    return m_pBuffer;
}

CString& CString::operator=(const CString& other)
{
    return this == &other ? *this : Assign(other, 0);
}

CString& CString::Copy(const CString& other)
{
    return this == &other ? *this : Assign(other.GetString(), 0);
}

CString CString::operator+(const char* text) const { return CString(m_pBuffer, text); }
CString CString::operator+(const CString& other) const { return CString(*this, other); }
CString& CString::operator+=(const char* text) { return Append(text); }
CString& CString::operator+=(const CString& other) { return Append(other.GetString()); }

CString& CString::operator+=(char ch)
{
    const char text[2] = {ch, '\0'};
    return Append(text);
}

bool CString::operator==(const char* text) const { return Compare(text) == 0; }
bool CString::operator==(const CString& other) const { return Compare(other.GetString()) == 0; }
bool CString::operator!=(const char* text) const { return Compare(text) != 0; }
bool CString::operator!=(const CString& other) const { return Compare(other.GetString()) != 0; }
bool CString::operator>(const char* text) const { return Compare(text) > 0; }
bool CString::operator>(const CString& other) const { return Compare(other.GetString()) > 0; }
bool CString::operator<(const char* text) const { return Compare(text) < 0; }
bool CString::operator<(const CString& other) const { return Compare(other.GetString()) < 0; }
bool CString::operator>=(const char* text) const { return Compare(text) >= 0; }
bool CString::operator>=(const CString& other) const { return Compare(other.GetString()) >= 0; }
bool CString::operator<=(const char* text) const { return Compare(text) <= 0; }
bool CString::operator<=(const CString& other) const { return Compare(other.GetString()) <= 0; }

char& CString::operator[](int index)
{
    return *ElementAt(index);
}

int CString::GetCapacity() const
{
    return m_pBuffer ? static_cast<int>(_msize(m_pBuffer)) : 0;
}

int CString::GetLength() const
{
    return m_pBuffer ? lstrlenA(m_pBuffer) : 0;
}

int CString::ClipRange(int& start, int& count) const
{
    if (m_pBuffer == nullptr || count <= 0)
        return 0;  // tested before the shift so that count + start cannot overflow
    if (start < 0) {
        count += start;
        start = 0;
    }
    if (count <= 0)
        return 0;
    const int length = GetLength();
    if (length < start)
        return 0;
    return length;
}

// A failed reallocation keeps the old buffer and its text, and reports false.
bool CString::Resize(int size, bool zeroFill)
{
    if (size < 1)
        size = 1;  // realloc to 0 would free the block behind our back
    if (m_pBuffer == nullptr) {
        AllocateZeroed(size);
        return m_pBuffer != nullptr;
    }
    const int oldCapacity = GetCapacity();
    char* moved = static_cast<char*>(std::realloc(m_pBuffer, size));
    if (moved == nullptr)
        return false;
    m_pBuffer = moved;
    if (zeroFill)
        std::memset(m_pBuffer, 0, GetCapacity());
    else if (size < oldCapacity)
        m_pBuffer[size - 1] = '\0';  // a shrunk buffer must still end its text
    return true;
}

CString& CString::Assign(const char* text, int size)
{
    if (text == nullptr)
        text = "";
    if (m_pBuffer && text >= m_pBuffer && text < m_pBuffer + GetCapacity()) {
        const CString copy(text);  // the source lives in the buffer about to be cleared
        return Assign(copy.GetString(), size);
    }
    if (size == 0)
        size = lstrlenA(text) + 1;
    if (size == INT_MAX)
        return *this;  // no block can hold size + 1 bytes
    if (GetCapacity() < size + 1 && !Resize(size + 1, false))
        return *this;
    std::memset(m_pBuffer, 0, GetCapacity());
    if (size > 1)
        lstrcpynA(m_pBuffer, text, size);
    return *this;
}

CString& CString::Assign(const CString& other, int size)
{
    return Assign(other.m_pBuffer, size);
}

CString& CString::Append(const char* text)
{
    if (text == nullptr)
        text = "";
    if (m_pBuffer && text >= m_pBuffer && text < m_pBuffer + GetCapacity()) {
        const CString copy(text);  // the reallocation may move the source
        return Append(copy.GetString());
    }
    if (!Resize(GetLength() + lstrlenA(text) + 1, false))
        return *this;
    lstrcatA(m_pBuffer, text);
    return *this;
}

CString& CString::Insert(const char* text, int position)
{
    const int length = GetLength();
    // Clipped first, so that length - position stays in range for any position.
    position = position < 0 ? 0 : (position > length ? length : position);
    const CString left = Left(position);
    const CString middle(text);
    const CString right = Right(length - position);
    Assign(left, 0);
    Append(middle.GetString());
    if (position < length)
        Append(right.GetString());
    return *this;
}

CString& CString::Empty()
{
    if (m_pBuffer)
        std::memset(m_pBuffer, 0, GetCapacity());
    return *this;
}

// Grows in 128-byte steps from the current capacity until the output fits, never
// shrinks. The text is formatted apart first, so an argument may be this string's own
// text, and the buffer is only touched once the needed size is secured.
CString& CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);

    long long size = m_pBuffer ? GetCapacity() : DefaultBufferSize;  // steps may pass INT_MAX
    while (needed >= 0 && needed > size - 1)
        size += 128;
    const bool fits = needed >= 0 && size <= INT_MAX;
    char* text = fits ? static_cast<char*>(std::malloc(needed + 1)) : nullptr;
    if (text != nullptr)
        std::vsnprintf(text, needed + 1, format, args);
    va_end(args);
    if (text == nullptr)
        return *this;

    const bool sized = m_pBuffer != nullptr && size == GetCapacity();
    if (sized || Resize(static_cast<int>(size), false))
        std::memcpy(m_pBuffer, text, needed + 1);
    std::free(text);
    return *this;
}

CString CString::Left(int count) const
{
    const int length = GetLength();
    CString part(m_pBuffer, count > length ? length : count);  // no block larger than the text
    if (count <= 0)
        part.Empty();
    return CString(part);
}

CString CString::Right(int count) const
{
    const int length = GetLength();
    if (count < 0 || count > length)
        return CString(*this);
    return CString(m_pBuffer + (length - count));
}

CString CString::Mid(int start, int count) const
{
    if (!ClipRange(start, count))
        return CString();
    const int rest = GetLength() - start;
    return CString(m_pBuffer + start, count > rest ? rest : count);  // sized to the text it holds
}

CString CString::ToUpper() const
{
    CString result(*this);
    for (char* p = result.m_pBuffer; p && *p; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return result;
}

CString CString::ToLower() const
{
    CString result(*this);
    for (char* p = result.m_pBuffer; p && *p; ++p)
        *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    return result;
}

char* CString::ElementAt(int index)
{
    static char nowhere;  // answers an index whose growth failed, instead of a wild pointer
    if (index < 0)
        index = 0;
    else if (index == INT_MAX)
        return &(nowhere = '\0');  // index + 1 bytes cannot be asked for
    else if (index >= GetCapacity() && !Resize(index + 1, false))
        return &(nowhere = '\0');
    if (m_pBuffer == nullptr && !Resize(DefaultBufferSize, false))
        return &(nowhere = '\0');
    return m_pBuffer + index;
}

int CString::Compare(const char* text) const
{
    return lstrcmpA(Text(), text ? text : "");
}

int CString::CompareNoCase(const char* text) const
{
    return lstrcmpiA(Text(), text ? text : "");
}

bool CString::IsEmpty() const
{
    return m_pBuffer == nullptr || Compare("") == 0;
}

// Null when the size cannot be had: a smaller block handed out for `size` bytes of
// writing would be overrun.
char* CString::GetBuffer(int size)
{
    if (size > 0 && !Resize(size, false))
        return nullptr;
    return m_pBuffer;
}

// The fitted block (length + 2, zeroed) is taken before the old one is let go, so a
// failed allocation keeps the text.
void CString::FreeExtra()
{
    const int length = GetLength();
    char* fitted = static_cast<char*>(std::calloc(1, length + 2));
    if (fitted == nullptr)
        return;
    if (m_pBuffer != nullptr)
        std::memcpy(fitted, m_pBuffer, length);
    std::free(m_pBuffer);
    m_pBuffer = fitted;
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    const CString tail(m_pBuffer + start);
    const char* hit = std::strchr(tail.Text(), ch);
    return hit ? start + static_cast<int>(hit - tail.Text()) : -1;
}

int CString::Find(char ch) const
{
    if (m_pBuffer == nullptr)
        return -1;
    const char* hit = std::strchr(m_pBuffer, ch);
    return hit ? static_cast<int>(hit - m_pBuffer) : -1;
}

int CString::Find(const char* text) const
{
    if (m_pBuffer == nullptr)
        return -1;
    const char* hit = std::strstr(m_pBuffer, text ? text : "");
    return hit ? static_cast<int>(hit - m_pBuffer) : -1;
}

int CString::ReverseFind(char ch) const
{
    if (m_pBuffer == nullptr)
        return -1;
    const char* hit = std::strrchr(m_pBuffer, ch);
    return hit ? static_cast<int>(hit - m_pBuffer) : -1;
}

int CString::ReverseFind(const char* text) const
{
    if (m_pBuffer == nullptr)
        return -1;
    if (text == nullptr)
        text = "";
    const int textLength = lstrlenA(text);
    int n = GetLength() - textLength;
    while (n >= 0) {
        if (text[0] == m_pBuffer[n] && std::strncmp(m_pBuffer + n, text, textLength) == 0)
            break;
        --n;
    }
    return n >= 0 ? n : -1;
}

int CString::ReverseFind(const CString& other) const
{
    return ReverseFind(other.m_pBuffer);
}

CString operator+(const char* text, const CString& string)
{
    return CString(text, string.GetString());
}
