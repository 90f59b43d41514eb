#pragma once
#include "explorer/BrowseButton.h"
#include "explorer/ChildKeys.h"
#include "explorer/InputBoxEx.h"
#include "framework/controls/ListView.h"
#include "framework/controls/ToolBar.h"
#include "framework/core/TextList.h"
#include "framework/core/Window.h"
#include "framework/menus/Menu.h"

// The explorer's only top-level window: toolbar, path box, browse button, file list
// and the context menu. The path box's text is the current folder.
class CMainWnd : public CWindow {
public:
    explicit CMainWnd(const char* title);
    ~CMainWnd() override;
    DECLARE_RUNTIME_CLASS(CMainWnd)

    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    int GetIconId() override;

    virtual LRESULT OnListNotify(WPARAM wParam, NMHDR* header);
    virtual int OnBrowse();
    virtual int OnOpen();
    virtual int OnEdit();
    virtual int OnHome();
    virtual int OnUp();
    virtual int OnReload();
    virtual int OnOpenWith(int index);
    virtual int OpenFile(CString name);
    virtual int OpenFolder(CString name);
    virtual int Navigate(CString path);
    virtual int ListFolder();
    virtual int UpdateLauncherMenu();
    virtual CString JoinPath(CString base, CString name);
    virtual int FileExists(CString path);

    // The children, for whoever drives the window from outside (tests, automation).
    CInputBoxEx& PathBox() { return m_pathBox; }
    CListView& FileList() { return m_fileList; }
    CMenu& ContextMenu() { return m_contextMenu; }

protected:
    // Where the context menu opens: at the pointer (a click), or at the focused row (a key).
    enum class MenuAt { Pointer, FocusedRow };
    // Whether a folder that cannot be shown is explained to the user.
    enum class Refusal { Silent, Told };
    // The rows read from a folder and not yet shown, each a kind ('D' folder, 'F' file),
    // a verdict ('0' + the NameFault that keeps its name from reaching its entry, '0'
    // when none does) and the name; or why the folder cannot be listed. The verdict
    // becomes the row's item data.
    struct Listing {
        DWORD error = 0;
        CTextList rows;
    };

    void CreateMenuBar();
    void DestroyContextMenu();
    void CreateChildren(HINSTANCE instance);
    void ShowContextMenu(MenuAt where);
    int RunDialog(int command);
    LRESULT PaintRow(NMLVCUSTOMDRAW* draw);
    // The entries folder shows, or why it cannot be enumerated to the end. A folder with
    // no entry at all (an empty root) is read.
    Listing ReadFolder(const CString& folder);
    // Adds one listed entry to rows, with its verdict; false when memory ran out.
    virtual bool AddRow(CTextList& rows, const WIN32_FIND_DATAW& entry);
    // Replaces the list's rows by rows, read from folder.
    void FillList(const CString& folder, const CTextList& rows);
    // The first selected row's index, or -1; name and kind filled when found. A row
    // whose name cannot reach its entry also gives -1, and the user is told why: no
    // command may act on it.
    int GetSelectedEntry(CString& name, CString& kind);

    // Where a fresh listing leaves the keyboard: the rows named in selected are selected,
    // the focus is on focused (else the first selected row, else the first row) and top
    // is the first visible row (else the focused row is scrolled into view).
    struct ListPlace {
        CTextList selected;
        CString focused;
        CString top;
    };
    // The list's place now; empty when the path box no longer shows the listed folder,
    // as it then names some other folder.
    ListPlace CurrentPlace();
    // The entry that leads back to from: going up from C:\A\B lands on B.
    static ListPlace PlaceOfLeft(const CString& from);
    // Gives the keyboard to the child stop names, counted from the child from; the path
    // box gets it with its whole text selected, ready to be typed over.
    void MoveKeyboard(KeyboardStop stop, HWND from);
    // Puts the list at place and gives it the keyboard.
    void EnterList(const ListPlace& place);
    // Navigate, with the list put at place: 1 when shown, 0 when refused; told, a refusal
    // is explained in a message box and the path box goes back to the listed folder.
    int ShowFolder(const CString& path, const ListPlace& place, Refusal refusal);
    // The rows of folder, the full form of typed, or why it cannot be listed.
    Listing ReadListing(const CString& typed, const CString& folder);
    // Home, or the documents folder when home is missing; the start-up fallback is silent.
    int GoHome(Refusal refusal);

    CInputBoxEx m_pathBox;
    CBrowseButton m_browseButton;
    CListView m_fileList;
    CToolBar m_toolBar;
    CMenu m_contextMenu;
    // The folder the list's rows came from. The path box may have been edited since;
    // a row's name joined with that text would be another folder's entry.
    CString m_listedFolder;
    HMENU m_hContextMenuSource;  // the loaded menu whose first drop-down is the context menu
    HWND m_focusChild = nullptr;  // the child that gets the keyboard when the window does
};
