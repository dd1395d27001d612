#include "MirroredLookup.h"

#include <QPointer>

MirroredLookup::MirroredLookup(RegisterLookup* lookup, const RegisterMirror::Settings& mirror,
                               QObject* parent)
    : QObject(parent), m_lookup(lookup) {
    if (!mirror.directory.isEmpty())
        m_mirror = std::make_unique<RegisterMirror>(mirror);
}

void MirroredLookup::start() {
    if (m_mirror)
        m_mirror->start();
}

RegisterAnswer MirroredLookup::fromCopy(const RegisterCopy& copy, const RegisterCopy::Look& look) {
    RegisterAnswer answer;
    answer.outcome = look.verdict == RegisterCopy::Verdict::Listed ? RegisterAnswer::Outcome::Listed
                                                                   : RegisterAnswer::Outcome::NotListed;
    if (answer.outcome == RegisterAnswer::Outcome::Listed)
        answer.listedSince = look.since.toString(QStringLiteral("d.M.yyyy"));
    answer.source = RegisterAnswer::Source::Copy;
    answer.copyDate = copy.day();
    return answer;
}

void MirroredLookup::check(const DocumentQuery& query, RegisterLookup::Callback callback) {
    if (m_mirror) {
        const auto copy = m_mirror->copy();
        if (copy && m_mirror->fresh(*copy)) {
            const auto look = copy->look(query);
            if (look.verdict != RegisterCopy::Verdict::Unknown) {
                ++m_copyAnswers;
                callback(fromCopy(*copy, look));
                return;
            }
        }
    }
    QPointer<MirroredLookup> self(this);
    m_lookup->lookup(query, [self, query, callback = std::move(callback)](const RegisterAnswer& answer) {
        if (answer.outcome == RegisterAnswer::Outcome::Failed && self && self->m_mirror) {
            // The copy may have been renewed while the register was asked.
            const auto copy = self->m_mirror->copy();
            if (copy && self->m_mirror->usableAsFallback(*copy)) {
                const auto look = copy->look(query);
                if (look.verdict != RegisterCopy::Verdict::Unknown) {
                    ++self->m_copyAnswers;
                    RegisterAnswer fallback = fromCopy(*copy, look);
                    fallback.failure = answer.failure;
                    callback(fallback);
                    return;
                }
            }
        }
        callback(answer);
    });
}

QStringList MirroredLookup::status() const {
    QStringList lines;
    lines << QStringLiteral("dotazy na registr: %1, z mezipaměti: %2, z kopie: %3")
                 .arg(m_lookup->upstreamRequests())
                 .arg(m_lookup->cacheHits())
                 .arg(m_copyAnswers);
    if (m_mirror)
        lines += m_mirror->status();
    else
        lines << QStringLiteral("kopie registru: nevede se (bez volby --mirror)");
    return lines;
}
