// The small pictures of the tree nodes and the item list rows, drawn at run
// time (16 x 16) so that the program ships no bitmap files.
#pragma once

#include <QPixmap>
#include <functional>

class QPainter;

// A transparent 16 x 16 pixmap with `draw` painted on it, antialiased; every
// small image of the program is made this way.
QPixmap DrawSmallPixmap(const std::function<void(QPainter&)>& draw);

// Tree node image 0..12.
const QPixmap& TreeNodePixmap(int image);
// Item list row icon 0..8.
const QPixmap& ItemRowPixmap(int icon);
// Picture-list row images 0..2 of the reorderable list.
const QPixmap& PictureListPixmap(int image);
