#pragma once

#include <QIcon>
#include <QPixmap>

// Pictures the program draws itself, so that it ships no binary artwork.
namespace Artwork {

QIcon windowIcon();
QIcon cardReaderIcon();
// The product's logo for the about box: 300 x 212 with transparency.
QPixmap productLogo();

} // namespace Artwork
