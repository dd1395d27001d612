#pragma once

#include <QSize>

// The size at which the logo preview shows a picture in a square box: its own
// size when it fits, otherwise scaled down keeping the aspect ratio with the
// longer side filling the box and the other truncated. Never enlarged.
QSize logoPreviewSize(QSize picture, int box = 121);
