#pragma once

// A form: a top-level window of the program with its controls. It loads
// without showing (its window and controls are made, then Form_Load runs),
// shows modeless or modal, and unloads through an unload request that may be
// cancelled (Form_QueryUnload) and the unload itself (Form_Unload). The
// caption is the title other programs find the window by. Position and size
// are in twips; the scale of the inside may be pixels.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "runtime/win32/container.h"

namespace runtime {

enum class BorderStyle {
    None,        // no border, no caption bar: the client area is the window
    FixedSingle, // caption bar and a thin border
    Sizable,
    FixedDialog,
};

// Why a form is being unloaded.
enum class UnloadReason {
    ControlMenu = 0, // the window's close command, or WM_CLOSE from anywhere
    Code = 1,        // the program unloads it
    AppWindows = 2,  // the user is logging off or shutting the system down
    TaskManager = 3,
    MdiForm = 4,
    Owner = 5,
};

class Form : public Container {
public:
    Form();
    ~Form() override;

    Form& OwningForm() override { return *this; }
    HWND Hwnd() const { return ContainerWindow(); }

    // Loads the form (makes the window and controls, hidden, then runs
    // Form_Load); true when it is loaded. Loading a loaded form does nothing.
    bool Load();
    bool IsLoaded() const { return m_loaded; }
    // While Form_Load runs; timer ticks wait for its end.
    bool IsLoading() const { return m_loading; }
    // Shows the form without waiting (loading it first when needed).
    void Show();
    // Shows the form and waits until it has been unloaded; the program's
    // other forms take no input meanwhile.
    void ShowModal();
    void Hide();
    // Asks Form_QueryUnload and Form_Unload, then destroys the window; false
    // when a handler cancelled.
    bool Unload(UnloadReason reason = UnloadReason::Code);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string_view caption); // UTF-8
    BorderStyle GetBorderStyle() const { return m_border; }
    void SetBorderStyle(BorderStyle border); // before the form loads
    void SetIcon(HICON icon);
    // The window the form's window is owned by (before the form loads): it
    // stays above its owner. Null: a window of its own.
    void SetOwner(HWND owner) { m_owner = owner; }

    // The window's position and outer size, in twips (relative to the parent
    // window for a form that has been made a child).
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void Move(double left, std::optional<double> top = std::nullopt,
              std::optional<double> width = std::nullopt,
              std::optional<double> height = std::nullopt);
    // Sizes the window so that its client area is width x height twips.
    void SetClientSize(double width, double height);

protected:
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(bool& /*cancel*/, UnloadReason /*reason*/) {}
    virtual void Form_Unload(bool& /*cancel*/) {}
    virtual void Form_MouseDown(const MouseEventArgs&) {}
    virtual void Form_MouseMove(const MouseEventArgs&) {}
    virtual void Form_MouseUp(const MouseEventArgs&) {}
    // The window moved to a monitor of another scaling: its new dots per
    // inch and the window rectangle the system suggests for it there.
    virtual void Form_DpiChanged(int /*dpi*/, const RECT& /*suggested*/) {}

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;
    void ContainerMouseDown(const MouseEventArgs& args) override { Form_MouseDown(args); }
    void ContainerMouseMove(const MouseEventArgs& args) override { Form_MouseMove(args); }
    void ContainerMouseUp(const MouseEventArgs& args) override { Form_MouseUp(args); }
    void ContainerResized() override;

private:
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;
    void WindowDestroyed();

    std::string m_caption;
    BorderStyle m_border = BorderStyle::Sizable;
    HICON m_icon = nullptr;
    HWND m_owner = nullptr;
    RECT m_rect{0, 0, 320, 240}; // pixels, kept while there is no window
    bool m_loaded = false;
    bool m_loading = false;
    bool m_unloading = false;
    bool m_shown_once = false;
};

} // namespace runtime
