// The desktop's icon theme files for the installed game.
#pragma once

#include <QDir>

#include <functional>

class QPainter;

// Writes hicolor/NxN/apps/tapdash.png at every size launchers ask for, and
// hicolor/scalable/apps/tapdash.svg, under dir; paint draws the icon on a 32 x 32 square.
bool writeThemeIcons(const QDir& dir, const std::function<void(QPainter&)>& paint);
