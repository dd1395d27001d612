#pragma once

#include "clauses/ClauseBatch.h"

#include <QJsonObject>
#include <optional>

// The particulars of a numbered clause as a JSON object and back: everything
// its drawing reads (office, place and faces included), so that a clause can
// be drawn again exactly as it was printed.
QJsonObject particularsToJson(const CopyVerificationParticulars& p);
QJsonObject particularsToJson(const LegalizationParticulars& p);
// Nothing when the object does not describe a clause of the kind.
std::optional<ClauseParticulars> particularsFromJson(ClauseKind kind, const QJsonObject& object);
