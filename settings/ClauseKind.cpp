#include "settings/ClauseKind.h"

QString caption(ClauseKind kind) {
    switch (kind) {
    case ClauseKind::CopyVerification:
        return QStringLiteral("VIDIMACE");
    case ClauseKind::Legalization:
        return QStringLiteral("LEGALIZACE");
    case ClauseKind::Intention:
        return QStringLiteral("ZÁMĚR");
    case ClauseKind::Approval:
        return QStringLiteral("SCHVÁLENÍ");
    }
    return QString();
}

std::optional<ClauseKind> clauseKindOf(const QString& text) {
    for (ClauseKind kind : kClauseKinds)
        if (caption(kind) == text)
            return kind;
    return std::nullopt;
}
