#pragma once
// Fonts as the designs give them: a face, a size in points, a weight and an italic flag.
#include <QFont>
#include <QString>

namespace ui {

struct FontSpec {
    QString face = QStringLiteral("MS Sans Serif");
    double points = 8.25;
    int weight = 400;  // 400 normal, 700 bold, 800 extra bold
    bool italic = false;
};

inline FontSpec bold(QString face, double points) { return {std::move(face), points, 700, false}; }
inline FontSpec plain(QString face, double points) { return {std::move(face), points, 400, false}; }

// Maps the designed faces onto the stand-ins Debian ships, and makes the application's own font
// (message boxes) unshaped too; call once before any screen loads.
void installFonts();

// A font sized in pixels for 96 dots per inch, times a screen's zoom; unshaped.
QFont makeFont(const FontSpec&, double zoom = 1.0);

// The font laid out letter by letter, as the designs' text was drawn: Latin text is neither shaped
// (no ligatures) nor kerned. The fonts' shaping tables then stay unread, where every font size kept
// its own copies of them, about 80 KB a size.
QFont unshaped(QFont);

}  // namespace ui
