#pragma once
// A control of a screen: a named element of a design with a position in its screen's scale unit.
// Widget-backed kinds keep their widget's geometry and font in step with their screen's zoom
// (kinds that draw themselves do so on a ui::Canvas); timers and picture clips have none.
#include <functional>

#include <QPalette>
#include <QRect>

#include "ui/fonts.h"
#include "ui/units.h"

class QWidget;

namespace ui {

class Control {
public:
    enum class Layer { None, Surface, Windowed };

    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void setLeft(float left) { left_ = left; place(); }
    void setTop(float top) { top_ = top; place(); }

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    virtual bool Enabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);

    // The focus order among the screen's windowed controls: the last property on a design line
    Control& tab(int index) { tab_ = index; return *this; }
    int tabIndex() const { return tab_; }
    Layer layer() const { return layer_; }
    QWidget* widget() const { return widget_; }

    // Follows the zoom of the control's screen: place, size, font and whatever else of the look
    // the kind scales (followZoom)
    void rezoom();

    // The event this kind raises (Click, Change or Timer); set by the screen that owns it.
    std::function<void()> event;
    void raiseEvent() const { if (event) event(); }

protected:
    Control(QWidget* widget, Layer layer, double twipsPerUnit);
    // Geometry in twips, as the design gives it.
    void setDesignedRect(int left, int top, int width, int height);
    friend class Design;
    template <class> friend class Array;

    // Where the widget goes for the control's box in pixels; kinds that size themselves adjust it.
    virtual QRect pixelRect(QRect designedBox) const { return designedBox; }
    // A look that scales with the zoom beyond place, size and font (a frame's width)
    virtual void followZoom() {}
    void place();
    // The widget's font as designed (until set, the design's default), drawn at the screen's zoom
    void setFont(const FontSpec&);
    const FontSpec& fontSpec() const { return font_; }
    // The widget's text and fill colours, the same whether it is active, inactive or disabled
    void setColors(QPalette::ColorRole textRole, const QColor& text, QPalette::ColorRole fillRole, const QColor& fill);

private:
    QWidget* widget_;
    Layer layer_;
    double twipsPerUnit_;
    FontSpec font_;
    int tab_ = -1;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
};

}  // namespace ui
