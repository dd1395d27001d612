// Prints how far each clause reaches on a 600 dpi label drawn with the
// default fonts, and how long one clause takes to draw.
#include "TextExtent.h"
#include "clauses/CopyVerificationClause.h"
#include "clauses/LegalizationClause.h"
#include "clauses/MunicipalClause.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>

namespace {

void measure(const char* name, const std::function<void(Pen&)>& draw) {
    const TextExtent e = measureExtent(2000, draw);
    const int width = e.right - kLabelTextOffset, height = e.bottom - kLabelTextOffset;
    std::printf("%-20s width %5d px (%5.1f mm)  height %5d px (%5.1f mm)  %7.0f us per clause\n", name, width,
                width / kPixelsPerMm, height, height / kPixelsPerMm, e.microseconds);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    std::printf("label 78 x 47 mm; text starts 2 mm in: about 76 x 45 mm available\n");

    CopyVerificationParticulars copy;
    copy.officeGenitive = QStringLiteral("Městského úřadu Zididuzado Dazuz");
    copy.place = QStringLiteral("V Dudeverodu Zered");
    copy.date = QDate(2019, 8, 14);
    copy.officer = QStringLiteral("Jana Nováková");
    measure("copy verification",
            [&](Pen& pen) { drawCopyVerification(pen, copy, QStringLiteral("A/15/2025")); });

    LegalizationParticulars legal;
    legal.officeGenitive = copy.officeGenitive;
    legal.place = copy.place;
    legal.applicant = QStringLiteral("Jan Novák, 1.1.1980, Praha");
    legal.address = QStringLiteral("Dlouhá 5, 110 00 Praha 1");
    legal.documentNumber = QStringLiteral("123456789");
    legal.date = copy.date;
    legal.officer = copy.officer;
    measure("legalization", [&](Pen& pen) { drawLegalization(pen, legal, QStringLiteral("B/7/2025")); });

    MunicipalHeader header;
    header.name = QStringLiteral("Obec Zididuzado Dazuz");
    header.ic = QStringLiteral("00123456");
    header.address1 = QStringLiteral("Náměstí 1");
    header.address2 = QStringLiteral("123 45 Zididuzado");
    header.logo = QImage(400, 300, QImage::Format_RGB32);
    header.logo.fill(Qt::darkBlue);
    IntentionParticulars intention;
    intention.number = QStringLiteral("12/2019");
    intention.publishedFrom = QDate(2019, 8, 1);
    intention.publishedTo = QDate(2019, 8, 16);
    intention.approvingBody = QStringLiteral("Zastupitelstvem obce Zididuzado Dazuz");
    intention.resolutionDate = QDate(2019, 9, 5);
    intention.resolutionNumber = QStringLiteral("3/2019");
    for (int item = 0; item <= 6; ++item) {
        intention.intentionItem = item;
        const QByteArray name = "intention item " + QByteArray::number(item);
        measure(name.constData(), [&](Pen& pen) { drawIntention(pen, header, intention); });
    }
    ApprovalParticulars approval;
    approval.statement = QStringLiteral("Pověřen k podpisu na základě usnesení");
    approval.body = QStringLiteral("Zastupitelstva obce Zididuzado Dazuz");
    approval.resolutionNumber = QStringLiteral("15/2019");
    approval.resolutionDate = QDate(2019, 8, 14);
    intention.intentionItem = kTypedIntention;
    intention.intentionText = QStringLiteral("zřídit věcné břemeno");
    measure("typed intention", [&](Pen& pen) { drawIntention(pen, header, intention); });
    measure("approval", [&](Pen& pen) { drawApproval(pen, header, approval); });
    return 0;
}
