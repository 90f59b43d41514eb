#pragma once
#include "framework/dialogs/Dialog.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Plays a user at the modal windows that a call opens on this thread: dialogs, message
// boxes, the shell's browsers and popup menus. A thread timer fires inside their modal
// loops; each tick looks at what the thread shows.
class ModalDriver {
public:
    using Script = std::function<void(HWND window)>;
    // Gets the first dialog seen and the topmost enabled one; true moves on to the next.
    using Step = std::function<bool(HWND first, HWND top)>;

    ModalDriver() = default;
    // Plays steps from now on, every period ms (the file dialogs).
    explicit ModalDriver(std::vector<Step> steps, UINT period = 50)
    {
        Steps(std::move(steps));
        Start(period);
    }
    ~ModalDriver() { Stop(); }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // The first shown dialog titled caption gets script, once. Still open 200 ticks
    // after its script, it has hung: a failure, and it is ended with -2.
    ModalDriver& Expect(const std::string& caption, Script script)
    {
        m_caption = caption;
        m_script = std::move(script);
        return *this;
    }
    // Every other dialog shown, once each, while the expected dialog's script runs, or
    // at any time when nothing is expected. Without this they are cancelled.
    ModalDriver& Others(Script others) { m_others = std::move(others); return *this; }
    // Every popup menu shown, once each.
    ModalDriver& Menus(Script menus) { m_menus = std::move(menus); return *this; }
    // Steps played one per tick, in order, each until it answers true.
    ModalDriver& Steps(std::vector<Step> steps) { m_steps = std::move(steps); return *this; }

    // The timer runs from Start until Stop or the driver's end.
    void Start(UINT period = 10);
    void Stop();
    // Runs open with the timer running; true when the script or every step ran.
    bool Run(const std::function<void()>& open, UINT period = 10);
    bool Finished() const;

    // A script that posts the command to the window, as its button would.
    static Script Post(UINT command);
    // A script that ends a dialog with result, however it is stuck.
    static Script End(INT_PTR result);
    // A script that notes a box's message into messages and closes it with OK; given an
    // owner or a caption, a box owned or titled otherwise is a failure.
    static Script Note(std::vector<std::string>& messages, HWND owner = nullptr,
                       const std::string& caption = "");

    // Runs open with the dialog titled caption played by script and others given every
    // other dialog; false when the script never ran.
    static bool Play(const std::string& caption, Script script, const std::function<void()>& open,
                     Script others = nullptr);
    // Runs open with every dialog it shows cancelled.
    static void Cancelling(const std::function<void()>& open);
    // The messages of the boxes that open shows, each closed with OK (see Note).
    static std::vector<std::string> Messages(const std::function<void()>& open, HWND owner = nullptr,
                                             const std::string& caption = "");

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
    void OnTick();
    bool FirstTime(HWND window);
    void PlayStep(const std::vector<HWND>& dialogs);

    std::string m_caption;
    Script m_script, m_others, m_menus;
    std::vector<Step> m_steps;
    size_t m_nextStep = 0;
    HWND m_dialog = nullptr, m_firstDialog = nullptr;
    bool m_running = false, m_done = false;
    int m_idleTicks = 0;
    std::vector<HWND> m_seen;
    UINT_PTR m_timer = 0;
};

// DoModal of dialog under Play; a script that never ran is a failure.
INT_PTR RunModal(CDialog& dialog, const std::string& caption, ModalDriver::Script script,
                 ModalDriver::Script others = nullptr);

// What the user reads: a window's text, and those of its children in z order.
std::string TextOf(HWND window);
std::vector<std::string> ChildTexts(HWND window);
