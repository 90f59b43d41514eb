#include "support/ModalDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Drivers may overlap (a whole-test guard around a step player): ticks find theirs by timer.
std::vector<ModalDriver*> g_running;

struct Shown {
    std::vector<HWND> dialogs, menus;
};

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Enumeration callbacks are stdcall on 32-bit builds, which a lambda cannot be.
BOOL CALLBACK AddShown(HWND window, LPARAM found)
{
    const std::string name = ClassOf(window);
    Shown& shown = *reinterpret_cast<Shown*>(found);
    if (name == "#32770")
        shown.dialogs.push_back(window);
    else if (name == "#32768" && IsWindowVisible(window))
        shown.menus.push_back(window);
    return TRUE;
}

BOOL CALLBACK AddText(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<std::string>*>(list)->push_back(TextOf(window));
    return TRUE;
}

Shown ThreadWindows()
{
    Shown shown;
    EnumThreadWindows(GetCurrentThreadId(), AddShown, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

}  // namespace

void ModalDriver::Start(UINT period)
{
    Stop();
    m_timer = SetTimer(nullptr, 0, period, Tick);
    g_running.push_back(this);
}

void ModalDriver::Stop()
{
    if (m_timer == 0)
        return;
    KillTimer(nullptr, m_timer);
    m_timer = 0;
    g_running.erase(std::find(g_running.begin(), g_running.end(), this));
    MSG stale;  // a tick already queued must not reach a driver that is gone
    while (PeekMessageA(&stale, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
}

bool ModalDriver::Run(const std::function<void()>& open, UINT period)
{
    Start(period);
    open();
    Stop();
    return Finished();
}

bool ModalDriver::Finished() const
{
    return m_script ? m_done : !m_steps.empty() && m_nextStep == m_steps.size();
}

ModalDriver::Script ModalDriver::Post(UINT command)
{
    return [command](HWND window) { PostMessageA(window, WM_COMMAND, command, 0); };
}

ModalDriver::Script ModalDriver::End(INT_PTR result)
{
    return [result](HWND window) { EndDialog(window, result); };
}

ModalDriver::Script ModalDriver::Note(std::vector<std::string>& messages, HWND owner,
                                      const std::string& caption)
{
    return [&messages, owner, caption](HWND box) {
        if (owner != nullptr) {
            EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
        }
        if (!caption.empty()) {
            EXPECT_EQ(TextOf(box), caption);
        }
        std::string text;  // the message, beside the icon's and the button's texts
        for (const std::string& child : ChildTexts(box))
            text = child.size() > text.size() ? child : text;
        messages.push_back(text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
}

bool ModalDriver::Play(const std::string& caption, Script script, const std::function<void()>& open,
                       Script others)
{
    return ModalDriver().Expect(caption, std::move(script)).Others(std::move(others)).Run(open);
}

void ModalDriver::Cancelling(const std::function<void()>& open)
{
    ModalDriver().Run(open, 20);
}

std::vector<std::string> ModalDriver::Messages(const std::function<void()>& open, HWND owner,
                                               const std::string& caption)
{
    std::vector<std::string> messages;
    ModalDriver().Others(Note(messages, owner, caption)).Run(open);
    return messages;
}

INT_PTR RunModal(CDialog& dialog, const std::string& caption, ModalDriver::Script script,
                 ModalDriver::Script others)
{
    INT_PTR result = -3;
    EXPECT_TRUE(ModalDriver::Play(caption, std::move(script), [&] { result = dialog.DoModal(nullptr); },
                                  std::move(others)))
        << "the script never saw \"" << caption << "\"";
    return result;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    for (ModalDriver* driver : g_running)
        if (driver->m_timer == timer) {
            driver->OnTick();
            return;
        }
}

bool ModalDriver::FirstTime(HWND window)
{
    if (std::find(m_seen.begin(), m_seen.end(), window) != m_seen.end())
        return false;
    m_seen.push_back(window);
    return true;
}

// A script runs inside a tick, and a window it opens runs a nested loop in which the
// timer keeps firing: those ticks hand that window to the others' handler.
void ModalDriver::OnTick()
{
    const Shown shown = ThreadWindows();
    if (m_menus)
        for (HWND menu : shown.menus)
            if (FirstTime(menu))
                m_menus(menu);
    if (!m_steps.empty()) {
        PlayStep(shown.dialogs);
        return;
    }
    if (m_running || !m_script) {
        for (HWND window : shown.dialogs)
            if (window != m_dialog && IsWindowVisible(window) && FirstTime(window))
                (m_others ? m_others : Post(IDCANCEL))(window);
        return;
    }
    if (!m_done) {
        for (HWND window : shown.dialogs)
            if (IsWindowVisible(window) && TextOf(window) == m_caption) {
                m_dialog = window;
                m_running = true;
                m_script(window);
                m_running = false;
                m_done = true;
                return;
            }
        return;
    }
    if (IsWindow(m_dialog) && ++m_idleTicks == 200) {
        ADD_FAILURE() << "the dialog \"" << m_caption << "\" did not end";
        EndDialog(m_dialog, -2);
    }
}

void ModalDriver::PlayStep(const std::vector<HWND>& dialogs)
{
    if (m_nextStep == m_steps.size())
        return;
    HWND top = nullptr;
    for (HWND dialog : dialogs) {
        if (!IsWindowEnabled(dialog))
            continue;  // the owner while a message box is up
        if (m_firstDialog == nullptr)
            m_firstDialog = dialog;
        top = dialog;
    }
    if (top != nullptr && m_steps[m_nextStep](m_firstDialog, top))
        ++m_nextStep;
}

std::string TextOf(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> ChildTexts(HWND window)
{
    std::vector<std::string> texts;
    EnumChildWindows(window, AddText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}
