#pragma once

#include "windowkind.h"

// What other windows may ask of the tray host, the owner of the tray icon and
// its menu. Reached through Forms::load<TrayHostLink>().
class TrayHostLink
{
public:
    static constexpr WindowKind kind = WindowKind::TrayHost;

    // True while the icon the program put there stands in a notification area,
    // or waits out the grace for its area to come back.
    virtual bool isInTray() const = 0;
    virtual void setInTray(bool inTray) = 0;

    virtual bool isLoadOnStartupChecked() const = 0;
    virtual void setLoadOnStartupChecked(bool checked) = 0;

protected:
    ~TrayHostLink() = default;
};
