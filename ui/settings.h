#pragma once
// The player's settings, kept in a small file in their config folder
// ($XDG_CONFIG_HOME/APP/APP.conf, APP the application's name). A missing or broken file gives
// the defaults.

namespace ui::settings {

bool fullScreen();
void setFullScreen(bool);

bool muted();
void setMuted(bool);

}  // namespace ui::settings
