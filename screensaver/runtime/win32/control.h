#pragma once

// Controls on a container (a form, a picture box or a user control).
// Controls are made together with their container object, before it loads;
// geometry is in the container's scale units and kept in pixels.
//
// Windowless controls (labels, images, shapes) are painted by their
// container and get their mouse events from it; windowed controls (picture
// boxes, combo boxes, user controls) have a child window of their own.

#include <windows.h>

#include <optional>
#include <string>

#include "runtime/win32/events.h"

namespace runtime {

class Container;

class Control {
public:
    Control(Container& container, std::string name, int index);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return m_name; }
    int Index() const { return m_index; } // in a control array, else -1
    Container& Parent() const { return m_container; }

    // Geometry in the container's scale units.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void Move(double left, std::optional<double> top = std::nullopt,
              std::optional<double> width = std::nullopt,
              std::optional<double> height = std::nullopt);

    // Pixels, in the container's client coordinates.
    const RECT& Bounds() const { return m_bounds; }
    void SetBounds(const RECT& bounds);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

protected:
    virtual void BoundsChanged(const RECT& old_bounds) = 0;
    virtual void VisibilityChanged() = 0;
    virtual void EnabledChanged() = 0;

private:
    Container& m_container;
    std::string m_name;
    int m_index;
    RECT m_bounds{0, 0, 0, 0};
    bool m_visible = true;
    bool m_enabled = true;
};

class WindowlessControl : public Control {
public:
    WindowlessControl(Container& container, std::string name, int index);
    ~WindowlessControl() override;

    Event<const MouseEventArgs&> MouseDown;
    Event<const MouseEventArgs&> MouseMove;
    Event<const MouseEventArgs&> MouseUp;
    Event<> Click; // a left button pressed and released over the control

    // The cursor shown over the control (its own mouse icon); null for the default.
    void SetMouseIcon(HCURSOR cursor) { m_mouse_icon = cursor; }
    HCURSOR MouseIcon() const { return m_mouse_icon; }

    // Draws the control into dc (the container's client coordinates).
    virtual void Paint(HDC dc) const = 0;
    // Whether the control takes the mouse at a point of its bounds.
    virtual bool TakesMouse() const { return Visible() && Enabled(); }

protected:
    void Invalidate() const;
    void BoundsChanged(const RECT& old_bounds) override;
    void VisibilityChanged() override { Invalidate(); }
    void EnabledChanged() override { Invalidate(); }

private:
    HCURSOR m_mouse_icon = nullptr;
};

class WindowedControl : public Control {
public:
    WindowedControl(Container& container, std::string name, int index);
    ~WindowedControl() override;

    HWND Hwnd() const { return m_window; }

    // Called by the container: make the window now that the container's
    // window exists; the window has gone with the container's.
    virtual void CreateWindowIn(HWND parent) = 0;
    void WindowGone() { m_window = nullptr; }

    // A notification (WM_COMMAND code) the control's window sent to its container.
    virtual void Notified(int /*code*/) {}
    // The brush for the control's background colour (WM_CTLCOLOR*), or null.
    virtual HBRUSH BackgroundBrush(HDC /*dc*/) { return nullptr; }

protected:
    // Takes a new window on: geometry, visibility and enabled state applied.
    void Attach(HWND window);
    void BoundsChanged(const RECT& old_bounds) override;
    void VisibilityChanged() override;
    void EnabledChanged() override;

private:
    HWND m_window = nullptr;
};

} // namespace runtime
