#include "ui/Fonts.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>
#include <QStringList>
#include <array>
#include <optional>

namespace {

QStringList familiesOf(Typeface face) {
    switch (face) {
    case Typeface::Arial:
        return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    case Typeface::MsSansSerif:
        return {QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    case Typeface::Tahoma:
        return {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")};
    case Typeface::SegoeUi:
        return {QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")};
    }
    return {};
}

// The installed families, by the names that fonts ask for (without the
// foundry Qt adds when two foundries make one family), in lower case.
QSet<QString> installedFamilies() {
    QSet<QString> names;
    for (const QString& family : QFontDatabase::families()) {
        const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
        names.insert((foundry >= 0 ? family.left(foundry) : family).toLower());
    }
    return names;
}

// The list from its first installed face on. Given a missing face first, Qt
// searches that face's fallbacks before it settles, again for every size and
// style of every font; the faces installed do not change while the program
// runs, so the answer is found once. Without a GUI application there is no
// font database to ask, and the whole list is given.
QStringList installedFamiliesOf(Typeface face) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return familiesOf(face);
    static std::array<std::optional<QStringList>, 4> known;
    std::optional<QStringList>& families = known[static_cast<size_t>(face)];
    if (!families) {
        static const QSet<QString> installed = installedFamilies();
        QStringList all = familiesOf(face);
        qsizetype first = 0;
        while (first < all.size() && !installed.contains(all[first].toLower()))
            ++first;
        // None installed: Qt's own fallback search decides, as before.
        families = first < all.size() ? all.mid(first) : all;
    }
    return *families;
}

} // namespace

QFont fontOf(Typeface face) {
    QFont f;
    f.setFamilies(installedFamiliesOf(face));
    return f;
}

QFont fontOf(Typeface face, int pointSize) {
    QFont f = fontOf(face);
    f.setPointSize(pointSize);
    return f;
}
