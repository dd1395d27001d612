#pragma once

#include "applicant/LegalizationFields.h"

#include <QTest>

Q_DECLARE_METATYPE(LegalizationFields)

// Lets QCOMPARE show the legalization fields as one saved-clause line.
inline char* toString(const LegalizationFields& f) {
    return QTest::toString(QStringLiteral("{%1|%2|%3|%4|%5|%6|%7}")
                               .arg(f.applicant)
                               .arg(f.signing)
                               .arg(f.addressKind)
                               .arg(f.man ? 1 : 2)
                               .arg(f.address)
                               .arg(f.documentKind)
                               .arg(f.documentNumber));
}
