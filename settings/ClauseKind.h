#pragma once

#include <QString>
#include <array>
#include <optional>

// The four kinds of clause. The main window names each by the caption of its
// tab, and a caption is compared exactly (case included).
enum class ClauseKind { CopyVerification, Legalization, Intention, Approval };

inline constexpr std::array<ClauseKind, 4> kClauseKinds = {
    ClauseKind::CopyVerification, ClauseKind::Legalization, ClauseKind::Intention, ClauseKind::Approval};

// "VIDIMACE", "LEGALIZACE", "ZÁMĚR", "SCHVÁLENÍ".
QString caption(ClauseKind kind);
// The kind whose caption this is exactly; nothing for any other text.
std::optional<ClauseKind> clauseKindOf(const QString& caption);

// Copy verifications and legalizations carry an order number from the
// certification book; the municipal clauses do not.
constexpr bool isNumbered(ClauseKind kind) {
    return kind == ClauseKind::CopyVerification || kind == ClauseKind::Legalization;
}
