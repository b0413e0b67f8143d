// File access the catalogues and shell actions need, behind a seam so that
// tests can run without touching the disk.
#pragma once

#include <string>
#include <vector>

namespace velotune {

class Files {
 public:
  virtual ~Files() = default;
  // Writes the lines, each ended by CR LF, replacing the file. Raises
  // EFCreateError ("Cannot create file ...") when the file cannot be created.
  virtual void WriteLines(const std::string& path, const std::vector<std::string>& lines) = 0;
  // Writes the data as a new file, whole or not at all: to a temporary file
  // beside it, flushed to the disk, then renamed to `path`, which is never
  // replaced. False, with nothing written, when `path` is taken. Raises
  // EFCreateError with the system's reason for any other failure, the
  // temporary file removed.
  virtual bool WriteNewFile(const std::string& path, const std::string& data) = 0;
  // Whether the path names a folder.
  virtual bool IsFolder(const std::string& path) = 0;
  // False when the file could not be deleted.
  virtual bool Delete(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // The folder of the running executable, ending in a backslash.
  virtual std::string ProgramFolder() = 0;
  // The whole file; false when it cannot be read.
  virtual bool ReadAll(const std::string& path, std::string* data) = 0;
  // The names of the files (not folders) in a folder given with its trailing
  // backslash; empty when there is none or it cannot be listed.
  virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
  // The names of the folders in a folder given with its trailing backslash.
  virtual std::vector<std::string> ListFolders(const std::string& folder) = 0;
  // Creates the folder and every missing folder above it; false when it cannot.
  virtual bool MakeFolders(const std::string& folder) = 0;
  // Removes an empty folder; false when it cannot.
  virtual bool RemoveFolder(const std::string& folder) = 0;
  // The user's local application-data folder, ending in a backslash; empty
  // when the system does not say.
  virtual std::string LocalAppDataFolder() = 0;

  // Where only administrators may write. The defaults say nothing is so.
  // The machine's common application-data folder (%ProgramData%), ending in
  // a backslash; empty when the system does not say.
  virtual std::string CommonAppDataFolder() { return ""; }
  // Makes the folder, and any missing above it, so that only administrators
  // and the system can change what lies in it: owned by Administrators, full
  // control for Administrators and SYSTEM, read for Users, nothing inherited
  // from above. A folder there already is given that ACL. False when the
  // folder is not so afterwards.
  virtual bool MakeProtectedFolder(const std::string&) { return false; }
  // As ReadAll; `adminOnly` says whether only administrators and the system
  // can have written the file: its owner is one of them and its ACL lets no
  // one else change it. Judged on the open file the data is read from.
  virtual bool ReadAllProtected(const std::string& path, std::string* data, bool* adminOnly) {
    *adminOnly = false;
    return ReadAll(path, data);
  }
  // Gives a file another name in its folder; false, with nothing changed,
  // when the name is taken or the file cannot be renamed.
  virtual bool Rename(const std::string&, const std::string&) { return false; }
};

}  // namespace velotune
