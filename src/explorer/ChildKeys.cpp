#include "explorer/ChildKeys.h"

KeyboardStop StopOfKey(UINT key, bool ctrl, bool shift)
{
    switch (key) {
    case VK_F4:
        return ctrl || shift ? KeyboardStop::None : KeyboardStop::PathBox;
    case 'L':
        return ctrl && !shift ? KeyboardStop::PathBox : KeyboardStop::None;
    case VK_F6:
        if (ctrl)
            return KeyboardStop::None;
        return shift ? KeyboardStop::Previous : KeyboardStop::Next;
    }
    return KeyboardStop::None;
}

// The modifiers as they were when this key's message was taken from the queue.
KeyboardStop StopOfKeyHeld(UINT key)
{
    return StopOfKey(key, ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_SHIFT) < 0);
}

bool PassKeyboard(CWindow& child, UINT key)
{
    const KeyboardStop stop = StopOfKeyHeld(key);
    CWindow* parent = child.GetParentObject();
    if (stop == KeyboardStop::None || parent == nullptr)
        return false;
    parent->SendMessage(WM_MOVE_KEYBOARD, static_cast<WPARAM>(stop),
                        reinterpret_cast<LPARAM>(child.GetHwnd()));
    return true;
}
