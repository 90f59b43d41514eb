#pragma once
#include "framework/core/Object.h"

// The only text type: one owned, NUL-terminated heap buffer of Shift-JIS bytes.
// Lengths and indices are byte counts; nothing here knows about double-byte characters.
class CString : public CObject {
public:
    static constexpr int DefaultBufferSize = 64;

    CString();
    CString(const char* text, int count = 0);
    CString(const CString& other, int count = 0);
    CString(const char* a, const char* b);
    CString(const CString& a, const CString& b);

    virtual ~CString();
    DECLARE_RUNTIME_CLASS(CString)

    virtual const char* GetString() const;
    virtual CString& operator=(const CString& other);
    virtual CString& Copy(const CString& other);
    virtual CString operator+(const char* text) const;
    virtual CString operator+(const CString& other) const;
    virtual CString& operator+=(const char* text);
    virtual CString& operator+=(const CString& other);
    virtual CString& operator+=(char ch);
    virtual bool operator==(const char* text) const;
    virtual bool operator==(const CString& other) const;
    virtual bool operator!=(const char* text) const;
    virtual bool operator!=(const CString& other) const;
    virtual bool operator>(const char* text) const;
    virtual bool operator>(const CString& other) const;
    virtual bool operator<(const char* text) const;
    virtual bool operator<(const CString& other) const;
    virtual bool operator>=(const char* text) const;
    virtual bool operator>=(const CString& other) const;
    virtual bool operator<=(const char* text) const;
    virtual bool operator<=(const CString& other) const;
    virtual char& operator[](int index);
    virtual int GetCapacity() const;
    virtual int GetLength() const;
    // Clips a range to the text: the text's length, or 0 when nothing is left to take.
    virtual int ClipRange(int& start, int& count) const;
    virtual bool Resize(int size, bool zeroFill);
    virtual CString& Assign(const char* text, int size);
    virtual CString& Assign(const CString& other, int size);
    virtual CString& Append(const char* text);
    virtual CString& Insert(const char* text, int position);
    virtual CString& Empty();
    virtual CString& Format(const char* format, ...);
    virtual CString Left(int count) const;
    virtual CString Right(int count) const;
    virtual CString Mid(int start, int count) const;
    virtual CString ToUpper() const;
    virtual CString ToLower() const;
    virtual char* ElementAt(int index);
    virtual int Compare(const char* text) const;
    virtual int CompareNoCase(const char* text) const;
    virtual bool IsEmpty() const;
    virtual char* GetBuffer(int size);
    virtual void FreeExtra();
    virtual int Find(char ch, int start) const;
    virtual int Find(char ch) const;
    virtual int Find(const char* text) const;
    virtual int ReverseFind(char ch) const;
    virtual int ReverseFind(const char* text) const;
    virtual int ReverseFind(const CString& other) const;

private:
    void AllocateZeroed(int size);
    const char* Text() const { return m_pBuffer ? m_pBuffer : ""; }

    char* m_pBuffer;
};

CString operator+(const char* text, const CString& string);
