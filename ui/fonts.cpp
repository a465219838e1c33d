#include "ui/fonts.h"

#include <QApplication>
#include <QStringList>

#include "ui/units.h"

namespace ui {

void installFonts()
{
    struct Substitute { const char* face; const char* first; const char* second; };
    static const Substitute substitutes[] = {
        {"Comic Sans MS", "Comic Neue", "DejaVu Sans"},
        {"CartoonArt", "Comic Neue", "DejaVu Sans"},
        {"Arial Black", "Liberation Sans", "DejaVu Sans"},
        {"MS Sans Serif", "Liberation Sans", "DejaVu Sans"},
        {"Times New Roman", "Liberation Serif", "DejaVu Serif"},
        {"Chromalloy", "DejaVu Sans Mono", "Liberation Mono"},
        {"Pequod", "Liberation Serif", "DejaVu Serif"},
    };
    for (const Substitute& s : substitutes)
        QFont::insertSubstitutions(QString::fromLatin1(s.face),
                                   QStringList{QString::fromLatin1(s.first), QString::fromLatin1(s.second)});
    QApplication::setFont(unshaped(QApplication::font()));
}

QFont makeFont(const FontSpec& spec, double zoom)
{
    QFont font(spec.face);
    font.setPixelSize(qMax(1, qRound(pointsToPixels(spec.points) * zoom)));
    // Arial Black is a heavy face in itself; its stand-in gets the weight from here.
    const int weight = spec.face == QLatin1String("Arial Black") ? 900 : spec.weight;
    font.setWeight(QFont::Weight(weight));
    font.setItalic(spec.italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return unshaped(font);
}

QFont unshaped(QFont font)
{
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    font.setKerning(false);
    return font;
}

}  // namespace ui
