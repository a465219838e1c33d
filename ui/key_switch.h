#pragma once
// A key of the program's own, never a key of a screen (so never a false start): an application
// event filter that takes the key's presses and releases wherever they are headed and calls back on
// each press that is not the key's auto-repeat. It is switched in as it is made.
#include <functional>

#include <QObject>

namespace ui {

class KeySwitch : public QObject {
public:
    KeySwitch(int key, std::function<void()> pressed);

protected:
    bool eventFilter(QObject*, QEvent* event) override;

private:
    const int key_;
    const std::function<void()> pressed_;
};

}  // namespace ui
