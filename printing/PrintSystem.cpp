#include "printing/PrintSystem.h"

#include "settings/AppError.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPrinter>
#include <future>
#include <mutex>
#include <thread>

#ifdef LORVENA_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

#ifdef LORVENA_HAVE_CUPS
struct Deadline {
    Clock::time_point at;
    bool passed = false;
};

// Called by libcups whenever a wait for the server's bytes times out; 0 gives up.
int keepWaiting(http_t*, void* data) {
    auto* deadline = static_cast<Deadline*>(data);
    if (Clock::now() < deadline->at)
        return 1;
    deadline->passed = true;
    return 0;
}

// A queue that wants a password is not asked on a terminal nobody watches.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

// The same server, port and encryption that the printer would use: libcups
// reads CUPS_SERVER and client.conf for each thread on its first call.
PrintSystemAnswer ask(std::chrono::milliseconds limit) {
    cupsSetPasswordCB2(noPassword, nullptr);
    Deadline deadline{Clock::now() + limit};
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                int(limit.count()), nullptr);
    if (!http)
        return Clock::now() + std::chrono::milliseconds(50) >= deadline.at ? PrintSystemAnswer::Silent
                                                                           : PrintSystemAnswer::Absent;
    httpSetTimeout(http, 0.2, keepWaiting, &deadline);
    ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    ippDelete(response);
    httpClose(http);
    // Any answer, an error status included, means the server is there and talks.
    return deadline.passed ? PrintSystemAnswer::Silent : PrintSystemAnswer::Answers;
}
#else
PrintSystemAnswer ask(std::chrono::milliseconds) {
    return PrintSystemAnswer::Answers;
}
#endif

} // namespace

PrintSystemAnswer askPrintSystem(std::chrono::milliseconds patience) {
    static std::mutex mutex;
    static std::shared_future<PrintSystemAnswer> open;
    std::shared_future<PrintSystemAnswer> question;
    {
        const std::lock_guard lock(mutex);
        if (!open.valid() || open.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
            // The thread gives up a little before the caller does, so that it
            // usually reports the silence itself and ends.
            const auto limit =
                std::max(patience - std::chrono::milliseconds(250), std::chrono::milliseconds(100));
            std::promise<PrintSystemAnswer> answer;
            open = answer.get_future().share();
            std::thread([answer = std::move(answer), limit]() mutable {
                answer.set_value(ask(limit));
            }).detach();
        }
        question = open;
    }
    if (question.wait_for(patience) != std::future_status::ready)
        return PrintSystemAnswer::Silent;
    return question.get();
}

std::unique_ptr<QPrinter> openSystemPrinter() {
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    if (gui)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const PrintSystemAnswer answer = askPrintSystem();
    if (gui)
        QGuiApplication::restoreOverrideCursor();
    if (answer == PrintSystemAnswer::Silent)
        throw AppError(QStringLiteral(
            "Tiskový systém neodpovídá. Zkontrolujte tiskárnu nebo tiskový server a zkuste to znovu."));
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}
