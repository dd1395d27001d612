#pragma once

#include <QString>

// Why the print command will not print: the message the clerk reads and the
// name of the control that gets the keyboard focus afterwards.
struct Refusal {
    QString message;
    QString field;

    bool operator==(const Refusal&) const = default;
};
