// Where the program keeps its files: the build folder as before, the user's data
// folder when installed, a folder named on the command line or in the environment;
// and a new data folder made from the installed defaults without losing a file.
#include "app/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using app::ProgramFolder;
using app::ProgramStart;

const QString kBuild = QStringLiteral("/home/anna/brisvel/build/program");
const QString kInstalledBin = QStringLiteral("/usr/bin");
const QString kDefaults = QStringLiteral("/usr/share/brisvel");
const QString kHome = QStringLiteral("/home/anna");
const QString kDesktop = QStringLiteral("/home/anna/Scrivania");

struct DecisionRow {
    const char* name;
    QStringList arguments;
    bool installed;  // the defaults lie beside the executable, no store beside it
    bool storeBesideExecutable;
    QString variable;
    QString expectedPath;  // empty: the command line is refused
    bool expectDefaults;
};

void PrintTo(const DecisionRow& row, std::ostream* out) {
    *out << row.name;
}

ProgramStart startFor(const DecisionRow& row) {
    ProgramStart start;
    start.arguments = row.arguments;
    start.executableFolder = row.installed ? kInstalledBin : kBuild;
    start.storeBesideExecutable = row.storeBesideExecutable;
    start.defaultsFolder = row.installed ? kDefaults : QString();
    start.dataFolderVariable = row.variable;
    start.homeFolder = kHome;
    start.currentFolder = kDesktop;
    return start;
}

const QStringList kNone;
const QString kUnset;

const DecisionRow kDecisions[] = {
    {"build folder with its store", kNone, false, true, kUnset, kBuild, false},
    {"build folder without a store reports it there", kNone, false, false, kUnset, kBuild, false},
    {"installed: the home's data folder", kNone, true, false, kUnset, kHome + "/Brisvel", true},
    {"a store beside an installed program is used there", kNone, true, true, kUnset, kInstalledBin,
     false},
    {"environment", kNone, true, false, "/srv/fatture", "/srv/fatture", true},
    {"environment, relative to the current folder", kNone, true, false, "Fatture",
     kDesktop + "/Fatture", true},
    {"environment beats the build folder's store", kNone, false, true, "/srv/fatture",
     "/srv/fatture", false},
    {"option beats environment",
     {"--cartella", "/media/chiavetta/Brisvel"},
     true,
     false,
     "/srv/fatture",
     "/media/chiavetta/Brisvel",
     true},
    {"option with equals sign", {"--cartella=/srv/altro"}, true, false, kUnset, "/srv/altro", true},
    {"option among Qt's own",
     {"-style", "fusion", "--cartella", "dati/../Dati"},
     true,
     false,
     kUnset,
     kDesktop + "/Dati",
     true},
    {"the last option counts",
     {"--cartella", "/a", "--cartella=/b"},
     true,
     false,
     kUnset,
     "/b",
     true},
    {"option in the build folder",
     {"--cartella", "/tmp/prova"},
     false,
     true,
     kUnset,
     "/tmp/prova",
     false},
    {"option without its folder", {"--cartella"}, true, false, kUnset, kUnset, false},
    {"option with an empty folder", {"--cartella", ""}, true, false, kUnset, kUnset, false},
    {"equals sign without a folder", {"--cartella="}, true, false, "/srv/fatture", kUnset, false},
};

class Decision : public testing::TestWithParam<DecisionRow> {};

TEST_P(Decision, ChoosesTheFolder) {
    const DecisionRow& row = GetParam();
    const auto decided = app::decideProgramFolder(startFor(row));
    if (row.expectedPath.isEmpty()) {
        ASSERT_FALSE(decided.ok());
        EXPECT_TRUE(decided.error().message.contains(QStringLiteral("--cartella")))
            << decided.error().message.toStdString();
        return;
    }
    ASSERT_TRUE(decided.ok()) << decided.error().message.toStdString();
    EXPECT_EQ(*decided,
              (ProgramFolder{row.expectedPath, row.expectDefaults ? kDefaults : QString()}));
}

INSTANTIATE_TEST_SUITE_P(Rows, Decision, testing::ValuesIn(kDecisions),
                         [](const testing::TestParamInfo<DecisionRow>& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QProcessEnvironment environmentWith(const QString& home, const QString& variable = {}) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), home);
    if (!variable.isNull())
        environment.insert(QString::fromLatin1(app::kDataFolderVariable), variable);
    return environment;
}

TEST(ProgramStartFacts, InstalledTreeHasItsDefaults) {
    QTemporaryDir root;
    writeFile(root.filePath("usr/share/brisvel/Gestione.xls"), "store");
    QDir().mkpath(root.filePath("usr/bin"));
    const ProgramStart start = app::programStartAt(
        root.filePath("usr/bin"), {}, environmentWith(root.filePath("home")), root.path());
    EXPECT_FALSE(start.storeBesideExecutable);
    EXPECT_EQ(start.defaultsFolder, root.filePath("usr/share/brisvel"));
    EXPECT_EQ(start.homeFolder, root.filePath("home"));
    EXPECT_TRUE(start.dataFolderVariable.isEmpty());
}

TEST(ProgramStartFacts, BuildFolderHasItsStoreAndNoDefaults) {
    QTemporaryDir root;
    writeFile(root.filePath("program/Gestione.xls"), "store");
    const ProgramStart start =
        app::programStartAt(root.filePath("program"), {QStringLiteral("--cartella")},
                            environmentWith(root.path(), QStringLiteral("/srv")), root.path());
    EXPECT_TRUE(start.storeBesideExecutable);
    EXPECT_TRUE(start.defaultsFolder.isEmpty());
    EXPECT_EQ(start.dataFolderVariable, QStringLiteral("/srv"));
    EXPECT_EQ(start.arguments, QStringList{QStringLiteral("--cartella")});
}

TEST(ProgramStartFacts, DefaultsWithoutAStoreAreNoInstallation) {
    QTemporaryDir root;
    QDir().mkpath(root.filePath("share/brisvel"));
    QDir().mkpath(root.filePath("bin"));
    const ProgramStart start =
        app::programStartAt(root.filePath("bin"), {}, environmentWith(root.path()), root.path());
    EXPECT_TRUE(start.defaultsFolder.isEmpty());
}

class NewDataFolder : public testing::Test {
  protected:
    void SetUp() override {
        writeFile(defaults() + "/Gestione.xls", "empty store");
        writeFile(defaults() + "/Fattura.xls", "template");
        // Installed defaults are read-only.
        for (const char* name : {"/Gestione.xls", "/Fattura.xls"})
            QFile::setPermissions(defaults() + name,
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    QString defaults() const { return root_.filePath("share/brisvel"); }
    QString data() const { return root_.filePath("home/anna/Brisvel"); }
    ProgramFolder folder() const { return {data(), defaults()}; }

    QTemporaryDir root_;
};

TEST_F(NewDataFolder, FirstStartCopiesTheDefaultsAsTheUsersOwn) {
    const auto prepared = app::prepareProgramFolder(folder());
    ASSERT_TRUE(prepared.ok()) << prepared.error().message.toStdString();
    EXPECT_EQ(readFile(data() + "/Gestione.xls"), "empty store");
    EXPECT_EQ(readFile(data() + "/Fattura.xls"), "template");
    EXPECT_TRUE(QFileInfo(data() + "/Gestione.xls").permissions() & QFile::WriteOwner);
    EXPECT_TRUE(QFileInfo(data() + "/Fattura.xls").permissions() & QFile::WriteOwner);
    EXPECT_EQ(QDir(data()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no partial copy is left behind";
}

TEST_F(NewDataFolder, ExistingFilesAreNeverWrittenOver) {
    writeFile(data() + "/Gestione.xls", "the user's invoices");
    writeFile(data() + "/Fattura.xls.nuovo", "half a copy from an interrupted start");
    const auto prepared = app::prepareProgramFolder(folder());
    ASSERT_TRUE(prepared.ok()) << prepared.error().message.toStdString();
    EXPECT_EQ(readFile(data() + "/Gestione.xls"), "the user's invoices");
    EXPECT_EQ(readFile(data() + "/Fattura.xls"), "template") << "the missing one is added";
    EXPECT_FALSE(QFileInfo::exists(data() + "/Fattura.xls.nuovo"));
}

TEST_F(NewDataFolder, AnInstallationWithoutTheTemplateGivesTheStoreAlone) {
    QFile::setPermissions(defaults() + "/Fattura.xls", QFile::WriteOwner | QFile::ReadOwner);
    ASSERT_TRUE(QFile::remove(defaults() + "/Fattura.xls"));
    ASSERT_TRUE(app::prepareProgramFolder(folder()).ok());
    EXPECT_TRUE(QFileInfo::exists(data() + "/Gestione.xls"));
    EXPECT_FALSE(QFileInfo::exists(data() + "/Fattura.xls"));
}

TEST_F(NewDataFolder, BuildFolderGetsNothingCopied) {
    const auto prepared = app::prepareProgramFolder({data(), {}});
    ASSERT_TRUE(prepared.ok());
    EXPECT_TRUE(QDir(data()).isEmpty());
}

TEST_F(NewDataFolder, AFolderThatCannotBeMadeIsReportedByName) {
    // A file where the folder should go: refused even to root.
    writeFile(root_.filePath("home/anna"), "a file");
    const auto prepared = app::prepareProgramFolder(folder());
    ASSERT_FALSE(prepared.ok());
    EXPECT_EQ(prepared.error().message,
              QStringLiteral("Impossibile creare la cartella dei dati %1.")
                  .arg(QDir::toNativeSeparators(data())));
}

TEST_F(NewDataFolder, SettlingDecidesAndPrepares) {
    ProgramStart start;
    start.executableFolder = root_.filePath("bin");
    start.defaultsFolder = defaults();
    start.homeFolder = root_.filePath("home/anna");
    start.currentFolder = root_.path();
    const auto settled = app::settleProgramFolder(start);
    ASSERT_TRUE(settled.ok()) << settled.error().message.toStdString();
    EXPECT_EQ(*settled, data());
    EXPECT_EQ(readFile(data() + "/Gestione.xls"), "empty store");

    start.arguments = QStringList{QStringLiteral("--cartella")};
    EXPECT_FALSE(app::settleProgramFolder(start).ok());
}

}  // namespace
