#pragma once
// A monkey for the whole game: random but reproducible player events on whichever screen is
// shown, weighted so that races start and run to the finish again and again.
#include <functional>
#include <random>
#include <vector>

#include <QString>

namespace race { class Form1; }
namespace ui { class Form; class TextBox; class Timer; }

struct NamedScreen {
    QString name;
    ui::Form* form;
};
// The seven screens of forms(), in the order Form1..Form7
std::vector<NamedScreen> allScreens();

class Monkey {
public:
    explicit Monkey(quint64 seed);

    // One event on one of the shown screens, described for the replay log
    QString play();
    // The program starts anew: every screen discarded, then the splash or the entry screen
    QString restart();

private:
    struct Action {
        double weight;
        std::function<QString()> run;
    };
    using Actions = std::vector<Action>;

    Actions raceScreen();
    Actions entryScreen();
    Actions resultsScreen();
    Actions closingScreen();
    Actions splashScreen();
    Actions pickerScreen();
    Actions creditsScreen();
    void addKeys(Actions&, ui::Form&, double playerKeyWeight);

    QString key(ui::Form&, int qtKey, int repeats = 0);
    int laneKey(race::Form1&);
    int otherKey();
    QString type(const QString& boxName, ui::TextBox&);
    QString paste(const QString& boxName, ui::TextBox&);
    QString pickDirectory();
    QString randomText(int maxLength);

    int below(size_t n) { return int(rng_() % n); }
    bool percent(int p) { return below(100) < p; }

    std::mt19937_64 rng_;
    double clockWeight_ = 12;  // of the race clock's ticks against the players' keys
    QString work_, scratch_;  // the working directory and the scratch folder holding it
};
