// The start-up logo: a borderless picture in the middle of the screen while
// the program builds its windows. Shown on construction, hidden and released
// on destruction.
#pragma once

#include <memory>

class QWidget;

namespace reversi::intro {

class StartUpLogo {
public:
    StartUpLogo();
    ~StartUpLogo();
    StartUpLogo(const StartUpLogo&) = delete;
    StartUpLogo& operator=(const StartUpLogo&) = delete;

    // The logo's window (for tests); null when there is no picture to show.
    QWidget* Window() const { return form_.get(); }

private:
    std::unique_ptr<QWidget> form_;
};

}  // namespace reversi::intro
