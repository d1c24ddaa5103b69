#include "DialogIcons.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>

namespace reversi {

QIcon ClearIcon() {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(176, 24, 24), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    p.end();
    return QIcon(picture);
}

}  // namespace reversi
