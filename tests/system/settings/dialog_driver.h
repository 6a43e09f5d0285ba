#pragma once

// Driving the settings dialog of a real Velmoran.scr /c the way a user does:
// a folder of its own with both programs and a settings file, the dialog's
// controls found where its layout puts them, real mouse and keyboard input,
// and the settings file's bytes afterwards.

#include <windows.h>

#include <optional>
#include <string>

#include "program_runner.h"
#include "texts/program_texts.h"

namespace velmoran_test {

// A settings file's bytes: the section and the keys given (UTF-8 names and
// values), as the profile functions write them with the keys in Shift-JIS;
// the display choices' keys last, when they are given.
std::string SettingsBytes(const std::string& kind, const std::string& repeat,
                          const std::string& file, const char* keep = nullptr,
                          const char* every = nullptr, const char* thunder = nullptr);

// Velmoran.scr and Velmoran.dll copied into folder (made when needed), with
// the settings file holding settings, or no settings file when it is empty.
void PrepareProgramFolder(const std::string& folder, const std::string& settings);
std::optional<std::string> ReadFileBytes(const std::string& path);

// Pixels on this screen for a length in twips.
int Px(double twips);

class SettingsDialog {
public:
    // Starts folder\Velmoran.scr with arguments (/c) and waits for the dialog.
    bool Open(const std::string& folder, const std::string& arguments = "/c");
    HWND Window() const { return m_window; }
    ChildProcess& Process() { return m_process; }

    // Screen pixels of a point given in twips of the client area, or of the
    // music panel (its controls are placed in the panel).
    POINT OnForm(double x, double y) const;
    POINT OnPanel(double x, double y) const;
    // The child windows: the music panel, the display panel, the track box,
    // and the three buttons.
    HWND Panel() const;
    HWND DisplayPanel() const;
    HWND TrackBox() const;
    HWND FileButton() const;
    HWND SetButton() const;
    HWND CancelButton() const;

    // A click of the left button at a screen point; keys typed as text;
    // one key pressed and let go.
    static void Click(POINT at);
    static void ClickMiddle(HWND window);
    static void Type(const std::wstring& text);
    static void Press(WORD virtual_key);

    std::wstring TrackBoxText() const;
    // Clears the track box and types text into it.
    void TypeTrack(const std::wstring& text);

    // Clicks a button and waits for the program to end; its exit code.
    std::optional<DWORD> ClickAndWaitForEnd(HWND button);

private:
    HWND Child(const wchar_t* class_name, HWND parent, int nth = 0) const;

    ChildProcess m_process;
    HWND m_window = nullptr;
};

// The text the dialog shows for key in this session's interface language.
std::wstring ShownText(TextKey key);

// The file chooser's window, once it is open; null on timeout.
HWND WaitForChooser();
// The file type the chooser offers.
std::wstring ChooserFileType(HWND chooser);

} // namespace velmoran_test
