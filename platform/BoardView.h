// The board on screen: a widget that shows the back buffer one to one at
// (2, 2) inside two one-pixel 3D frames that make the board look sunk into
// the window. It implements BoardPresenter for the board painting code; what
// is on screen is kept in a top-down QImage, and painting happens only in
// paintEvent, which never composes the board (that is DrawBoard's job).
//
// The widget takes the size of the buffer plus its frames (532 x 532 on the
// 8 x 8 field, 534 x 534 on the 10 x 10 field) when a buffer of a new size is
// presented. Its own coordinates are the board area's: the square in column x
// and row y (from the top) lies at (22 + x S, 22 + y S). Mouse tracking is on,
// so an event filter or subclass sees every mouse move over the board.
#pragma once

#include <QImage>
#include <QWidget>

#include "BoardPresenter.h"

namespace reversi::platform {

class BoardView : public QWidget, public graphics::BoardPresenter {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void PresentBuffer(const graphics::TMemBlock& back) override;
    void PresentRect(const graphics::TMemBlock& back, graphics::ScreenRect rect) override;

    // What is on screen inside the frames (top-down, Format_RGB32).
    const QImage& Screen() const { return screen_; }
    QSize sizeHint() const override;

signals:
    // Emitted once, after the first paint (the window starts its tip timer).
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Resize(int width, int height);
    void DrawFrames(class QPainter& painter) const;

    QImage screen_;
    bool painted_ = false;
};

}  // namespace reversi::platform
