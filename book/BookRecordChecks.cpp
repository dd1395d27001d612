#include "book/BookRecordChecks.h"

namespace {

Refusal refusal(const char* message, const char* field) {
    return Refusal{QString::fromUtf8(message), QString::fromLatin1(field)};
}

} // namespace

std::optional<Refusal> copyVerificationRecordRefusal(const CopyVerificationRecord& r, int sourcePages,
                                                     int outputPages) {
    if (r.documentKind.isEmpty())
        return refusal("Je potřeba vyplnit označení druhu listiny, která je vidimována.", "Edit2");
    if (outputPages > sourcePages)
        return refusal("Výstupní listina nemůže mít větší počet stran než vstupní listina vidimace.",
                       "SpinEdit8");
    return std::nullopt;
}

std::optional<Refusal> legalizationRecordRefusal(const LegalizationRecord& r, bool stateFieldEnabled) {
    if (r.applicant.isEmpty())
        return refusal("Je potřeba vyplnit jméno, příjmení, datum a místo narození žadatele.", "Edit3");
    if (r.address.isEmpty())
        return refusal("Je potřeba vyplnit adresu trvalého pobytu nebo adresu místa pobytu žadatele.",
                       "Edit4");
    if (r.documentKind.isEmpty())
        return refusal("Je potřeba vyplnit druh dokladu (například CD, OP apod.).", "Edit9");
    if (r.state.isEmpty() && stateFieldEnabled)
        return refusal("Je potřeba vyplnit označení státu (u prokazování se dokladem z jiné zěmě)", "Edit10");
    if (r.documentNumber.isEmpty())
        return refusal("Je potřeba vyplnit číslo dokladu žadatele.", "Edit8");
    if (r.signedDocument.isEmpty())
        return refusal("Je potřeba vyplnit označení druhu listiny, na které je podpis legalizován.", "Edit5");
    return std::nullopt;
}

std::optional<Refusal> bookPositionRefusal(int markedPosition) {
    if (markedPosition >= 1 && markedPosition <= 6)
        return std::nullopt;
    return refusal("Vyberte alespoň jednu pozici, na kterou se bude štítek tisknout.", "");
}
