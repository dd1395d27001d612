#pragma once

#include "printing/DrawingSurface.h"

// One job of one label sheet, as a batch of clauses sees it: the printer, a
// preview, or a recorder in the tests.
class SheetJob {
public:
    virtual ~SheetJob() = default;
    // Opens the job; throws when it cannot start.
    virtual DrawingSurface& start() = 0;
    // Hands the page over; throws when that fails. A job destroyed without
    // finish() is abandoned and leaves nothing behind.
    virtual void finish() = 0;
};
