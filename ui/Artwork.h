#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// Pictures the program draws itself, so that it ships no binary artwork.
namespace Artwork {

QIcon windowIcon();
// The program's sign, `size` x `size` with transparency: the window icon and,
// rendered once at build time, the desktop icon.
QImage sign(int size);
QIcon cardReaderIcon();
// The product's logo for the about box: 300 x 212 with transparency.
QPixmap productLogo();

} // namespace Artwork
