#pragma once

// Where the program keeps Gestione.xls, Fattura.xls and Salvataggio: the one
// place that decides it.
//
// Started from its build folder (or any folder that holds its store beside the
// executable) the program works in the executable's folder, as it always did.
// Installed, it works in the user's data folder, ~/Brisvel unless the command
// line (--cartella DIR) or the environment (BRISVEL_DATA_DIR) names another; that
// folder is made on first start with copies of the installed empty store and
// invoice template.

#include "base/result.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace app {

inline constexpr const char* kFolderOption = "--cartella";
inline constexpr const char* kDataFolderVariable = "BRISVEL_DATA_DIR";
inline constexpr const char* kDataFolderName = "Brisvel";

// What the decision looks at, gathered from the system by programStartAt().
struct ProgramStart {
    QStringList arguments;  // the command line after the program's name
    QString executableFolder;
    bool storeBesideExecutable = false;
    // The installed read-only defaults (empty store, invoice template); empty when
    // the program is not installed.
    QString defaultsFolder;
    QString dataFolderVariable;  // empty when unset
    QString homeFolder;
    QString currentFolder;  // a relative folder on the command line is taken from here
};

// Why the folder could not be had, in Italian, as the program shows it.
struct FolderError {
    QString message;
};

struct ProgramFolder {
    QString path;
    // Where missing files of `path` are copied from; empty: nothing is copied.
    QString defaultsFolder;

    bool operator==(const ProgramFolder&) const = default;
};

// The facts for an executable in `executableFolder`; the installed defaults are
// looked for at its place in the installed tree (bin/../share/brisvel).
ProgramStart programStartAt(const QString& executableFolder, const QStringList& arguments,
                            const QProcessEnvironment& environment, const QString& currentFolder);

// The running program's facts.
ProgramStart currentProgramStart();

// The folder named on the command line wins, then the environment's; then the
// executable's folder when it holds the store; then, installed, the user's data
// folder; otherwise the executable's folder, where the start reports the missing
// store as it always did. An Italian message when the command line is malformed.
brisvel::Result<ProgramFolder, FolderError> decideProgramFolder(const ProgramStart& start);

// Makes the folder when missing and copies into it each default file it lacks.
// An existing file is never written over, and a copy appears whole or not at all.
// An Italian message naming the folder or file when that fails.
brisvel::Result<brisvel::Done, FolderError> prepareProgramFolder(const ProgramFolder& folder);

// Decides the folder for `start` and prepares it: the folder's path, or the
// Italian message that the program shows before it ends.
brisvel::Result<QString, FolderError> settleProgramFolder(const ProgramStart& start);

}  // namespace app
