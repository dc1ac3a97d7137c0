#pragma once

// The files the program keeps for itself, which no "save as" may write over: the
// store, its lock file, its backup copy and the invoice form. Paths are compared in
// canonical form, so a link, a "..", or another spelling of the folder does not hide
// them; a file that does not exist yet is compared by its folder's canonical path.

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace store {

class WorkbookStore;

class HeldFiles {
  public:
    // The store's own files, and `form`, the invoice form beside it.
    HeldFiles(const WorkbookStore& store, const QString& form);

    // What `path` is to the program, in Italian ("l'archivio Gestione.xls"); none
    // when it is none of its files.
    std::optional<QString> heldAs(const QString& path) const;

  private:
    std::vector<std::pair<QString, QString>> files_;  // path, what it is
};

}  // namespace store
