#include "SmallFileSystem.h"
#include "TestSupport.h"

#include "applicant/SavedClauses.h"
#include "settings/AppError.h"
#include "settings/DurableFile.h"
#include "settings/LogoConversion.h"
#include "settings/SettingsStore.h"

#include <QFileInfo>
#include <functional>
#include <memory>

namespace {

// The three files the program writes: a good version, then a change made
// through the file's owner as the program makes it.
enum class Target { Settings, SavedClauses, Logo };

QString pathOf(Target t) {
    switch (t) {
    case Target::Settings:
        return DataDir::settingsFile();
    case Target::SavedClauses:
        return DataDir::savedClausesFile();
    case Target::Logo:
        return DataDir::logoFile();
    }
    return {};
}

LegalizationFields person(int i) {
    LegalizationFields f;
    f.applicant = QStringLiteral("Jan Novák %1, 07.03.1985, Přerov").arg(i);
    f.signing = 1;
    f.addressKind = 2;
    f.man = true;
    f.address = QStringLiteral("Žižkova %1, Přerov").arg(i);
    f.documentKind = 3;
    f.documentNumber = QString::number(40123456 + i);
    return f;
}

// Writes the good version; each is larger than one 4 KiB page, as a settings
// file with books and officers or a year of saved clauses is.
void writeFirstVersion(Target t) {
    switch (t) {
    case Target::Settings: {
        SettingsStore store(DataDir::settingsFile());
        SettingsStore::Batch batch(store);
        for (int i = 1; i <= 80; ++i)
            store.WriteString(QStringLiteral("Ověřující"), QStringLiteral("Osoba%1").arg(i),
                              QStringLiteral("Mgr. Jana Dvořáková, referentka správního odboru %1").arg(i));
        store.WriteString(QStringLiteral("Cislovani"), QStringLiteral("Vidimace-legalizace"),
                          QStringLiteral("41"));
        batch.commit();
        break;
    }
    case Target::SavedClauses: {
        // Written at once: 80 saves would cost 80 syncs to the disk.
        QByteArray text;
        for (int i = 0; i < 80; ++i)
            text += AnsiText::encode(SavedClauses::lineFor(person(i))) + "\r\n";
        QVERIFY(writeBytes(DataDir::savedClausesFile(), text));
        break;
    }
    case Target::Logo:
        convertLogo(testDataPath(QStringLiteral("logo/colour-101x61.jpg")), DataDir::logoFile());
        break;
    }
}

// The change the program makes next: the counter goes up, one more clause is
// saved, another logo is chosen.
void writeChange(Target t) {
    switch (t) {
    case Target::Settings:
        SettingsStore(DataDir::settingsFile())
            .WriteString(QStringLiteral("Cislovani"), QStringLiteral("Vidimace-legalizace"),
                         QStringLiteral("42"));
        break;
    case Target::SavedClauses: {
        SavedClauses clauses;
        clauses.load();
        clauses.save(person(100));
        break;
    }
    case Target::Logo:
        convertLogo(testDataPath(QStringLiteral("logo/colour-100x80.jpg")), DataDir::logoFile());
        break;
    }
}

void addTargets(const char* prefix, const std::function<void(QTestData&)>& more = {}) {
    const std::pair<const char*, Target> targets[] = {{"lorvena.ini", Target::Settings},
                                                      {"legalizace.dec", Target::SavedClauses},
                                                      {"logo.bmp", Target::Logo}};
    for (const auto& [name, target] : targets) {
        QTestData& row = QTest::addRow("%s%s", prefix, name) << target;
        if (more)
            more(row);
    }
}

// Expects the change to fail with the one error text, the old file unchanged
// byte for byte and no file left beside it.
void expectRefusedChange(Target t, const QByteArray& before, const QStringList& filesBefore) {
    const QString path = pathOf(t);
    try {
        writeChange(t);
        QFAIL("the change was reported as written");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path)));
    }
    QCOMPARE(readBytes(path), before);
    QCOMPARE(QDir(DataDir::directory()).entryList(QDir::Files | QDir::Hidden), filesBefore);
}

// Faults put in place of the disk calls.
enum class Fault {
    ShortWriteThenError, // a full disk: part of the data, then an error
    WriteError,          // nothing written at all
    SilentShortWrite,    // a buffered write that claims everything, keeps a page
    SyncFails,           // the data never reaches the disk
};

Fault g_fault = Fault::WriteError;

qint64 faultyWrite(QFile& file, const char* data, qint64 size) {
    const qint64 page = 4096;
    const qint64 written = file.pos();
    switch (g_fault) {
    case Fault::ShortWriteThenError:
        if (written >= page)
            return -1;
        return file.write(data, qMin(size, page - written));
    case Fault::WriteError:
        return -1;
    case Fault::SilentShortWrite:
        file.write(data, qMax<qint64>(0, qMin(size, page - written)));
        return size;
    case Fault::SyncFails:
        return file.write(data, size);
    }
    return -1;
}

bool faultySync(QFile& file) {
    Q_UNUSED(file);
    return g_fault != Fault::SyncFails;
}

const DurableFile::DiskCalls kFaultyCalls{faultyWrite, faultySync};

class FaultsInPlace {
public:
    explicit FaultsInPlace(Fault f) {
        g_fault = f;
        m_before = DurableFile::setDiskCallsForTesting(&kFaultyCalls);
    }
    ~FaultsInPlace() { DurableFile::setDiskCallsForTesting(m_before); }

private:
    const DurableFile::DiskCalls* m_before = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(Fault)

class TestDurable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<AppDataSandbox>();
        m_sandbox->makeDataDir();
    }
    void cleanup() { m_sandbox.reset(); }

    void replacesAndKeepsPermissions();
    void injectedFaultsKeepTheOldFile_data();
    void injectedFaultsKeepTheOldFile();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();

private:
    std::unique_ptr<AppDataSandbox> m_sandbox;
};

void TestDurable::replacesAndKeepsPermissions() {
    const QString path = m_sandbox->dataDir() + QStringLiteral("/file.txt");
    DurableFile::replace(path, "first");
    QCOMPARE(readBytes(path), QByteArray("first"));

    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(path, mode));
    DurableFile::replace(path, QByteArray(100000, 'z'));
    QCOMPARE(readBytes(path), QByteArray(100000, 'z'));
    QCOMPARE(QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), mode);

    // A link stays a link; the file it names gets the contents.
    const QString link = m_sandbox->dataDir() + QStringLiteral("/link.txt");
    QVERIFY(QFile::link(path, link));
    DurableFile::replace(link, "through the link");
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(path), QByteArray("through the link"));
    QCOMPARE(QDir(m_sandbox->dataDir()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             (QStringList{"file.txt", "link.txt"}));
}

void TestDurable::injectedFaultsKeepTheOldFile_data() {
    QTest::addColumn<Target>("target");
    QTest::addColumn<Fault>("fault");
    const std::pair<const char*, Fault> faults[] = {{"short write, ", Fault::ShortWriteThenError},
                                                    {"write error, ", Fault::WriteError},
                                                    {"silent short write, ", Fault::SilentShortWrite},
                                                    {"failed sync, ", Fault::SyncFails}};
    for (const auto& [name, fault] : faults)
        addTargets(name, [fault = fault](QTestData& row) { row << fault; });
}

void TestDurable::injectedFaultsKeepTheOldFile() {
    QFETCH(Target, target);
    QFETCH(Fault, fault);
    writeFirstVersion(target);
    const QByteArray before = readBytes(pathOf(target));
    QVERIFY(before.size() > 4096);
    const QStringList files = QDir(DataDir::directory()).entryList(QDir::Files | QDir::Hidden);
    {
        FaultsInPlace faults(fault);
        expectRefusedChange(target, before, files);
    }
    if (QTest::currentTestFailed())
        return;
    // Once the disk behaves, the same change goes through.
    writeChange(target);
    QVERIFY(readBytes(pathOf(target)) != before);
    QCOMPARE(QDir(DataDir::directory()).entryList(QDir::Files | QDir::Hidden), files);
}

void TestDurable::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<Target>("target");
    addTargets("");
}

void TestDurable::fullDiskKeepsTheOldFile() {
    QFETCH(Target, target);
    SmallFileSystem fs;
    REQUIRE_SMALL_FILE_SYSTEM(fs);
    qputenv("APPDATA", QFile::encodeName(fs.path()));
    QVERIFY(QDir().mkpath(DataDir::directory()));
    writeFirstVersion(target);
    const QByteArray before = readBytes(pathOf(target));
    const QStringList files = QDir(DataDir::directory()).entryList(QDir::Files | QDir::Hidden);

    // One page left: the lock file fits, the new file does not.
    QVERIFY(fs.fillLeaving(4096));
    expectRefusedChange(target, before, files);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(fs.freeBytes(), 4096);

    QVERIFY(fs.removeFiller());
    writeChange(target);
    QVERIFY(readBytes(pathOf(target)) != before);
}

QTEST_GUILESS_MAIN(TestDurable)
#include "tst_durable.moc"
