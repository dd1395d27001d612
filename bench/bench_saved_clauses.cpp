// Loads a file of 100,000 saved clauses and times the search while typing:
// the filter alone and the filter plus refilling the applicant combo box, for
// many typed texts (medians and worst cases in milliseconds).
#include "applicant/SavedClauses.h"
#include "settings/AnsiText.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringListModel>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QStringList kMaleGiven = {"Jan",       "Petr",  "Josef",    "Pavel",  "Martin", "Tomáš",
                                "Jaroslav",  "Jiří",  "Miroslav", "Zdeněk", "Václav", "Michal",
                                "František", "Jakub", "Lukáš",    "Ondřej", "Karel",  "Milan",
                                "Vojtěch",   "Radek", "Štěpán",   "Dušan"};
const QStringList kFemaleGiven = {"Jana",     "Marie",   "Eva",    "Hana",     "Anna",   "Lenka",
                                  "Kateřina", "Lucie",   "Věra",   "Alena",    "Petra",  "Jaroslava",
                                  "Veronika", "Martina", "Tereza", "Michaela", "Zdeňka", "Ludmila",
                                  "Šárka",    "Žaneta",  "Božena", "Ilona"};
// Male form and female form.
const QList<std::pair<QString, QString>> kSurnames = {
    {"Novák", "Nováková"},      {"Svoboda", "Svobodová"},   {"Novotný", "Novotná"},
    {"Dvořák", "Dvořáková"},    {"Černý", "Černá"},         {"Procházka", "Procházková"},
    {"Kučera", "Kučerová"},     {"Veselý", "Veselá"},       {"Horák", "Horáková"},
    {"Němec", "Němcová"},       {"Marek", "Marková"},       {"Pospíšil", "Pospíšilová"},
    {"Pokorný", "Pokorná"},     {"Hájek", "Hájková"},       {"Král", "Králová"},
    {"Jelínek", "Jelínková"},   {"Růžička", "Růžičková"},   {"Beneš", "Benešová"},
    {"Fiala", "Fialová"},       {"Sedláček", "Sedláčková"}, {"Doležal", "Doležalová"},
    {"Zeman", "Zemanová"},      {"Kolář", "Kolářová"},      {"Navrátil", "Navrátilová"},
    {"Čermák", "Čermáková"},    {"Urban", "Urbanová"},      {"Vaněk", "Vaňková"},
    {"Blažek", "Blažková"},     {"Kříž", "Křížová"},        {"Kovář", "Kovářová"},
    {"Šťastný", "Šťastná"},     {"Žák", "Žáková"},          {"Říha", "Říhová"},
    {"Ševčík", "Ševčíková"},    {"Bartoš", "Bartošová"},    {"Vlček", "Vlčková"},
    {"Matoušek", "Matoušková"}, {"Tichý", "Tichá"},         {"Ondráček", "Ondráčková"},
    {"Kopecký", "Kopecká"}};
const QStringList kPlaces =
    QStringLiteral("Praha,Brno,Ostrava,Plzeň,Liberec,Olomouc,České Budějovice,Hradec Králové,"
                   "Ústí nad Labem,Pardubice,Zlín,Havířov,Kladno,Most,Opava,Frýdek-Místek,Karviná,"
                   "Jihlava,Teplice,Děčín,Karlovy Vary,Chomutov,Přerov,Jablonec nad Nisou,"
                   "Mladá Boleslav,Prostějov,Třebíč,Česká Lípa,Třinec,Tábor,Znojmo,Příbram,Cheb,"
                   "Kolín,Trutnov,Písek,Kroměříž,Orlová,Vsetín,Šumperk")
        .split(u',');
const QStringList kStreets =
    QStringLiteral("Husova,Masarykova,Nádražní,Školní,Zahradní,Palackého,Komenského,Riegrova,"
                   "Žižkova,Tyršova,Lidická,Sokolská,Jiráskova,Smetanova,Dukelská,Štefánikova,"
                   "U Rybníka,Polní")
        .split(u',');

QString pick(const QStringList& list, QRandomGenerator& rng) {
    return list[rng.bounded(int(list.size()))];
}

QString makeLine(QRandomGenerator& rng) {
    const bool man = rng.bounded(2) == 0;
    const auto& surname = kSurnames[rng.bounded(int(kSurnames.size()))];
    LegalizationFields f;
    f.applicant = QStringLiteral("%1 %2, %3.%4.%5, %6")
                      .arg(pick(man ? kMaleGiven : kFemaleGiven, rng), man ? surname.first : surname.second)
                      .arg(rng.bounded(1, 29), 2, 10, QLatin1Char('0'))
                      .arg(rng.bounded(1, 13), 2, 10, QLatin1Char('0'))
                      .arg(rng.bounded(1930, 2008))
                      .arg(pick(kPlaces, rng));
    f.signing = rng.bounded(3);
    f.addressKind = rng.bounded(3);
    f.man = man;
    f.address = QStringLiteral("%1 %2, %3")
                    .arg(pick(kStreets, rng))
                    .arg(rng.bounded(1, 3000))
                    .arg(pick(kPlaces, rng));
    f.documentKind = QList<int>{0, 2, 3, 4, 5, 6, 7}[rng.bounded(7)];
    f.documentNumber = QString::number(rng.bounded(100000000, 999999999));
    return SavedClauses::lineFor(f);
}

struct Figures {
    double median = 0;
    double worst = 0;
    double mean = 0;
};

Figures summarize(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    Figures f;
    f.median = ms[ms.size() / 2];
    f.worst = ms.last();
    for (double v : ms)
        f.mean += v;
    f.mean /= ms.size();
    return f;
}

double elapsedMs(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    constexpr int kClauses = 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("legalizace.dec"));
    QRandomGenerator rng(20240101);
    {
        SavedClauses seed(path);
        QString text;
        for (int i = 0; i < kClauses; ++i)
            text += makeLine(rng) + QStringLiteral("\r\n");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(AnsiText::encode(text));
    }

    SavedClauses clauses(path);
    QList<double> loads;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        clauses.load();
        loads.append(elapsedMs(t));
    }
    const Figures load = summarize(loads);
    std::printf("clauses: %lld, file: %lld bytes\n", qlonglong(clauses.size()),
                qlonglong(QFile(path).size()));
    std::printf("load:   median %.1f ms, worst %.1f ms (5 runs)\n", load.median, load.worst);

    // What a clerk types: the first 3 to 8 characters of saved names, in any
    // letter case, and some fragments from the middle of a name.
    QStringList typed;
    for (int i = 0; i < 300; ++i) {
        const QString name = clauses.names()[rng.bounded(int(clauses.size()))];
        const int len = 3 + rng.bounded(6);
        QString t = name.left(len);
        if (i % 3 == 1)
            t = t.toLower();
        if (i % 3 == 2)
            t = name.mid(name.indexOf(u' ') + 1, len).toUpper();
        typed.append(t);
    }
    typed << QStringLiteral("nov") << QStringLiteral("ová") << QStringLiteral("jan") << QStringLiteral("xyz")
          << QStringLiteral("PRAHA");

    // Every text is timed five times; its median stands for it, so that a
    // busy machine's hiccups do not pass for slow texts. The single slowest
    // run is printed too.
    constexpr int kRepeats = 5;
    QComboBox combo;
    combo.setEditable(true);
    QComboBox modelCombo;
    modelCombo.setEditable(true);
    auto* model = new QStringListModel(&modelCombo);
    modelCombo.setModel(model);
    const QList<std::pair<const char*, std::function<qsizetype(const QString&)>>> ways = {
        {"filter", [&](const QString& t) { return clauses.filter(t).size(); }},
        {"filter + QComboBox::addItems",
         [&](const QString& t) {
             combo.clear();
             combo.addItems(clauses.filter(t));
             return qsizetype(combo.count());
         }},
        {"filter + QStringListModel",
         [&](const QString& t) {
             model->setStringList(clauses.filter(t));
             return qsizetype(model->rowCount());
         }},
    };
    std::printf("typed texts: %lld\n", qlonglong(typed.size()));
    for (const auto& [label, run] : ways) {
        QList<double> perText;
        double slowestRun = 0;
        QString slowestText;
        qsizetype slowestMatches = 0;
        for (const QString& t : typed) {
            QList<double> runs;
            qsizetype matches = 0;
            for (int r = 0; r < kRepeats; ++r) {
                QElapsedTimer timer;
                timer.start();
                matches = run(t);
                runs.append(elapsedMs(timer));
            }
            const Figures f = summarize(runs);
            perText.append(f.median);
            slowestRun = std::max(slowestRun, f.worst);
            if (f.median >= summarize(perText).worst) {
                slowestText = t;
                slowestMatches = matches;
            }
        }
        const Figures f = summarize(perText);
        std::printf("%-30s median %.2f ms, mean %.2f ms, slowest text %.2f ms (\"%s\", %lld matches), "
                    "slowest single run %.2f ms\n",
                    label, f.median, f.mean, f.worst, qPrintable(slowestText), qlonglong(slowestMatches),
                    slowestRun);
    }
    return 0;
}
