#pragma once

namespace vistrel {

/// The program's icon in the notification area.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    virtual void SetVisible(bool visible) = 0;
    /// Minimises the program to the tray; nothing when it is there already.
    virtual void Minimize() = 0;
};

}  // namespace vistrel
