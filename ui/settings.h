#pragma once
// The player's settings, kept in a small file in their config folder
// ($XDG_CONFIG_HOME/APP/APP.conf, APP the application's name; a relative XDG_CONFIG_HOME is
// ignored) by the rules of disk/plain_file.h: whatever has the file's name, nothing waits on it,
// nothing larger than a settings file is read, and a change replaces the file whole, never
// writing through a link. A missing, odd or broken file gives the defaults; a change that cannot
// be stored is said on standard error and holds for this run.
// A setting is one flag: a getter and a setter over its key.

namespace ui::settings {

bool fullScreen();
void setFullScreen(bool);

bool muted();
void setMuted(bool);

}  // namespace ui::settings
