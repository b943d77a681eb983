#include "app/icons.h"

#include <QPainter>
#include <QPixmap>

namespace chanora {
namespace {

constexpr int kSize = 16;

template <typename Draw>
QIcon Drawn(Draw draw) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  painter.end();
  return QIcon(pixmap);
}

}  // namespace

QIcon TvIcon() {
  return Drawn([](QPainter& painter) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(40, 90, 170));
    painter.drawRoundedRect(QRectF(1.5, 2.5, 13, 9), 1.5, 1.5);
    painter.drawLine(QPointF(5, 14.5), QPointF(11, 14.5));
    painter.drawLine(QPointF(8, 11.5), QPointF(8, 14.5));
  });
}

QIcon RadioIcon() {
  return Drawn([](QPainter& painter) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(200, 120, 40));
    painter.drawRoundedRect(QRectF(1.5, 5.5, 13, 9), 1.5, 1.5);
    painter.drawLine(QPointF(4, 5.5), QPointF(12, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(5.5, 10), 2.5, 2.5);
  });
}

QIcon SectionRowIcon() {
  return Drawn([](QPainter& painter) {
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(QColor(235, 235, 200));
    painter.drawRect(QRectF(2.5, 1.5, 11, 13));
    for (double y : {5.0, 8.0, 11.0}) painter.drawLine(QPointF(4.5, y), QPointF(11.5, y));
  });
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    // A dish aimed at the sky beside a receiver box.
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(220, 220, 230));
    painter.drawChord(QRectF(2, 2, 22, 22), 45 * 16, 180 * 16);
    painter.drawLine(QPointF(13, 13), QPointF(20, 6));
    painter.setBrush(QColor(40, 90, 170));
    painter.drawRoundedRect(QRectF(10, 21, 20, 8), 2, 2);
    painter.setPen(QPen(QColor(90, 220, 90), 2));
    painter.drawPoint(QPointF(26, 25));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon ThemeIcon(const char* themeName, const QStyle& style, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(QString::fromLatin1(themeName), style.standardIcon(fallback));
}

}  // namespace chanora
