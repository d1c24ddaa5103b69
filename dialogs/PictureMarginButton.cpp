#include "PictureMarginButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace reversi {

namespace {

// Pixels between the picture and the text.
constexpr int Spacing = 4;

}  // namespace

TPictureMarginButton::TPictureMarginButton(int margin, QWidget* parent)
    : QPushButton(parent), margin_(margin) {}

void TPictureMarginButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QIcon icon = option.icon;
    const QString text = option.text;
    // The style draws the frame and the focus; the picture and the text are placed here.
    option.icon = QIcon();
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QSize picture = iconSize();
    QRect pictureRect(margin_, (height() - picture.height()) / 2, picture.width(),
                      picture.height());
    QRect textRect(pictureRect.right() + 1 + Spacing, 0,
                   width() - pictureRect.right() - 1 - Spacing, height());
    if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
        const int dx = style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this);
        const int dy = style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this);
        pictureRect.translate(dx, dy);
        textRect.translate(dx, dy);
    }
    icon.paint(&painter, pictureRect, Qt::AlignCenter,
               isEnabled() ? QIcon::Normal : QIcon::Disabled);
    painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                         palette(), isEnabled(), text, QPalette::ButtonText);
}

}  // namespace reversi
