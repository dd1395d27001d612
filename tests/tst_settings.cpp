#include "TestSupport.h"

#include "settings/AnsiText.h"
#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/FirstStart.h"
#include "settings/SettingsStore.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

namespace {

QString iniPath(const AppDataSandbox& box) {
    box.makeDataDir();
    return DataDir::settingsFile();
}

// Every key of a settings file in file order, as "[Section] key=value".
QStringList keysOf(const QString& path) {
    QStringList out;
    QString section;
    const QStringList lines =
        AnsiText::decode(readBytes(path)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        if (line.startsWith(u'['))
            section = line.mid(1, line.indexOf(u']') - 1);
        else
            out << QStringLiteral("[%1] %2").arg(section, line);
    }
    return out;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void strictIntegers_data();
    void strictIntegers();
    void dates_data();
    void dates();

    void readsWindowsFile_data();
    void readsWindowsFile();
    void writeKeepsOtherLinesAndCrLf();
    void roundTripsAnyText_data();
    void roundTripsAnyText();
    void longValueIsCutOnRead();
    void lineBreakInValueStaysOneKey();
    void missingFileReadsDefaultsAndWriteCreatesIt();
    void everyReadSeesTheFileAsItIsNow_data();
    void everyReadSeesTheFileAsItIsNow();
    void refusedWritesReportThePath_data();
    void refusedWritesReportThePath();
    void garbageFilesNeverCrash_data();
    void garbageFilesNeverCrash();
    void ownerlessLockIsTakenOver_data();
    void ownerlessLockIsTakenOver();
    void twoProcessesNeverLoseAnUpdate();
    void batchWritesOnceOrNotAtAll();

    void dataFolderFoundWhateverItsCase_data();
    void dataFolderFoundWhateverItsCase();
    void firstStartWritesExactlyTheListedKeys();
    void laterStartsReseedOnlyEmptyKeys();
};

void TestSettings::strictIntegers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "12" << true << 12;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("plus") << "+3" << true << 3;
    QTest::newRow("decimal comma") << "1,5" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("trailing letters") << "12a" << false << 0;
    QTest::newRow("blank inside") << " 12" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("int max") << "2147483647" << true << 2147483647;
    QTest::newRow("int min") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("huge") << "99999999999999999999999" << false << 0;
}

void TestSettings::strictIntegers() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    if (ok) {
        QCOMPARE(strToInt(text), value);
        return;
    }
    try {
        strToInt(text);
        QFAIL("no error raised");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TestSettings::dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("stored form") << "14.8.2019" << QDate(2019, 8, 14);
    QTest::newRow("leading zeros") << "01.03.2020" << QDate(2020, 3, 1);
    QTest::newRow("two-digit year") << "1.3.20" << QDate(2020, 3, 1);
    QTest::newRow("no such day") << "31.2.2020" << QDate();
    QTest::newRow("words") << "včera" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestSettings::dates() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    if (date.isValid()) {
        QCOMPARE(strToDate(text), date);
        return;
    }
    try {
        strToDate(text);
        QFAIL("no error raised");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid date").arg(text));
    }
}

// A file as the Windows program left it: Windows-1250, CR LF, names in any case.
void TestSettings::readsWindowsFile_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("expected");
    QTest::newRow("diacritics") << "Organizace"
                                << "Organizace2pad"
                                << ""
                                << "Obecního úřadu Žďár";
    QTest::newRow("section in capitals") << "Stitky"
                                         << "c"
                                         << "47"
                                         << "50";
    QTest::newRow("key in capitals") << "Knihy"
                                     << "cisloKniha3"
                                     << "1"
                                     << "57";
    QTest::newRow("blanks trimmed") << "App"
                                    << "last printed"
                                    << "12"
                                    << "7";
    QTest::newRow("present but empty") << "Printer"
                                       << "dpi"
                                       << "600"
                                       << "";
    QTest::newRow("absent key") << "App"
                                << "prepare next"
                                << "1"
                                << "1";
    QTest::newRow("absent section") << "Zalozky"
                                    << "Vidimace"
                                    << "0"
                                    << "0";
    QTest::newRow("value with equals sign") << "Organizace"
                                            << "Nazev"
                                            << ""
                                            << "a=b";
    QTest::newRow("first of two sections") << "Font"
                                           << "UdajeFont"
                                           << ""
                                           << "Arial";
    QTest::newRow("header with equals sign") << "Sekce=1"
                                             << "k"
                                             << ""
                                             << "v";
    QTest::newRow("indented header and key") << "Odsazena"
                                             << "k"
                                             << ""
                                             << "w";
}

void TestSettings::readsWindowsFile() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, defaultValue);
    QFETCH(QString, expected);
    AppDataSandbox box;
    const QString path = iniPath(box);
    QVERIFY(writeWindowsIni(path, {"; kept as it is",
                                   "[App]",
                                   "last printed =  7  ",
                                   "[STITKY]",
                                   "c=50",
                                   "[Knihy]",
                                   "CISLOKNIHA3=57",
                                   "[Printer]",
                                   "dpi=",
                                   "[Organizace]",
                                   "Organizace2pad=Obecního úřadu Žďár",
                                   "Nazev=a=b",
                                   "[Font]",
                                   "UdajeFont=Arial",
                                   "[Font]",
                                   "UdajeFont=Times",
                                   "[Sekce=1]",
                                   "k=v",
                                   "  [Odsazena]  ",
                                   "  k = w"}));
    SettingsStore store(path);
    QCOMPARE(store.ReadString(section, key, defaultValue), expected);
}

void TestSettings::writeKeepsOtherLinesAndCrLf() {
    AppDataSandbox box;
    const QString path = iniPath(box);
    QVERIFY(writeWindowsIni(
        path, {"; comment", "[Knihy]", "Kniha1=A", "", "[Neznama]", "klic=hodnota", "bez rovnitka"}));
    SettingsStore store(path);
    store.WriteString(QStringLiteral("Knihy"), QStringLiteral("CisloKniha1"), QStringLiteral("18"));
    store.WriteString(QStringLiteral("knihy"), QStringLiteral("kniha1"), QStringLiteral("Á"));
    store.WriteString(QStringLiteral("Nova"), QStringLiteral("x"), QStringLiteral("1"));
    const QByteArray expected = AnsiText::encode(QStringLiteral(
        "; comment\r\n[Knihy]\r\nKniha1=Á\r\nCisloKniha1=18\r\n\r\n[Neznama]\r\nklic=hodnota\r\nbez "
        "rovnitka\r\n"
        "[Nova]\r\nx=1\r\n"));
    QCOMPARE(readBytes(path), expected);
    QVERIFY(!expected.startsWith("\xEF\xBB\xBF"));
}

void TestSettings::roundTripsAnyText_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("czech") << QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy") << false;
    QTest::newRow("polish name") << QStringLiteral("Łukasz Wałęsa") << false;
    QTest::newRow("cyrillic") << QStringLiteral("Олена Шевченко") << true;
    QTest::newRow("vietnamese") << QStringLiteral("Nguyễn Thị Hương") << true;
    QTest::newRow("emoji") << QStringLiteral("razítko 🖋") << true;
}

void TestSettings::roundTripsAnyText() {
    QFETCH(QString, value);
    QFETCH(bool, utf8);
    AppDataSandbox box;
    const QString path = iniPath(box);
    SettingsStore store(path);
    store.WriteString(QStringLiteral("Organizace"), QStringLiteral("Kde"), QStringLiteral("V Brně"));
    store.WriteString(QStringLiteral("Overovatele"), QStringLiteral("Overovatel1"), value);
    QCOMPARE(readBytes(path).startsWith("\xEF\xBB\xBF"), utf8);
    SettingsStore other(path);
    QCOMPARE(other.ReadString(QStringLiteral("Overovatele"), QStringLiteral("Overovatel1"), QString()),
             value);
    QCOMPARE(other.ReadString(QStringLiteral("Organizace"), QStringLiteral("Kde"), QString()),
             QStringLiteral("V Brně"));
    // Back to Windows-1250 once nothing needs UTF-8.
    store.WriteString(QStringLiteral("Overovatele"), QStringLiteral("Overovatel1"),
                      QStringLiteral("Zoz Azira"));
    QVERIFY(!readBytes(path).startsWith("\xEF\xBB\xBF"));
    QCOMPARE(other.ReadString(QStringLiteral("Organizace"), QStringLiteral("Kde"), QString()),
             QStringLiteral("V Brně"));
}

void TestSettings::longValueIsCutOnRead() {
    AppDataSandbox box;
    SettingsStore store(iniPath(box));
    const QString value(3000, u'x');
    store.WriteString(QStringLiteral("Organizace"), QStringLiteral("Nazev"), value);
    QCOMPARE(store.ReadString(QStringLiteral("Organizace"), QStringLiteral("Nazev"), QString()),
             value.left(2047));
}

void TestSettings::lineBreakInValueStaysOneKey() {
    AppDataSandbox box;
    SettingsStore store(iniPath(box));
    store.WriteString(QStringLiteral("Organizace"), QStringLiteral("Nazev"),
                      QStringLiteral("Obec\r\nZalozky=0"));
    QCOMPARE(store.ReadString(QStringLiteral("Organizace"), QStringLiteral("Nazev"), QString()),
             QStringLiteral("Obec Zalozky=0"));
    QCOMPARE(
        store.ReadString(QStringLiteral("Organizace"), QStringLiteral("Zalozky"), QStringLiteral("absent")),
        QStringLiteral("absent"));
}

void TestSettings::missingFileReadsDefaultsAndWriteCreatesIt() {
    AppDataSandbox box;
    const QString path = iniPath(box);
    SettingsStore store(path);
    QCOMPARE(store.ReadString(QStringLiteral("App"), QStringLiteral("last printed"), QStringLiteral("12")),
             QStringLiteral("12"));
    QVERIFY(!QFile::exists(path));
    store.WriteString(QStringLiteral("App"), QStringLiteral("Verze"), QStringLiteral("7.41"));
    QCOMPARE(readBytes(path), QByteArray("[App]\r\nVerze=7.41\r\n"));
    // A hand edit between two operations is seen by the next read.
    QVERIFY(writeWindowsIni(path, {"[App]", "Verze=1.0"}));
    QCOMPARE(store.ReadString(QStringLiteral("App"), QStringLiteral("Verze"), QString()),
             QStringLiteral("1.0"));
}

// Reads may reuse what they parsed before, but never past a change of the
// file, however small or quick.
void TestSettings::everyReadSeesTheFileAsItIsNow_data() {
    QTest::addColumn<QByteArray>("edited"); // empty: the file is removed
    QTest::addColumn<bool>("keepTime");     // the edit keeps size and time stamp
    QTest::addColumn<QString>("expected");
    QTest::newRow("one letter, same size and time stamp")
        << AnsiText::encode(QStringLiteral("[App]\r\nVerze=1.1\r\n[Knihy]\r\nKniha1=A\r\n")) << true << "1.1";
    QTest::newRow("section renamed, same size and time stamp")
        << AnsiText::encode(QStringLiteral("[Apx]\r\nVerze=1.0\r\n[Knihy]\r\nKniha1=A\r\n")) << true << "-";
    QTest::newRow("key added in front")
        << AnsiText::encode(QStringLiteral("[App]\r\nverze=3\r\nVerze=1.0\r\n")) << false << "3";
    QTest::newRow("now UTF-8") << QByteArray("\xEF\xBB\xBF[App]\r\nVerze=\xC5\x81\xC3\xB8\r\n") << false
                               << QStringLiteral("Łø");
    QTest::newRow("removed") << QByteArray() << false << "-";
}

void TestSettings::everyReadSeesTheFileAsItIsNow() {
    QFETCH(QByteArray, edited);
    QFETCH(bool, keepTime);
    QFETCH(QString, expected);
    AppDataSandbox box;
    const QString path = iniPath(box);
    const QByteArray original =
        AnsiText::encode(QStringLiteral("[App]\r\nVerze=1.0\r\n[Knihy]\r\nKniha1=A\r\n"));
    QVERIFY(writeBytes(path, original));
    SettingsStore store(path);
    auto verze = [&] {
        return store.ReadString(QStringLiteral("App"), QStringLiteral("Verze"), QStringLiteral("-"));
    };
    QCOMPARE(verze(), QStringLiteral("1.0"));
    QCOMPARE(verze(), QStringLiteral("1.0"));

    const QDateTime stamp = QFileInfo(path).lastModified();
    if (edited.isEmpty()) {
        QVERIFY(QFile::remove(path));
    } else {
        QVERIFY(writeBytes(path, edited));
    }
    if (keepTime) {
        QCOMPARE(edited.size(), original.size());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(QFileInfo(path).lastModified(), stamp);
    }
    QCOMPARE(verze(), expected);
    QCOMPARE(store.ReadString(QStringLiteral("KNIHY"), QStringLiteral("kniha1"), QStringLiteral("-")),
             QString(edited.contains("Kniha1=A") ? "A" : "-"));

    // A write through another handle is seen just the same.
    SettingsStore other(path);
    other.WriteString(QStringLiteral("App"), QStringLiteral("Verze"), QStringLiteral("9"));
    QCOMPARE(verze(), QStringLiteral("9"));
}

void TestSettings::refusedWritesReportThePath_data() {
    QTest::addColumn<bool>("readOnlyFile");
    QTest::newRow("read-only file") << true;
    QTest::newRow("missing directory") << false;
}

void TestSettings::refusedWritesReportThePath() {
    QFETCH(bool, readOnlyFile);
    AppDataSandbox box;
    QString path;
    if (readOnlyFile) {
        path = iniPath(box);
        QVERIFY(writeWindowsIni(path, {"[App]", "Verze=7.41"}));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    } else {
        path = box.root() + QStringLiteral("/missing/lorvena.ini");
    }
    const QByteArray before = readBytes(path);
    SettingsStore store(path);
    try {
        store.WriteString(QStringLiteral("App"), QStringLiteral("Verze"), QStringLiteral("8"));
        QFAIL("no error raised");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to %1").arg(path));
    }
    QCOMPARE(readBytes(path), before);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TestSettings::garbageFilesNeverCrash_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("refused");
    QByteArray binary(64 * 1024, '\0');
    auto* rng = QRandomGenerator::global();
    for (char& c : binary)
        c = char(rng->bounded(256));
    QTest::newRow("binary") << binary << false;
    QTest::newRow("no equals signs") << QByteArray("just some text\nwithout keys\n[App\nVerze\n") << false;
    QTest::newRow("bare carriage returns") << QByteArray("[App]\rVerze=1\r\r") << false;
    QTest::newRow("50 MB") << QByteArray(50 * 1024 * 1024, 'a') << true;
}

void TestSettings::garbageFilesNeverCrash() {
    QFETCH(QByteArray, content);
    QFETCH(bool, refused);
    AppDataSandbox box;
    const QString path = iniPath(box);
    QVERIFY(writeBytes(path, content));
    SettingsStore store(path);
    QElapsedTimer clock;
    clock.start();
    try {
        store.ReadString(QStringLiteral("App"), QStringLiteral("Verze"), QString());
        store.WriteString(QStringLiteral("App"), QStringLiteral("Verze"), QStringLiteral("7.41"));
        QVERIFY(!refused);
        QCOMPARE(store.ReadString(QStringLiteral("App"), QStringLiteral("Verze"), QString()),
                 QStringLiteral("7.41"));
    } catch (const AppError& e) {
        QVERIFY2(refused, qPrintable(e.message()));
        QVERIFY(e.message().contains(QStringLiteral("není o soubor")) ||
                e.message().contains(QStringLiteral("nejde o soubor")));
        QCOMPARE(QFileInfo(path).size(), qint64(content.size()));
    }
    QVERIFY(clock.elapsed() < 2000);
}

void TestSettings::ownerlessLockIsTakenOver_data() {
    QTest::addColumn<QByteArray>("lockText");
    // A program killed between making its lock file and writing into it.
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("torn") << QByteArray("12");
}

// Such a lock would otherwise stop every write for the lock's stale age.
void TestSettings::ownerlessLockIsTakenOver() {
    QFETCH(QByteArray, lockText);
    AppDataSandbox box;
    const QString path = iniPath(box);
    QVERIFY(writeBytes(path, "[App]\r\nVerze=7.40\r\n"));
    QFile lock(path + QStringLiteral(".lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(lockText);
    lock.setFileTime(QDateTime::currentDateTime().addSecs(-3), QFileDevice::FileModificationTime);
    lock.close();
    QElapsedTimer clock;
    clock.start();
    SettingsStore(path).WriteString(QStringLiteral("App"), QStringLiteral("Verze"), QStringLiteral("7.41"));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(readBytes(path), QByteArray("[App]\r\nVerze=7.41\r\n"));
    QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
}

// Two processes hammer the same file; every increment must survive.
void TestSettings::twoProcessesNeverLoseAnUpdate() {
    AppDataSandbox box;
    const QString path = iniPath(box);
    const int perProcess = 40;
    if (qEnvironmentVariableIsSet("LORVENA_HAMMER")) {
        SettingsStore store(qEnvironmentVariable("LORVENA_HAMMER"));
        const QString key = qEnvironmentVariable("LORVENA_HAMMER_KEY");
        for (int i = 1; i <= perProcess; ++i)
            store.WriteString(QStringLiteral("Hammer"), key, QString::number(i));
        return;
    }
    QList<QProcess*> procs;
    for (const char* key : {"first", "second"}) {
        auto* p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LORVENA_HAMMER"), path);
        env.insert(QStringLiteral("LORVENA_HAMMER_KEY"), QString::fromLatin1(key));
        p->setProcessEnvironment(env);
        p->start(QCoreApplication::applicationFilePath(), {QStringLiteral("twoProcessesNeverLoseAnUpdate")});
        procs << p;
    }
    for (QProcess* p : procs) {
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->exitCode(), 0);
    }
    SettingsStore store(path);
    QCOMPARE(store.ReadString(QStringLiteral("Hammer"), QStringLiteral("first"), QString()),
             QString::number(perProcess));
    QCOMPARE(store.ReadString(QStringLiteral("Hammer"), QStringLiteral("second"), QString()),
             QString::number(perProcess));
    QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
}

void TestSettings::batchWritesOnceOrNotAtAll() {
    AppDataSandbox box;
    const QString path = iniPath(box);
    QVERIFY(writeWindowsIni(path, {"[App]", "Verze=1"}));
    SettingsStore store(path);
    SettingsStore other(path);
    {
        SettingsStore::Batch batch(store);
        store.WriteString(QStringLiteral("App"), QStringLiteral("Verze"), QStringLiteral("2"));
        store.WriteString(QStringLiteral("Knihy"), QStringLiteral("Kniha1"), QStringLiteral("A"));
        // The batch's own handle sees its writes; the file does not have them yet.
        QCOMPARE(store.ReadString(QStringLiteral("knihy"), QStringLiteral("kniha1"), QString()),
                 QStringLiteral("A"));
        QCOMPARE(other.ReadString(QStringLiteral("App"), QStringLiteral("Verze"), QString()),
                 QStringLiteral("1"));
        batch.commit();
    }
    QCOMPARE(readBytes(path), QByteArray("[App]\r\nVerze=2\r\n[Knihy]\r\nKniha1=A\r\n"));
    try {
        SettingsStore::Batch batch(store);
        store.WriteString(QStringLiteral("App"), QStringLiteral("Verze"), QStringLiteral("3"));
        throw AppError(QStringLiteral("stop"));
    } catch (const AppError&) {
    }
    QCOMPARE(store.ReadString(QStringLiteral("App"), QStringLiteral("Verze"), QString()),
             QStringLiteral("2"));
    QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
}

void TestSettings::dataFolderFoundWhateverItsCase_data() {
    QTest::addColumn<QStringList>("folders"); // under APPDATA before the start
    QTest::addColumn<QString>("used");
    QTest::addColumn<QString>("settingsName"); // the settings file inside, if any
    QTest::newRow("none: created") << QStringList{} << "Lorvena"
                                   << "";
    QTest::newRow("Lorvena") << QStringList{"Lorvena"} << "Lorvena"
                             << "lorvena.ini";
    QTest::newRow("lorvena") << QStringList{"lorvena"} << "lorvena"
                             << "lorvena.ini";
    QTest::newRow("LORVENA") << QStringList{"LORVENA"} << "LORVENA"
                             << "lorvena.ini";
    QTest::newRow("lOrVeNa, file LORVENA.INI") << QStringList{"lOrVeNa"} << "lOrVeNa"
                                               << "LORVENA.INI";
    QTest::newRow("exact spelling first") << QStringList{"lorvena", "Lorvena", "LORVENA"} << "Lorvena"
                                          << "lorvena.ini";
    QTest::newRow("else code-point order") << QStringList{"lorvena", "LORVENA", "lorVena"} << "LORVENA"
                                           << "Lorvena.ini";
    QTest::newRow("similar names are others") << QStringList{"Lorvena2", "lorvena.old"} << "Lorvena"
                                              << "";
}

// A data folder copied from Windows or made by hand keeps its counters: an
// existing folder is used whatever the case of its name, and none is made
// beside it.
void TestSettings::dataFolderFoundWhateverItsCase() {
    QFETCH(QStringList, folders);
    QFETCH(QString, used);
    QFETCH(QString, settingsName);
    AppDataSandbox box;
    for (const QString& folder : folders)
        QVERIFY(QDir(box.root()).mkdir(folder));
    if (!settingsName.isEmpty())
        QVERIFY(writeWindowsIni(box.root() + u'/' + used + u'/' + settingsName,
                                {"[Cislovani]", "Vidimace-legalizace=318"}));

    DataDir::ensureExists();
    QStringList expected = folders.isEmpty() ? QStringList{used} : folders;
    if (!expected.contains(used))
        expected << used;
    expected.sort();
    QCOMPARE(QDir(box.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), expected);
    QCOMPARE(DataDir::directory(), box.root() + u'/' + used);
    if (settingsName.isEmpty())
        return;
    QCOMPARE(DataDir::settingsFile(), box.root() + u'/' + used + u'/' + settingsName);
    QCOMPARE(SettingsStore(DataDir::settingsFile())
                 .ReadString(QStringLiteral("Cislovani"), QStringLiteral("Vidimace-legalizace"), QString()),
             QStringLiteral("318"));
    // The other files follow the folder.
    QCOMPARE(QFileInfo(DataDir::savedClausesFile()).absolutePath(), box.root() + u'/' + used);
}

void TestSettings::firstStartWritesExactlyTheListedKeys() {
    AppDataSandbox box;
    const QString path = iniPath(box);
    SettingsStore store(path);
    writeFirstStartValues(store);
    const QStringList expected = {"[App] Verze=7.41",
                                  "[App] last printed=12",
                                  "[App] prepare next=1",
                                  "[App] last printed kniha=6",
                                  "[Poplatky] vidimace=30",
                                  "[Poplatky] legalizace=50",
                                  "[Printer] dpi=600",
                                  "[Overovatele] Overovatel1=Zoz Azira",
                                  "[DPJ] 2Organ1=Zastupitelstva obce Zididuzado Dazuz",
                                  "[DPJ] 7Organ1=Zastupitelstvem obce Zididuzado Dazuz",
                                  "[Stitky] a=5",
                                  "[Stitky] b=2",
                                  "[Stitky] c=47",
                                  "[Stitky] d=0",
                                  "[Stitky] z=16",
                                  "[Stitky] y=2",
                                  "[Stitky] x=78",
                                  "[Stitky] w=15",
                                  "[Stitky] ka=13",
                                  "[Stitky] kb=2",
                                  "[Stitky] kc=44",
                                  "[Stitky] kd=0",
                                  "[Stitky] kz=38",
                                  "[Stitky] ky=2",
                                  "[Font] ZakladniFont=Arial",
                                  "[Font] NadpisFont=Arial",
                                  "[Font] UdajeFont=Arial",
                                  "[Font] ZakladniVelikost=6",
                                  "[Font] NadpisVelikost=8",
                                  "[Font] UdajeVelikost=6",
                                  "[Zalozky] Vidimace=1",
                                  "[Zalozky] Legalizace=1",
                                  "[Zalozky] Zamer=1",
                                  "[Zalozky] Schvaleni=1",
                                  "[Organizace] Kde=V Dudeverodu Zered",
                                  "[Organizace] Organizace2pad=Obecního úřadu Zididuzado Dazuz",
                                  "[Cislovani] Vidimace-legalizace=1",
                                  "[Cislovani] Tvar=0",
                                  "[Cislovani] VybranaKniha-Vidimace=0",
                                  "[Cislovani] VybranaKniha-Legalizace=0"};
    QCOMPARE(keysOf(path), expected);
    QVERIFY(!readBytes(path).startsWith("\xEF\xBB\xBF"));
}

void TestSettings::laterStartsReseedOnlyEmptyKeys() {
    AppDataSandbox box;
    const QString path = iniPath(box);
    QVERIFY(writeWindowsIni(path, {"[App]", "Verze=6.0", "prepare next=0", "[Poplatky]", "vidimace=40",
                                   "legalizace=40", "[Stitky]", "c=", "[Printer]", "dpi=300"}));
    SettingsStore store(path);
    writeFirstStartValues(store);
    auto read = [&](const char* s, const char* k) {
        return store.ReadString(QString::fromLatin1(s), QString::fromLatin1(k), QStringLiteral("absent"));
    };
    QCOMPARE(read("App", "Verze"), QStringLiteral("7.41"));
    QCOMPARE(read("App", "last printed"), QStringLiteral("12"));
    QCOMPARE(read("App", "prepare next"), QStringLiteral("1"));
    QCOMPARE(read("Poplatky", "vidimace"), QStringLiteral("40"));
    QCOMPARE(read("Poplatky", "legalizace"), QStringLiteral("50"));
    QCOMPARE(read("Stitky", "c"), QStringLiteral("47"));
    QCOMPARE(read("Printer", "dpi"), QStringLiteral("300"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
