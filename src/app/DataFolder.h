#pragma once

#include "db/Connection.h"

#include <string>

namespace app {

// The folder of the two embedded databases and the connections opened on it.
class DataFolder {
  public:
    static std::string DefaultPath();
    explicit DataFolder(std::string path) : path_(std::move(path)) {}
    const std::string &Path() const { return path_; }
    std::string ErpFile() const { return path_ + "/erp.db"; }
    std::string AccountingFile() const { return path_ + "/contabilidad.db"; }
    bool Exists() const;
    // The folder or one of its files cannot be written: opened to read only.
    bool SoloLectura() const;
    // Optional connection settings: [Conexion] Motor=sqlite|odbc, Dialecto=sqlserver|sqlite, ERP=..., Contabilidad=...
    std::string SettingsFile() const;
    // Creates both databases with their schema (and the demo company); refuses to overwrite. When
    // one of them exists, creates only the other, empty (never the demo company in half a folder).
    // Returns the file created when only one was missing, empty when both were created.
    std::string Create(bool demo) const;
    // Opens the accounting database, then the ERP one with the accounting one attached under the
    // accounting company's "ODBCBaseDatos" name.
    void Open(int company, db::ConnectionPtr &erp, db::ConnectionPtr &accounting) const;

  private:
    std::string path_;
};

} // namespace app
