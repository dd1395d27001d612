#pragma once

#include "DocumentQuery.h"
#include "RegisterAnswer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrlQuery>

// The service's HTML pages: Czech, UTF-8, readable without scripts or images.
namespace Pages {

QByteArray home();
QByteArray faq();
// `installerNames` are offered at /download/<name>; Debian packages (.deb) get
// their own install steps.
QByteArray download(const QString& version, const QStringList& installerNames);
QByteArray edoklady();

// The detailed answer for one document, with what the clerk should do next.
QByteArray result(const DocumentQuery& query, const RegisterAnswer& answer);
// The result page for a question the register cannot be asked.
QByteArray unsupportedQuery(const QUrlQuery& query);

QByteArray notFound();
QByteArray methodNotAllowed();

} // namespace Pages
