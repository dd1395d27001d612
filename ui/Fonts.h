#pragma once

#include <QFont>

// The Windows faces the windows were drawn with, each followed by the faces
// that stand in for it on Linux with the same metrics.
enum class Typeface { Arial, MsSansSerif, Tahoma, SegoeUi };

// The face alone; the caller sets the size (points or pixels) and the style.
QFont fontOf(Typeface face);
QFont fontOf(Typeface face, int pointSize);
