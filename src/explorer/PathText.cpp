#include "explorer/PathText.h"

int FindLastSeparator(const CString& path)
{
    const char* text = path.GetString();
    if (text == nullptr)
        return -1;
    int last = -1;
    for (const char* p = text; *p; p = CharNextA(p))
        if (*p == '\\')
            last = static_cast<int>(p - text);
    return last;
}

bool EndsWithSeparator(const CString& path)
{
    const int length = path.GetLength();
    return length > 0 && FindLastSeparator(path) == length - 1;
}
