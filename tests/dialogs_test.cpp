#include "framework/dialogs/Dialog.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/FolderDialog.h"
#include "support/MainWindow.h"
#include "support/ModalDriver.h"
#include "support/TempDir.h"

#include <dlgs.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const int IDC_RUN = 1000;
const int IDC_NAME = 1001;
const INT_PTR GuardResult = 0x6A4D;  // what a dialog returns when the guard had to end it

// An in-memory dialog template, so the dialogs run without a resource script.
class DialogTemplate {
public:
    DialogTemplate(const wchar_t* title, bool withFont)
    {
        DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        if (withFont)
            style |= DS_SETFONT;
        Dword(style);
        Dword(0);
        m_countAt = m_words.size();
        Word(0);
        Word(0), Word(0), Word(200), Word(100);
        Word(0), Word(0);  // no menu, the dialog class
        Text(title);
        if (withFont) {
            Word(9);
            Text(L"MS Shell Dlg");
        }
    }

    void Add(WORD classAtom, WORD id, DWORD style, short x, short y, const wchar_t* text)
    {
        if (m_words.size() % 2)
            Word(0);  // items start on a DWORD boundary
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        Word(x), Word(y), Word(50), Word(14);
        Word(id);
        Word(0xFFFF), Word(classAtom);
        Text(text);
        Word(0);  // no creation data
        ++m_words[m_countAt];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) { Word(LOWORD(d)), Word(HIWORD(d)); }
    void Text(const wchar_t* s)
    {
        do
            Word(static_cast<WORD>(*s));
        while (*s++);
    }

    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

// OK first, so the initial focus lands on a button that reports nothing.
DialogTemplate StandardTemplate(bool withFont = false)
{
    DialogTemplate t(L"probe", withFont);
    t.Add(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 70, L"OK");
    t.Add(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 70, 70, L"Cancel");
    t.Add(0x0080, IDC_RUN, BS_PUSHBUTTON, 130, 70, L"Run");
    t.Add(0x0081, IDC_NAME, ES_AUTOHSCROLL | WS_BORDER, 10, 10, L"");
    return t;
}

class CEditProbe : public CWindow {
public:
    std::vector<WPARAM> chars;

protected:
    LRESULT OnChar(WPARAM wParam, LPARAM lParam) override
    {
        chars.push_back(wParam);
        return CWindow::OnChar(wParam, lParam);
    }
};

// Records which handlers ran, in order; its script plays the user from OnInitDialog.
class CProbeDlg : public CDialog {
public:
    CProbeDlg() : CDialog(4321) {}

    INT_PTR RunModal(const DialogTemplate& t)
    {
        return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), nullptr,
                                       SharedDialogProc(), reinterpret_cast<LPARAM>(this));
    }
    void Post(HWND target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        ::PostMessageA(target, message, wParam, lParam);
    }
    void PressKey(HWND target, UINT vk) { Post(target, WM_KEYDOWN, vk, 1); }

    std::vector<std::string> calls;
    std::vector<UINT> messages;
    std::function<void(CProbeDlg&)> script;
    bool refuseOK = false;
    HWND window = nullptr;
    LPARAM runButtonParam = 0;
    CEditProbe edit;
    CString textAtOK;
    LRESULT colorAnswer = 0;

protected:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return CDialog::WindowProc(hwnd, message, wParam, lParam);
    }
    LRESULT OnInitDialog(WPARAM, LPARAM) override
    {
        calls.push_back("OnInitDialog");
        window = GetHwnd();
        if (script)
            script(*this);
        return TRUE;
    }
    void OnOK() override
    {
        calls.push_back("OnOK");
        textAtOK = edit.GetHwnd() ? edit.GetWindowText() : CString();
        if (!refuseOK)
            CDialog::OnOK();
    }
    void OnCancel() override
    {
        calls.push_back("OnCancel");
        CDialog::OnCancel();
    }
    LRESULT OnClose(WPARAM wParam, LPARAM lParam) override
    {
        calls.push_back("OnClose");
        return CDialog::OnClose(wParam, lParam);
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        char line[48];
        std::snprintf(line, sizeof(line), "OnCommand %u/0x%x", LOWORD(wParam), HIWORD(wParam));
        calls.push_back(line);
        if (LOWORD(wParam) == IDC_RUN)
            runButtonParam = lParam;
        return 0;
    }
    LRESULT OnCtlColorDlg(WPARAM, LPARAM) override
    {
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
};

std::string Join(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& l : lines)
        all += "  " + l + "\n";
    return all;
}

#define EXPECT_CALLS(probe, ...)                                                  \
    do {                                                                          \
        const std::vector<std::string> expected{__VA_ARGS__};                     \
        EXPECT_EQ((probe).calls, expected) << "expected:\n" << Join(expected)     \
                                           << "actual:\n" << Join((probe).calls); \
    } while (0)

// A broken dialog must fail its test, not hang the run: the guard ends every dialog
// that is still open long after any script should have finished.
class DialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_guard.Others(ModalDriver::End(GuardResult)).Start(30000);
    }

private:
    ModalDriver m_guard;
};

}  // namespace

TEST_F(DialogTest, EnterOnTheDefaultButtonEndsWithOkThroughOnOK)
{
    CProbeDlg dlg;
    dlg.script = [](CProbeDlg& d) { d.PressKey(d.GetDlgItem(IDOK), VK_RETURN); };

    EXPECT_EQ(dlg.RunModal(StandardTemplate()), IDOK);
    EXPECT_CALLS(dlg, "OnInitDialog", "OnOK");
    EXPECT_FALSE(IsWindow(dlg.window));
    EXPECT_EQ(CWindowBase::FromHandle(dlg.window), nullptr);
}

TEST_F(DialogTest, EscEndsWithCancelThroughOnCancel)
{
    CProbeDlg dlg;
    dlg.script = [](CProbeDlg& d) { d.PressKey(d.GetDlgItem(IDC_NAME), VK_ESCAPE); };

    EXPECT_EQ(dlg.RunModal(StandardTemplate()), IDCANCEL);
    EXPECT_CALLS(dlg, "OnInitDialog", "OnCancel");
}

TEST_F(DialogTest, CloseBoxEndsWithCancelThroughOnCloseOnly)
{
    CProbeDlg dlg;
    dlg.script = [](CProbeDlg& d) { d.Post(d.GetHwnd(), WM_SYSCOMMAND, SC_CLOSE); };

    EXPECT_EQ(dlg.RunModal(StandardTemplate()), IDCANCEL);
    EXPECT_CALLS(dlg, "OnInitDialog", "OnClose");
}

TEST_F(DialogTest, OtherCommandsReachOnCommandWithFullParameters)
{
    CProbeDlg dlg;
    dlg.refuseOK = true;  // as a settings dialog does when it cannot save
    dlg.script = [](CProbeDlg& d) {
        d.Post(d.GetDlgItem(IDC_RUN), BM_CLICK);
        d.Post(d.GetDlgItem(IDOK), BM_CLICK);
        d.PressKey(d.GetDlgItem(IDC_NAME), VK_ESCAPE);
    };

    EXPECT_EQ(dlg.RunModal(StandardTemplate()), IDCANCEL);
    EXPECT_CALLS(dlg, "OnInitDialog", "OnCommand 1000/0x0", "OnOK", "OnCancel");
    EXPECT_NE(dlg.runButtonParam, 0);  // the button's own handle
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(dlg.runButtonParam)));  // gone with the dialog
}

TEST_F(DialogTest, BoundAtInitDialogWithNothingBefore)
{
    CProbeDlg dlg;
    bool boundInInit = false, itemIsButton = false;
    dlg.script = [&](CProbeDlg& d) {
        boundInInit = d.GetHwnd() != nullptr && CWindowBase::FromHandle(d.GetHwnd()) == &d;
        char cls[16] = "";
        GetClassNameA(d.GetDlgItem(IDOK), cls, sizeof(cls));
        itemIsButton = lstrcmpiA(cls, "Button") == 0;
        HDC dc = GetDC(d.GetHwnd());
        d.colorAnswer = SendMessageA(d.GetHwnd(), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(d.GetHwnd()));
        ReleaseDC(d.GetHwnd(), dc);
        d.PressKey(d.GetDlgItem(IDOK), VK_RETURN);
    };

    // With a font in the template the dialog manager sends WM_SETFONT before WM_INITDIALOG.
    EXPECT_EQ(dlg.RunModal(StandardTemplate(true)), IDOK);
    ASSERT_FALSE(dlg.messages.empty());
    EXPECT_EQ(dlg.messages.front(), static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(dlg.messages.back(), static_cast<UINT>(WM_DESTROY));
    EXPECT_TRUE(boundInInit);
    EXPECT_TRUE(itemIsButton);
    EXPECT_EQ(dlg.colorAnswer, reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)));
}

TEST_F(DialogTest, ControlBoundInInitDialogGetsItsMessages)
{
    CProbeDlg dlg;
    CWindow* childObject = nullptr;
    dlg.script = [&](CProbeDlg& d) {
        d.edit.Attach(d.GetDlgItem(IDC_NAME));
        childObject = d.GetChildObject(IDC_NAME);
        d.Post(d.edit.GetHwnd(), WM_CHAR, 'x', 1);
        d.Post(d.edit.GetHwnd(), WM_CHAR, 'y', 1);
        d.PressKey(d.GetDlgItem(IDOK), VK_RETURN);
    };

    EXPECT_EQ(dlg.RunModal(StandardTemplate()), IDOK);
    EXPECT_EQ(childObject, &dlg.edit);
    EXPECT_EQ(dlg.edit.chars, (std::vector<WPARAM>{'x', 'y'}));
    EXPECT_STREQ(dlg.textAtOK.GetString(), "xy");  // the edit's own procedure still ran
    EXPECT_CALLS(dlg, "OnInitDialog", "OnCommand 1001/0x400", "OnCommand 1001/0x300",
                 "OnCommand 1001/0x400", "OnCommand 1001/0x300", "OnOK");
}

TEST_F(DialogTest, MissingTemplateFailsWithoutReachingHandlers)
{
    CProbeDlg dlg;
    EXPECT_EQ(dlg.DoModal(nullptr), -1);
    EXPECT_EQ(dlg.DoModal("NO_SUCH_DIALOG", nullptr), -1);
    EXPECT_EQ(dlg.CreateModeless(nullptr), nullptr);
    EXPECT_TRUE(dlg.calls.empty());
    EXPECT_EQ(dlg.GetHwnd(), nullptr);
}

// ---- folder browser ----

namespace {

class CProbeFolderDlg : public CFolderDialog {
public:
    enum Answer { Choose, Cancel };
    explicit CProbeFolderDlg(Answer answer) : m_answer(answer) {}

    std::vector<UINT> browseMessages;  // callback messages, in order
    int selectionRequests = 0;
    bool titleShown = false;
    HWND window = nullptr;

protected:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == BFFM_SETSELECTIONA)
            ++selectionRequests;
        return CFolderDialog::WindowProc(hwnd, message, wParam, lParam);
    }
    LRESULT OnBrowseMessage(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) override
    {
        browseMessages.push_back(message);
        return CFolderDialog::OnBrowseMessage(hwnd, message, lParam, data);
    }
    LRESULT OnInitialized(LPARAM lParam, LPARAM data) override
    {
        window = GetHwnd();
        titleShown = Has(ChildTexts(window), "参照");
        const LRESULT result = CFolderDialog::OnInitialized(lParam, data);
        ::PostMessageA(window, WM_COMMAND, m_answer == Choose ? IDOK : IDCANCEL, 0);
        return result;
    }

private:
    Answer m_answer;
};

bool SamePath(const std::string& a, const std::string& b)
{
    char longA[MAX_PATH] = "", longB[MAX_PATH] = "";
    GetLongPathNameA(a.c_str(), longA, MAX_PATH);
    GetLongPathNameA(b.c_str(), longB, MAX_PATH);
    return longA[0] != '\0' && lstrcmpiA(longA, longB) == 0;
}

// Selects its folder by its wide path, which the A message cannot carry for a name
// outside the code page.
class CWideSelectionFolderDlg : public CProbeFolderDlg {
public:
    explicit CWideSelectionFolderDlg(const std::wstring& folder)
        : CProbeFolderDlg(Choose), m_folder(folder) {}

protected:
    LRESULT OnInitialized(LPARAM lParam, LPARAM data) override
    {
        ::SendMessageW(GetHwnd(), BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(m_folder.c_str()));
        return CProbeFolderDlg::OnInitialized(lParam, data);
    }

private:
    std::wstring m_folder;
};

HWND NameField(HWND dialog)
{
    HWND field = GetDlgItem(dialog, cmb13);
    return field ? field : GetDlgItem(dialog, edt1);
}

bool TypeNameAndConfirm(HWND dialog, const std::string& name)
{
    HWND field = NameField(dialog);
    return field != nullptr && SetWindowTextA(field, name.c_str()) && PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST_F(DialogTest, FolderBrowserOpensOnTheGivenFolderAndReturnsIt)
{
    TempDir docs(DocumentsFolder());
    const std::string folder = docs.MakeDir("表");  // its last byte is 0x5C
    CProbeFolderDlg browser(CProbeFolderDlg::Choose);

    ASSERT_TRUE(browser.Browse("参照", nullptr, CString(folder.c_str())));
    EXPECT_TRUE(browser.titleShown);
    EXPECT_EQ(browser.selectionRequests, 1);
    ASSERT_FALSE(browser.browseMessages.empty());
    EXPECT_EQ(browser.browseMessages.front(), static_cast<UINT>(BFFM_INITIALIZED));

    const CString first = browser.GetPath();
    EXPECT_TRUE(SamePath(first.GetString(), folder)) << first.GetString();
    EXPECT_STREQ(browser.GetPath().GetString(), first.GetString());  // asking again is harmless
    char buffer[MAX_PATH] = "";
    EXPECT_TRUE(browser.GetPath(buffer));
    EXPECT_STREQ(buffer, first.GetString());
    EXPECT_FALSE(IsWindow(browser.window));
}


TEST_F(DialogTest, FolderBrowserNeverReturnsALookAlikeOfTheChosenFolder)
{
    TempDir docs(DocumentsFolder());
    docs.MakeDir("cafe");  // what the A functions would turn café into
    const std::wstring cafe = Wide(docs.Path()) + L"\\caf\u00e9";
    ASSERT_TRUE(CreateDirectoryW(cafe.c_str(), nullptr));
    CWideSelectionFolderDlg browser(cafe);

    ASSERT_TRUE(browser.Browse("参照", nullptr, CString()));
    const CString path = browser.GetPath();
    ASSERT_FALSE(path.IsEmpty());
    EXPECT_NE(std::string(path.GetString()), docs / "cafe");
    wchar_t longPath[MAX_PATH] = L"";
    GetLongPathNameW(Wide(path.GetString()).c_str(), longPath, MAX_PATH);
    EXPECT_TRUE(lstrcmpiW(longPath, cafe.c_str()) == 0) << path.GetString();
}

TEST_F(DialogTest, FolderBrowserCancelledGivesNoPathAndSendsNoSelection)
{
    CProbeFolderDlg browser(CProbeFolderDlg::Cancel);

    EXPECT_FALSE(browser.Browse("参照", nullptr, CString()));
    EXPECT_NE(browser.window, nullptr);  // it did open
    EXPECT_EQ(browser.selectionRequests, 0);
    EXPECT_TRUE(browser.GetPath().IsEmpty());
    char buffer[MAX_PATH] = "untouched";
    EXPECT_FALSE(browser.GetPath(buffer));
    EXPECT_STREQ(buffer, "untouched");
}

// ---- file dialog ----


TEST_F(DialogTest, FileDialogRecordOffersOneFilterForAllFiles)
{
    const char title[] = "ファイルを開く";
    CFileDialog files(nullptr, title);
    const OPENFILENAMEA* r = files.GetRecord();

    if (sizeof(void*) == 4) {
        EXPECT_EQ(r->lStructSize, 88u);  // the size that carries FlagsEx
    }
    EXPECT_EQ(r->lpstrTitle, title);
    EXPECT_EQ(std::string(r->lpstrFilter, 20),
              std::string("\x91\x53\x82\xc4\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\0*.*\0\0", 20));
    EXPECT_EQ(r->Flags, static_cast<DWORD>(OFN_FILEMUSTEXIST));
    EXPECT_EQ(r->lpstrCustomFilter, nullptr);  // an empty one would hide the filter list
    ASSERT_NE(r->lpstrFile, nullptr);
    EXPECT_EQ(r->lpstrFile[0], '\0');
    EXPECT_EQ(r->nMaxFile, static_cast<DWORD>(MAX_PATH));
}

TEST_F(DialogTest, FileDialogCancelledChoosesNothing)
{
    CFileDialog files(nullptr, "ファイルを開く");
    std::string caption, filter;
    int filterCount = -1;
    ModalDriver driver({[&](HWND dialog, HWND) {
        caption = TextOf(dialog);
        HWND types = GetDlgItem(dialog, cmb1);
        filterCount = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
        char item[64] = "";
        SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
        filter = item;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});

    EXPECT_FALSE(files.GetOpenFileName());
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(CommDlgExtendedError(), 0u);  // a plain cancel, not an error
    EXPECT_EQ(files.GetRecord()->lpstrFile[0], '\0');
    EXPECT_EQ(caption, "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8a\x4a\x82\xad");
    EXPECT_EQ(filterCount, 1);
    EXPECT_EQ(filter, "\x91\x53\x82\xc4\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b");
}

TEST_F(DialogTest, FileDialogRefusesAMissingFileThenReturnsAnExistingOne)
{
    TempDir temp;
    const std::string existing = temp.MakeFile("表示.txt", "x");
    const std::string missing = temp / "無い.txt";
    CFileDialog files(nullptr, "ファイルを開く");
    bool refused = false;
    ModalDriver driver({
        [&](HWND dialog, HWND) { return TypeNameAndConfirm(dialog, missing); },
        [&](HWND dialog, HWND top) {
            if (top == dialog)
                return false;  // the refusal has not appeared yet
            refused = GetWindow(top, GW_OWNER) == dialog;
            PostMessageA(top, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&](HWND dialog, HWND top) { return top == dialog && TypeNameAndConfirm(dialog, existing); },
    });

    ASSERT_TRUE(files.GetOpenFileName());
    EXPECT_TRUE(driver.Finished());
    EXPECT_TRUE(refused);
    EXPECT_TRUE(SamePath(files.GetRecord()->lpstrFile, existing)) << files.GetRecord()->lpstrFile;
}

// The A dialog would give back rec.exe for réc.exe: another program.
TEST_F(DialogTest, FileDialogReturnsAPathThatReachesTheChosenFileNotItsLookAlike)
{
    TempDir temp;
    temp.MakeFile("rec.exe", "look-alike");
    temp.MakeFile("memo.tvr", "look-alike");
    // Each name by both forms: the object's own record (0, 1), and the caller's (2, 3).
    for (int form = 0; form < 4; ++form) {
        const std::wstring chosen = Wide(temp.Path()) + (form % 2 ? L"\\memo.tvr." : L"\\r\u00e9c.exe");
        HANDLE file = CreateFileW((L"\\\\?\\" + chosen).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        CFileDialog files(nullptr, "ファイルを開く");
        ModalDriver driver({[&](HWND dialog, HWND) {
            HWND field = NameField(dialog);
            SetWindowTextW(field, chosen.c_str());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return field != nullptr;
        }});
        char callers[MAX_PATH] = "";
        OPENFILENAMEA record = *files.GetRecord();
        record.lpstrFile = callers;
        ASSERT_TRUE(form < 2 ? files.GetOpenFileName() : files.GetOpenFileName(&record)) << form;
        EXPECT_EQ(files.GetRecord()->lpstrFile, form < 2 ? files.GetRecord()->lpstrFile : callers);
        wchar_t longPath[MAX_PATH] = L"";
        GetLongPathNameW(Wide(files.GetRecord()->lpstrFile).c_str(), longPath, MAX_PATH);
        EXPECT_EQ(lstrcmpiW(longPath, chosen.c_str()), 0) << form << " " << files.GetRecord()->lpstrFile;
        EXPECT_TRUE(files.GetRefusedName().IsEmpty());
    }
}

TEST_F(DialogTest, SaveDialogOnCallersRecordIsKeptForReading)
{
    TempDir temp;
    const std::string target = temp / "新規.txt";
    char name[MAX_PATH] = "";
    OPENFILENAMEA record = {};
    record.lStructSize = sizeof(record);
    record.lpstrFilter = "全てのファイル\0*.*\0";
    record.lpstrFile = name;
    record.nMaxFile = sizeof(name);
    record.lpstrTitle = "保存";
    CFileDialog files(nullptr, "ファイルを開く");
    ModalDriver driver({[&](HWND dialog, HWND) { return TypeNameAndConfirm(dialog, target); }});

    ASSERT_TRUE(files.GetSaveFileName(&record));
    EXPECT_EQ(files.GetRecord()->lpstrFile, name);
    EXPECT_EQ(lstrcmpiA(files.GetRecord()->lpstrFile, target.c_str()), 0) << files.GetRecord()->lpstrFile;
    EXPECT_EQ(files.GetRecord()->lpstrTitle, record.lpstrTitle);
}
