#include "shell/qt/DrawnIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "database/CommandIds.h"
#include "shell/qt/NodeImages.h"

namespace {

using Drawing = std::function<void(QPainter&)>;

QIcon Draw(const Drawing& drawing) { return QIcon(DrawSmallPixmap(drawing)); }

void Box(QPainter& p, const QRectF& r, const QColor& fill) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(fill);
  p.drawRect(r);
}

void Letter(QPainter& p, const QString& text, const QColor& colour) {
  QFont font("Sans", 7, QFont::Bold);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Folder(QPainter& p, bool open) {
  p.setPen(QPen(QColor(120, 90, 0), 1));
  p.setBrush(QColor(240, 200, 80));
  p.drawRect(QRectF(1.5, 4.5, 13, 9));
  p.drawRect(QRectF(1.5, 2.5, 5, 2));
  if (open) {
    p.setBrush(QColor(255, 230, 140));
    p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
  }
}

void Page(QPainter& p) {
  Box(p, QRectF(3.5, 1.5, 9, 13), Qt::white);
  p.setPen(QColor(120, 120, 120));
  for (int y = 5; y <= 12; y += 2) p.drawLine(5, y, 11, y);
}

void Disk(QPainter& p) {
  Box(p, QRectF(1.5, 1.5, 13, 13), QColor(60, 60, 160));
  Box(p, QRectF(4.5, 1.5, 7, 5), Qt::white);
  Box(p, QRectF(4.5, 9.5, 7, 5), QColor(200, 200, 200));
}

void Scissors(QPainter& p) {
  p.setPen(QPen(Qt::black, 1.2));
  p.drawLine(4, 2, 11, 10);
  p.drawLine(12, 2, 5, 10);
  p.drawEllipse(QPointF(4, 12), 2.5, 2.5);
  p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
}

void Pages(QPainter& p) {
  Box(p, QRectF(1.5, 1.5, 8, 10), Qt::white);
  Box(p, QRectF(6.5, 4.5, 8, 10), Qt::white);
}

void Clipboard(QPainter& p) {
  Box(p, QRectF(2.5, 2.5, 11, 12), QColor(190, 140, 80));
  Box(p, QRectF(5.5, 1.5, 5, 3), QColor(200, 200, 200));
  Box(p, QRectF(5.5, 6.5, 7, 7), Qt::white);
}

void Printer(QPainter& p) {
  Box(p, QRectF(4.5, 1.5, 7, 5), Qt::white);
  Box(p, QRectF(1.5, 6.5, 13, 6), QColor(190, 190, 190));
  Box(p, QRectF(4.5, 10.5, 7, 4), Qt::white);
}

void ListLines(QPainter& p) {
  Box(p, QRectF(1.5, 1.5, 13, 13), Qt::white);
  p.setPen(QPen(QColor(0, 0, 160), 1.5));
  for (int y = 4; y <= 12; y += 4) p.drawLine(4, y, 12, y);
}

void Gallery(QPainter& p) {
  for (int x : {1, 9})
    for (int y : {1, 9}) Box(p, QRectF(x + 0.5, y + 0.5, 5, 5), QColor(90, 160, 90));
}

void Magnifier(QPainter& p) {
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(QColor(200, 230, 255));
  p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
  p.setPen(QPen(Qt::black, 2.5));
  p.drawLine(10, 10, 15, 15);
}

void Cross(QPainter& p, const QColor& colour) {
  p.setPen(QPen(colour, 2.5));
  p.drawLine(3, 3, 13, 13);
  p.drawLine(13, 3, 3, 13);
}

void Sizes(QPainter& p) {
  Box(p, QRectF(1.5, 5.5, 6, 6), QColor(90, 160, 90));
  Box(p, QRectF(8.5, 1.5, 6, 13), QColor(90, 160, 90));
}

void Book(QPainter& p) {
  Box(p, QRectF(2.5, 1.5, 11, 13), QColor(150, 40, 40));
  p.setPen(Qt::white);
  p.drawLine(5, 5, 11, 5);
}

Drawing Lettered(const QString& text, const QColor& fill, const QColor& ink) {
  return [=](QPainter& p) {
    Box(p, QRectF(0.5, 2.5, 15, 11), fill);
    Letter(p, text, ink);
  };
}

Drawing ForCommand(int command) {
  switch (command) {
    case cmd::kFileNew:
      return Page;
    case cmd::kFileOpen:
      return [](QPainter& p) { Folder(p, true); };
    case cmd::kFileSave:
      return Disk;
    case cmd::kFilePrint:
      return Printer;
    case cmd::kEditCut:
      return Scissors;
    case cmd::kEditCopy:
      return Pages;
    case cmd::kEditPaste:
      return Clipboard;
    case cmd::kItemListReport:
      return ListLines;
    case cmd::kGallery:
      return Gallery;
    case cmd::kMarkedAndEliminated:
      return [](QPainter& p) {
        ListLines(p);
        Cross(p, QColor(200, 0, 0));
      };
    case cmd::kAnalyze:
      return Magnifier;
    case cmd::kThumbnailRegularSize:
      return Sizes;
    case cmd::kMarkYes:
      return Lettered("Y", QColor(200, 255, 200), QColor(0, 110, 0));
    case cmd::kMarkNo:
      return Lettered("N", QColor(255, 210, 210), QColor(170, 0, 0));
    case cmd::kMarkClear:
      return Lettered("C", Qt::white, Qt::black);
    case cmd::kMarkOr:
      return Lettered("OR", QColor(255, 255, 190), QColor(120, 90, 0));
    case cmd::kMarkNever:
      return Lettered("NV", QColor(255, 180, 180), QColor(120, 0, 0));
    case cmd::kMarkOnly:
      return Lettered("ON", QColor(190, 230, 255), QColor(0, 60, 150));
    case cmd::kClearAllMarks:
      return Lettered("CA", QColor(230, 230, 230), Qt::black);
    case cmd::kEliminateItem:
      return [](QPainter& p) { Cross(p, QColor(200, 0, 0)); };
    case cmd::kAppAbout:
      return Lettered("?", QColor(255, 255, 220), QColor(0, 0, 160));
    case cmd::kShowReferences:
      return Book;
    case cmd::kShowDatabaseDescription:
      return [](QPainter& p) {
        Page(p);
        Letter(p, "i", QColor(0, 0, 200));
      };
    default:
      return {};
  }
}

Drawing ForTreeRole(int role) {
  switch (role) {
    case TreeIcons::kDrives:
      return [](QPainter& p) { Box(p, QRectF(1.5, 4.5, 13, 8), QColor(180, 180, 180)); };
    case TreeIcons::kDesktop:
      return [](QPainter& p) { Box(p, QRectF(1.5, 2.5, 13, 9), QColor(70, 130, 200)); };
    case TreeIcons::kFolder:
      return [](QPainter& p) { Folder(p, false); };
    case TreeIcons::kOpenFolder:
      return [](QPainter& p) { Folder(p, true); };
    case TreeIcons::kDatabase:
      return [](QPainter& p) { Book(p); };
    default:
      return [](QPainter& p) { Box(p, QRectF(1.5, 5.5, 13, 6), QColor(210, 210, 210)); };
  }
}

}  // namespace

QIcon TreeIcons::Icon(int role) {
  QIcon icon = Draw(ForTreeRole(role));
  // A selected folder shows itself open.
  if (role == kFolder) icon.addPixmap(Draw(ForTreeRole(kOpenFolder)).pixmap(16, 16), QIcon::Selected);
  return icon;
}

QIcon ToolbarIcon(int command) {
  const Drawing drawing = ForCommand(command);
  return drawing ? Draw(drawing) : QIcon();
}
