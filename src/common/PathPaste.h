#pragma once
#include "framework/controls/InputBox.h"

// The paste of every box that holds a path (the path box, the home folder, the launcher's
// programs). The boxes keep code-page text, so the edit control would turn …\café into
// …\cafe, a path to another entry: such a paste becomes the short path of the entry the
// box would then name, or is refused with a message. Text the code page holds pastes as
// usual. False when the paste was done or refused here.
bool PastePath(CInputBox& box);

// The path a box holding text would hold with pasted put over the bytes start to end of
// it, without the quotes a path is copied with; false when it does not fit in size.
bool PastedPath(const CString& text, int start, int end, const wchar_t* pasted, wchar_t* path,
                int size);

// A box that holds a path.
class CPathBox : public CInputBox {
protected:
    bool OnPaste() override { return PastePath(*this); }
};
