#pragma once

// What forms, picture boxes and user controls share: a window that holds
// controls and paints itself (background colour and picture, or the retained
// image, then the windowless controls), its scale, its font, and the drawing
// operations on its retained image.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/mouse_routing.h"
#include "runtime/twips.h"
#include "runtime/win32/control.h"
#include "runtime/win32/events.h"
#include "runtime/win32/font.h"
#include "runtime/win32/picture.h"
#include "runtime/win32/retained_image.h"

namespace runtime {

class Form;
class Timer;

class Container {
public:
    Container();
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    // The window the controls live in; null until it is made.
    HWND ContainerWindow() const { return m_window; }
    // The form at the top of the containers.
    virtual Form& OwningForm() = 0;

    // Scale: the units of the controls' geometry and of the drawing operations.
    ScaleMode GetScaleMode() const { return m_scale_mode; }
    void SetScaleMode(ScaleMode mode) { m_scale_mode = mode; }
    Scale CurrentScale() const;
    int ToPixels(double units) const { return CurrentScale().ToPixels(units); }
    double FromPixels(int pixels) const { return CurrentScale().FromPixels(pixels); }
    // The client area in scale units.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // The client area in pixels.
    SIZE ClientSize() const;

    COLORREF BackColor() const { return m_back_colour; }
    void SetBackColor(COLORREF colour);
    // Drawn at the top-left corner over the background colour, unscaled.
    const PictureRef& BackgroundPicture() const { return m_picture; }
    void SetBackgroundPicture(PictureRef picture);
    // The font new labels start with and user controls see as the ambient font.
    const FontRef& ContainerFont() const { return m_font; }
    void SetContainerFont(FontRef font) { m_font = std::move(font); }

    // With a retained image, what is drawn stays until it is cleared and the
    // window repaints from it; the image starts as the background.
    bool AutoRedraw() const { return m_auto_redraw; }
    void SetAutoRedraw(bool auto_redraw);
    // The retained image's device context (null without a retained image).
    HDC hDC() const;
    // Clears the retained image to the background colour and picture.
    void Cls();
    // Repaints the window now.
    void Refresh();
    // A line of one pixel's width from (x1, y1) to (x2, y2), scale units.
    void Line(double x1, double y1, double x2, double y2, COLORREF colour);
    // Copies a rectangle of a picture onto the retained image (or the window),
    // stretched to the destination; omitted sizes take the picture's.
    void PaintPicture(const Picture& picture, double x, double y,
                      std::optional<double> width = std::nullopt,
                      std::optional<double> height = std::nullopt, double source_x = 0,
                      double source_y = 0, std::optional<double> source_width = std::nullopt,
                      std::optional<double> source_height = std::nullopt);
    // Saves the retained image's client-sized part as a BMP file at the
    // display's colour depth (ANSI path); false when it could not be written.
    bool SaveImage(const std::string& ansi_path) const;

    // Repaints (part of) the window.
    void Invalidate(const RECT* pixels = nullptr) const;

    // The controls, in the order they were made (the painting order).
    const std::vector<Control*>& Controls() const { return m_controls; }
    void Adopt(Control* control);
    void Release(Control* control);
    void AdoptTimer(Timer* timer);
    void ReleaseTimer(Timer* timer);

    // Paints the background and the windowless controls into dc as the
    // window shows them (client coordinates).
    void Render(HDC dc) const;

    // Raises the ticks this container's timers (and those of the containers
    // inside it) held back while the form loaded.
    void DeliverHeldTicks();

protected:
    // Container windows' procedure: finds the container attached to the
    // window in WM_NCCREATE and hands the message to HandleMessage.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    // Registers a window class for containers once; returns its name.
    static const wchar_t* RegisterContainerClass(const wchar_t* class_name);
    // Makes the window of a container that is itself a control (a picture box,
    // a user control) inside parent, attached to this container.
    HWND MakeChildWindow(HWND parent, const wchar_t* class_name, DWORD ex_style, DWORD style,
                         const RECT& bounds);

    // The messages every container handles; derived containers handle their
    // own first and pass the rest here.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    // The container's own mouse events, where no windowless control took them.
    virtual void ContainerMouseDown(const MouseEventArgs&) {}
    virtual void ContainerMouseMove(const MouseEventArgs&) {}
    virtual void ContainerMouseUp(const MouseEventArgs&) {}
    virtual void ContainerResized() {}
    // Paints what lies under the container's own background (transparent user controls).
    virtual bool PaintsBackground(HDC /*dc*/) const { return false; }

    // The window has been made: make the controls' windows, start the timers.
    void WindowMade(HWND window);
    // The window is going: the controls' windows go with it, the timers stop.
    void WindowGoing();
    void Detach();

private:
    void PaintWindow(HWND window);
    void MouseMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void DeliverMouse(WindowlessControl* target, MouseAction action, const MouseEventArgs& args);
    std::vector<WindowlessControl*> WindowlessControls() const;
    WindowlessControl* ControlAt(POINT point) const;
    bool SetCursorFor(HWND window);
    void ClearImage();
    void ResizeImage();

    HWND m_window = nullptr;
    ScaleMode m_scale_mode = ScaleMode::Twips;
    COLORREF m_back_colour = 0x8000000F; // the system's button face
    PictureRef m_picture;
    FontRef m_font;
    bool m_auto_redraw = false;
    std::unique_ptr<RetainedImage> m_image;
    std::vector<Control*> m_controls;
    std::vector<Timer*> m_timers;
    WindowlessControl* m_captured = nullptr; // took a button press; gets moves and the release
    mutable GdiObject<HBRUSH> m_back_brush;
};

} // namespace runtime
