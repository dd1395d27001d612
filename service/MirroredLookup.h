#pragma once

#include "DocumentQuery.h"
#include "RegisterAnswer.h"
#include "RegisterLookup.h"
#include "RegisterMirror.h"

#include <QObject>
#include <QStringList>

#include <memory>

// Answers a question about one document from the local copy of the register
// when that is fresh, otherwise from the register itself, and from a copy up
// to a week old when the register fails.
class MirroredLookup : public QObject {
    Q_OBJECT
public:
    // Without `mirror` settings (no folder) every question goes to the register.
    MirroredLookup(RegisterLookup* lookup, const RegisterMirror::Settings& mirror, QObject* parent = nullptr);

    void start();
    void check(const DocumentQuery& query, RegisterLookup::Callback callback);

    RegisterMirror* mirror() const { return m_mirror.get(); }
    qint64 copyAnswers() const { return m_copyAnswers; }
    QStringList status() const;

private:
    static RegisterAnswer fromCopy(const RegisterCopy& copy, const RegisterCopy::Look& look);

    RegisterLookup* m_lookup;
    std::unique_ptr<RegisterMirror> m_mirror;
    qint64 m_copyAnswers = 0;
};
