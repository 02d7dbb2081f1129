#include "shell/qt/NodeImages.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <functional>

QPixmap DrawSmallPixmap(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  return pixmap;
}

namespace {

using Draw = std::function<void(QPainter&)>;

QPixmap Make(const Draw& draw) { return DrawSmallPixmap(draw); }

Draw Box(QColor fill, QColor edge) {
  return [=](QPainter& p) {
    p.setPen(edge);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
  };
}

Draw Disc(QColor fill, QColor edge) {
  return [=](QPainter& p) {
    p.setPen(edge);
    p.setBrush(fill);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
  };
}

Draw WithLetter(Draw base, QString letter, QColor ink) {
  return [=](QPainter& p) {
    base(p);
    QFont font("Arial");
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, letter);
  };
}

Draw Folder(QColor fill) {
  return [=](QPainter& p) {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(fill);
    QPainterPath path;
    path.moveTo(1.5, 4.5);
    path.lineTo(6, 4.5);
    path.lineTo(7.5, 6);
    path.lineTo(14.5, 6);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
  };
}

Draw Page(QColor lines) {
  return [=](QPainter& p) {
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    p.setPen(lines);
    for (int y = 5; y <= 11; y += 3) p.drawLine(5, y, 11, y);
  };
}

std::array<QPixmap, 13> MakeTreeImages() {
  return {Make(Page(QColor(0, 0, 160))),
          Make(Page(QColor(0, 128, 0))),
          Make(Box(QColor(250, 250, 250), QColor(60, 60, 160))),
          Make(Folder(QColor(250, 210, 90))),
          Make(WithLetter(Box(QColor(90, 0, 0), QColor(40, 0, 0)), "X", Qt::white)),
          Make(WithLetter(Box(QColor(120, 60, 200), QColor(60, 20, 120)), "!", Qt::white)),
          Make(WithLetter(Box(QColor(60, 190, 60), QColor(20, 110, 20)), "Y", Qt::white)),
          Make(WithLetter(Box(QColor(220, 60, 60), QColor(130, 20, 20)), "N", Qt::white)),
          Make(WithLetter(Box(QColor(240, 170, 40), QColor(150, 90, 10)), "O", Qt::black)),
          Make(Folder(QColor(140, 190, 240))),
          Make(Disc(QColor(200, 200, 200), QColor(100, 100, 100))),
          Make(Box(QColor(220, 220, 220), QColor(160, 160, 160))),
          Make(WithLetter(Box(QColor(250, 230, 170), QColor(170, 130, 40)), "o", Qt::black))};
}

std::array<QPixmap, 9> MakeRowIcons() {
  return {Make(WithLetter(Disc(QColor(220, 120, 120), QColor(150, 60, 60)), "x", Qt::white)),
          Make(Disc(QColor(100, 200, 100), QColor(40, 120, 40))),
          Make(WithLetter(Disc(QColor(140, 140, 220), QColor(70, 70, 150)), "?", Qt::white)),
          Make(WithLetter(Disc(QColor(230, 130, 130), QColor(150, 60, 60)), "1", Qt::white)),
          Make(WithLetter(Disc(QColor(230, 130, 130), QColor(150, 60, 60)), "2", Qt::white)),
          Make(WithLetter(Disc(QColor(230, 130, 130), QColor(150, 60, 60)), "3", Qt::white)),
          Make(WithLetter(Disc(QColor(230, 230, 130), QColor(150, 150, 60)), "-", Qt::black)),
          Make(WithLetter(Disc(QColor(255, 0, 255), QColor(140, 0, 140)), "+", Qt::white)),
          Make(WithLetter(Disc(QColor(0, 0, 255), QColor(0, 0, 140)), "+", Qt::white))};
}

std::array<QPixmap, 3> MakePictureImages() {
  return {Make(Page(QColor(0, 100, 180))), Make(Box(QColor(255, 255, 0), QColor(180, 180, 0))),
          Make(Page(QColor(160, 160, 160)))};
}

template <std::size_t N>
const QPixmap& Pick(const std::array<QPixmap, N>& images, int index) {
  static const QPixmap none;
  return index >= 0 && index < static_cast<int>(N) ? images[index] : none;
}

}  // namespace

const QPixmap& TreeNodePixmap(int image) {
  static const auto images = MakeTreeImages();
  return Pick(images, image);
}

const QPixmap& ItemRowPixmap(int icon) {
  static const auto icons = MakeRowIcons();
  return Pick(icons, icon);
}

const QPixmap& PictureListPixmap(int image) {
  static const auto images = MakePictureImages();
  return Pick(images, image);
}
