#include "app/program_folder.h"

#include "store/workbook_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <optional>

#include <unistd.h>

namespace app {

namespace {

// The files a new data folder starts with, when the installation has them.
const char* const kDefaultFiles[] = {store::kStoreFileName, "Fattura.xls"};

QString absoluteIn(const QString& base, const QString& path) {
    return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

// The value of `--cartella DIR` or `--cartella=DIR` (the last one given): nothing
// when the option is absent, an error when it is given without a folder.
brisvel::Result<std::optional<QString>, FolderError> folderOption(const QStringList& arguments) {
    const QString option = QString::fromLatin1(kFolderOption);
    const QString withValue = option + u'=';
    std::optional<QString> folder;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == option)
            value = i + 1 < arguments.size() ? arguments[++i] : QString();
        else if (arguments[i].startsWith(withValue))
            value = arguments[i].mid(withValue.size());
        else
            continue;
        if (value.isEmpty())
            return FolderError{
                QStringLiteral("L'opzione %1 vuole il nome di una cartella, per esempio:\n"
                               "brisvel %1 ~/Documenti/Fatture")
                    .arg(option)};
        folder = value;
    }
    return folder;
}

// Copies `from` to `to` only when `to` does not exist: the copy is written under
// a temporary name and then linked into place, so a crash never leaves half a file
// and a file that appeared meanwhile is kept.
brisvel::Result<brisvel::Done, FolderError> copyWhenMissing(const QString& from,
                                                            const QString& to) {
    if (QFileInfo::exists(to))
        return brisvel::Done{};
    const auto failed = [&to](const QString& why) {
        return FolderError{QStringLiteral("Impossibile creare il file %1.\n%2")
                               .arg(QDir::toNativeSeparators(to), why)};
    };
    const QString partial = to + QStringLiteral(".nuovo");
    QFile::remove(partial);  // a leftover of an interrupted first start
    QFile source(from);
    if (!source.copy(partial))
        return failed(source.errorString());
    // The installed defaults are read-only; the user's copy is theirs to change.
    QFile::setPermissions(
        partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    const QByteArray partialName = QFile::encodeName(partial);
    const int linked = ::link(partialName.constData(), QFile::encodeName(to).constData());
    const int linkError = errno;
    QFile::remove(partial);
    if (linked != 0 && linkError != EEXIST)
        return failed(QString::fromLocal8Bit(std::strerror(linkError)));
    return brisvel::Done{};
}

}  // namespace

ProgramStart programStartAt(const QString& executableFolder, const QStringList& arguments,
                            const QProcessEnvironment& environment, const QString& currentFolder) {
    ProgramStart start;
    start.arguments = arguments;
    start.executableFolder = QDir::cleanPath(executableFolder);
    start.storeBesideExecutable =
        QFileInfo(QDir(executableFolder).filePath(QString::fromLatin1(store::kStoreFileName)))
            .isFile();
    // BRISVEL_DEFAULTS_FROM_BIN is set by the build from its install folders.
    const QString defaults =
        absoluteIn(executableFolder, QString::fromLatin1(BRISVEL_DEFAULTS_FROM_BIN));
    if (QFileInfo(QDir(defaults).filePath(QString::fromLatin1(store::kStoreFileName))).isFile())
        start.defaultsFolder = defaults;
    start.dataFolderVariable = environment.value(QString::fromLatin1(kDataFolderVariable));
    start.homeFolder = environment.value(QStringLiteral("HOME"), QDir::homePath());
    start.currentFolder = currentFolder;
    return start;
}

ProgramStart currentProgramStart() {
    return programStartAt(QCoreApplication::applicationDirPath(),
                          QCoreApplication::arguments().mid(1),
                          QProcessEnvironment::systemEnvironment(), QDir::currentPath());
}

brisvel::Result<ProgramFolder, FolderError> decideProgramFolder(const ProgramStart& start) {
    const auto option = folderOption(start.arguments);
    if (!option)
        return option.error();
    if (*option)
        return ProgramFolder{absoluteIn(start.currentFolder, **option), start.defaultsFolder};
    if (!start.dataFolderVariable.isEmpty())
        return ProgramFolder{absoluteIn(start.currentFolder, start.dataFolderVariable),
                             start.defaultsFolder};
    if (start.storeBesideExecutable || start.defaultsFolder.isEmpty())
        return ProgramFolder{start.executableFolder, {}};
    return ProgramFolder{absoluteIn(start.homeFolder, QString::fromLatin1(kDataFolderName)),
                         start.defaultsFolder};
}

brisvel::Result<brisvel::Done, FolderError> prepareProgramFolder(const ProgramFolder& folder) {
    if (!QDir().mkpath(folder.path))
        return FolderError{QStringLiteral("Impossibile creare la cartella dei dati %1.")
                               .arg(QDir::toNativeSeparators(folder.path))};
    if (folder.defaultsFolder.isEmpty())
        return brisvel::Done{};
    for (const char* name : kDefaultFiles) {
        const QString from = QDir(folder.defaultsFolder).filePath(QString::fromLatin1(name));
        if (!QFileInfo(from).isFile())
            continue;  // an installation without the invoice template yet
        const auto copied =
            copyWhenMissing(from, QDir(folder.path).filePath(QString::fromLatin1(name)));
        if (!copied)
            return copied.error();
    }
    return brisvel::Done{};
}

brisvel::Result<QString, FolderError> settleProgramFolder(const ProgramStart& start) {
    const auto folder = decideProgramFolder(start);
    if (!folder)
        return folder.error();
    const auto prepared = prepareProgramFolder(*folder);
    if (!prepared)
        return prepared.error();
    return folder->path;
}

}  // namespace app
