// The calculator's window on Windows: the form of resource 102 driven by the Win32 API. It
// shows what the calculator in core returns and passes on what the user does; every rule is
// core's.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Calculator.h"

namespace quorbit1::windows {

class CWorkingWindow;

class CQuorbit1Dlg {
public:
    explicit CQuorbit1Dlg(HINSTANCE instance);
    ~CQuorbit1Dlg();
    CQuorbit1Dlg(const CQuorbit1Dlg&) = delete;
    CQuorbit1Dlg& operator=(const CQuorbit1Dlg&) = delete;

    // Makes the window, hidden; nullptr when Windows could not.
    HWND Create();
    // Shows it and handles the user's input until Exit; the program's exit code.
    int Run(int show);

private:
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCommand(int id);

    void InitCommon();
    BOOL OnInitDialog();
    bool UpdateData(bool save);
    void OnOK();
    void OnCancel();
    void OnInputChanged();
    void OnAboutBox();
    void OnLittleHelp();
    void OnSysAbout();
    void OnShowWorking();
    void OnVariables();
    void OnClearHistory();
    void UpdateWorking();
    void Recall(int step);
    void MarkCharacter(int bytePos);
    void ShowFormMenu(POINT at);
    void PaintIcon();
    std::wstring TooLongMessage() const;

    // Layout: the window may be made wider, never narrower nor taller than the form.
    void CaptureLayout();
    void Layout();
    SIZE FormSize() const;
    void RestorePlace();
    void SavePlace() const;
    void PlaceWorkingWindow(bool opening);

    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }

    int m_defaultAngle = 0;
    int m_inputError = 0;
    std::string m_errorText;
    Calculator m_calculator;
    std::wstring m_input;
    std::wstring m_errors;
    double m_answer = 0.0;
    int m_angle = -1;
    HICON m_hIcon = nullptr;
    HICON m_hIconSmall = nullptr;

    HINSTANCE m_instance;
    HWND m_hWnd = nullptr;
    HACCEL m_accelerators = nullptr;
    std::unique_ptr<CWorkingWindow> m_working;
    std::wstring m_inputBefore;  // the expression before an edit that made it too long
    bool m_takingBack = false;

    struct Laid {
        int id;
        RECT base;   // in the client area at m_baseDpi, for the form's own width
        bool grows;  // wider with the window, else moves right with its right edge
    };
    std::vector<Laid> m_laid;
    SIZE m_baseWindow{};
    int m_baseClientWidth = 0;
    UINT m_baseDpi = 0;
};

}  // namespace quorbit1::windows
