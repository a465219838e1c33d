#pragma once
// The maker's web address, shown by the closing and the credits screens.
#include <QString>

namespace presentation {

inline const QString kMakerAddress = QStringLiteral("www.tapdash.example");

}  // namespace presentation
