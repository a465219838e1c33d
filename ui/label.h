#pragma once
// A label: text drawn on the screen's surface, transparent unless made opaque. Unless fixed in
// size it sizes itself to its caption, staying anchored at the side its alignment names. Given a
// halo colour, it outlines its caption's glyphs in it wherever the picture beneath would leave
// the caption hard to read (ui/halo.h).
#include <memory>

#include <QColor>
#include <QString>

#include "ui/control.h"
#include "ui/fonts.h"

class QWidget;

namespace ui {

class Label : public Control {
public:
    enum class Align { Left, Right, Centre };

    Label(QWidget* parent, double twipsPerUnit);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);

    // Design properties, chained on a design line
    Label& font(const FontSpec&);
    Label& fore(const QColor&);
    Label& back(const QColor&);  // makes the label opaque
    Label& align(Align);
    Label& centred() { return align(Align::Centre); }
    Label& rightAligned() { return align(Align::Right); }
    Label& fixedSize();
    Label& wraps();  // fixed size, text wrapped over several lines
    Label& border();
    Label& hidden();
    Label& halo(const QColor&);

    // A hidden copy with the same look, for a new element of a control array
    std::unique_ptr<Label> cloneHidden(QWidget* parent) const;

protected:
    QRect pixelRect(QRect designedBox) const override;
    void followZoom() override { restyle(); }

private:
    class Text;
    void restyle();
    int haloMargin() const;  // pixels the widget reaches past the caption for its halo

    Text* label_;
    double twipsPerUnit_;
    QString caption_;
    QColor fore_, back_, halo_;
    bool opaque_ = false, autoSize_ = true, wraps_ = false, border_ = false;
    Align align_ = Align::Left;
};

}  // namespace ui
