#pragma once

// Hosting a user control: a control of the program's own, made of
// constituent controls on a surface of its own. The control raises its
// events to the host through Event members, keeps its design-time
// properties in the host's property store (ReadProperties and
// WriteProperties), tells the host when one of them changes
// (PropertyChanged), and sees the host's font as its ambient font.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/property_bag.h"
#include "runtime/win32/container.h"
#include "runtime/win32/label.h"

namespace runtime {

class UserControl : public WindowedControl, public Container {
public:
    UserControl(Container& host, std::string name, int index = -1);

    Form& OwningForm() override { return Parent().OwningForm(); }
    Container& Host() const { return Parent(); }

    // The host's side of persistence.
    void RestoreProperties(const PropertyBag& stored) { ReadProperties(stored); }
    PropertyBag SaveProperties() {
        PropertyBag bag;
        WriteProperties(bag);
        return bag;
    }
    // Raised with the property's name whenever the control reports a change.
    Event<std::string_view> PropertyChangedNotice;
    // The properties reported changed since the host last saved them.
    const std::vector<std::string>& ChangedProperties() const { return m_changed; }
    void ForgetChangedProperties() { m_changed.clear(); }

    // The host's font (the ambient font), as a description.
    FontDescription AmbientFont() const { return Host().ContainerFont()->Description(); }

    // Opaque shows the control's surface; transparent shows what lies behind
    // it (the host's background and windowless controls) in its place.
    BackStyle GetBackStyle() const { return m_back_style; }
    void SetBackStyle(BackStyle style);

    void CreateWindowIn(HWND parent) override;

protected:
    virtual void ReadProperties(const PropertyBag& /*stored*/) {}
    virtual void WriteProperties(PropertyBag& /*store*/) {}
    void PropertyChanged(std::string_view name);

    virtual void UserControl_Resize() {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_MouseDown(const MouseEventArgs&) {}
    virtual void UserControl_MouseMove(const MouseEventArgs&) {}
    virtual void UserControl_MouseUp(const MouseEventArgs&) {}

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;
    void ContainerMouseDown(const MouseEventArgs& args) override { UserControl_MouseDown(args); }
    void ContainerMouseMove(const MouseEventArgs& args) override { UserControl_MouseMove(args); }
    void ContainerMouseUp(const MouseEventArgs& args) override { UserControl_MouseUp(args); }
    void ContainerResized() override { UserControl_Resize(); }
    bool PaintsBackground(HDC dc) const override;

private:
    BackStyle m_back_style = BackStyle::Opaque;
    std::vector<std::string> m_changed;
};

} // namespace runtime
