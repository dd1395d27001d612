#pragma once

#include "book/BookLabel.h"
#include "clauses/Refusal.h"

#include <optional>

// Checks of the book record before it is printed, in the order the clerk is
// asked. A field counts as empty only when it has no characters at all. The
// refusal names the control that gets the focus.
std::optional<Refusal> copyVerificationRecordRefusal(const CopyVerificationRecord& record, int sourcePages,
                                                     int outputPages);
std::optional<Refusal> legalizationRecordRefusal(const LegalizationRecord& record, bool stateFieldEnabled);
// No position marked on the book-label sheet (position 0); the focus stays.
std::optional<Refusal> bookPositionRefusal(int markedPosition);
