#pragma once
// What must hold after every event of play, whatever the events were.
#include <array>

#include <QString>

class GameInvariants {
public:
    explicit GameInvariants(QString bestTimeFile) : bestTimeFile_(std::move(bestTimeFile)) {}

    // The first rule found broken, or an empty text. An event that ended the program may leave no
    // screen shown.
    QString check(bool programEnded);

private:
    QString windows(bool programEnded) const;
    QString textBoxes() const;
    QString raceScreen() const;
    QString places();
    QString files() const;

    QString bestTimeFile_;
    std::array<int, 4> places_{};  // the lanes' places after the event before
};
