#include "ui/Fonts.h"

#include <QStringList>

QFont fontOf(Typeface face) {
    QStringList families;
    switch (face) {
    case Typeface::Arial:
        families = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
        break;
    case Typeface::MsSansSerif:
        families = {QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                    QStringLiteral("Liberation Sans")};
        break;
    case Typeface::Tahoma:
        families = {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")};
        break;
    case Typeface::SegoeUi:
        families = {QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")};
        break;
    }
    QFont f;
    f.setFamilies(families);
    return f;
}

QFont fontOf(Typeface face, int pointSize) {
    QFont f = fontOf(face);
    f.setPointSize(pointSize);
    return f;
}
