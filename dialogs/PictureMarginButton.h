// A push button whose picture sits a fixed distance from its left edge, with
// the text following it, so that the pictures of a column of buttons line up.
#pragma once

#include <QPushButton>

namespace reversi {

class TPictureMarginButton : public QPushButton {
public:
    // margin: pixels between the left edge and the picture.
    TPictureMarginButton(int margin, QWidget* parent);

    int Margin() const { return margin_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int margin_;
};

}  // namespace reversi
