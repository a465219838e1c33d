#pragma once
// The player's own folders, as the XDG base-directory rules give them.
#include <QString>

namespace disk {

// $variable when it holds an absolute path (a relative one is ignored, as the rules ask), else
// $HOME/homeFallback; empty when HOME is not an absolute path either.
QString xdgFolder(const char* variable, const QString& homeFallback);

}  // namespace disk
