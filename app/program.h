#pragma once
// What the game calls itself where a player sees it, besides its screens' own captions.
#include <QString>

inline const QString kProgramTitle = QStringLiteral("Tapdash");  // the title of its message boxes
inline const QString kProgramIcon = QStringLiteral(":/assets/tapdash.ico");
