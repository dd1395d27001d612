#include "book/BookDesignation.h"

#include "clauses/Designation.h"
#include "clauses/Numbering.h"

QString oznaceni(const SettingsStore& settings, const QString& cinnost, int poradi, int rok) {
    const std::optional<ClauseKind> kind = clauseKindOf(cinnost);
    if (!kind || !isNumbered(*kind))
        return kDesignationError;
    return DesignationRule::read(settings, *kind).designation(poradi, rok);
}
