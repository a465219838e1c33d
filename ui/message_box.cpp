#include "ui/message_box.h"

#include <QApplication>
#include <QBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextLayout>

#include "ui/display.h"
#include "ui/top_window.h"

namespace ui {

namespace {

// The width at which a text wraps at the designed size, and what a title bar holds beside the
// title, so that a narrow box's title is not cut: the window's icon and three buttons, on both
// sides where the title is centred (Qt's own title bars on Wayland)
constexpr int kWrapWidth = 500;
constexpr int kTitleBarRoom = 180;

// The OK mark of the button: the style's own (no icon theme is read, see main), made here from
// the style's pictures with their format named. Made by the style, each picture would go to a
// reader that first loads every image format plugin installed to ask it about PNG, over half a
// megabyte of code. Should the pictures ever be missing, the style makes the mark.
QIcon okMark()
{
    static const QIcon mark = [] {
        QIcon icon;
        for (int size : {16, 32, 128}) {
            QImageReader reader(
                QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-ok-%1.png").arg(size), "png");
            reader.setAutoDetectImageFormat(false);
            const QImage picture = reader.read();
            if (picture.isNull()) return QApplication::style()->standardIcon(QStyle::SP_DialogOkButton);
            icon.addPixmap(QPixmap::fromImage(picture));
        }
        return icon;
    }();
    return mark;
}

// The text broken into lines as it wraps at the designed size
QStringList linesOf(const QString& text, const QFont& font)
{
    QStringList lines;
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(wrapping);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(kWrapWidth);
            QString words = paragraph.mid(line.textStart(), line.textLength());
            while (words.endsWith(u' ')) words.chop(1);
            lines << words;
        }
        layout.endLayout();
    }
    return lines;
}

}  // namespace

MessageBox::MessageBox(const QString& text, const QString& title, TopWindow& over)
    : QDialog(&over), label_(new QLabel(this)), lines_(linesOf(text, over.display().dialogFont(1.0))), over_(over)
{
    setWindowTitle(title);
    // Never read as markup: a runner file's name is the player's.
    label_->setTextFormat(Qt::PlainText);
    label_->setText(lines_.join(u'\n'));
    QFont titleFont = over.display().dialogFont(1.0);
    titleFont.setBold(true);
    label_->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarRoom);

    // Made as the standard one is, but named "OK" where desktop themes say "&OK": a plain O, which a
    // screen may use as a key of its own, would then press it. Without a mnemonic only Return,
    // Enter, Space, Escape and a click close the box.
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    if (style()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons, nullptr, this)) ok->setIcon(okMark());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addLayout(buttons);
    // As big as what it holds, whatever the zoom: a change of font or measures sizes it again.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    over_.installEventFilter(this);
    fit();
}

void MessageBox::fit()
{
    layout()->activate();
    centre();
}

void MessageBox::centre()
{
    // On the middle of the window it is over, where the scene's middle is too; the frame left out
    const QPoint frame = frameGeometry().topLeft() - geometry().topLeft();
    move(over_.mapToGlobal(over_.rect().center()) - rect().center() + frame);
}

void MessageBox::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fit();
}

void MessageBox::resizeEvent(QResizeEvent*) { centre(); }

bool MessageBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &over_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) centre();
    return false;
}

}  // namespace ui
