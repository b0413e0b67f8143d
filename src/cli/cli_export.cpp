#include "cli/cli_export.h"

#include "platform/errors.h"

namespace velotune {

namespace {

std::string Count(std::size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// The text file beside the export, UTF-8 with a byte-order mark and CR LF
// line ends, as Notepad on any version reads it.
std::string ReadmeText(const std::string& title, const std::vector<std::string>& lines) {
  std::string text = "\xEF\xBB\xBF" + title + "\r\n\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> AboutPolicyFiles(const PolicyFiles& pol) {
  return {
      "Machine\\Registry.pol  HKEY_LOCAL_MACHINE, and HKEY_CLASSES_ROOT as its Software\\Classes "
      "(" +
          Count(pol.machineInstructions, "instruction") + ")",
      "User\\Registry.pol     HKEY_CURRENT_USER (" + Count(pol.userInstructions, "instruction") +
          ")",
      "",
      "Copy the two files into the Machine and User folders of a Group Policy object (its",
      "folder under SYSVOL), or import them on one machine with the local policy tool. Each",
      "value and key ends as the action leaves it, whatever the machine held before.",
  };
}

std::vector<std::string> AboutRegScript(const std::string& file) {
  return {
      file + "  a registry script (\"Windows Registry Editor Version 5.00\")",
      "",
      "Import it on each machine with \"reg import " + file + "\" or \"regedit /s " + file + "\",",
      "from any deployment tool. HKEY_LOCAL_MACHINE needs administrator rights; HKEY_CURRENT_USER",
      "is the registry of the user who imports it. Each value and key ends as the action leaves",
      "it, whatever the machine held before.",
  };
}

std::vector<std::string> AboutJson(const std::string& file) {
  return {
      file + "  the records as JSON, for configuration-management tools",
      "",
      "\"records\" lists, in order, what to do: each has \"operation\" (create-key, set-value,",
      "delete-value, delete-key), \"root\" and \"path\"; values add \"name\", and set-value a",
      "\"value\" with its \"type\" and its data as raw \"bytes\" in hex (and as \"number\" or",
      "\"text\" where that says the same). \"leftOut\" lists what the action does that no record",
      "carries.",
  };
}

// The folder's name without trailing separators, but for a drive's root.
std::string Trimmed(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/') &&
         !(folder.size() == 3 && folder[1] == ':'))
    folder.pop_back();
  return folder;
}

std::string ParentOf(const std::string& folder) {
  const std::size_t slash = folder.find_last_of("\\/");
  if (slash == std::string::npos) return "";
  return folder.substr(0, slash == 2 && folder[1] == ':' ? 3 : slash);
}

}  // namespace

ExportBundle BundleExport(ActionPlan& plan, const std::string& format, const std::string& action,
                          const std::string& title) {
  PlanExport planned = ExportPlan(plan);
  ExportBundle bundle;
  bundle.records = planned.records.size();
  bundle.leftOut = planned.leftOut;
  const std::string label = title + " (" + action + ")";
  std::vector<std::string> about;
  if (format == "pol") {
    const PolicyFiles pol = PolicyFilesOf(planned.records, &bundle.leftOut);
    bundle.files.push_back(
        {"Machine\\Registry.pol", pol.machine, Count(pol.machineInstructions, "instruction")});
    bundle.files.push_back(
        {"User\\Registry.pol", pol.user, Count(pol.userInstructions, "instruction")});
    about = AboutPolicyFiles(pol);
  } else if (format == "reg") {
    const std::string file = action + ".reg";
    bundle.files.push_back({file,
                            RegScriptOf(planned.records, label + ", exported by velotune-cli; " +
                                                             "README.txt says what it leaves out"),
                            Count(planned.records.size(), "record")});
    about = AboutRegScript(file);
  } else {
    const std::string file = action + ".json";
    bundle.files.push_back({file, JsonOf(planned.records, bundle.leftOut, action, title),
                            Count(planned.records.size(), "record")});
    about = AboutJson(file);
  }
  about.push_back("");
  if (bundle.leftOut.empty()) {
    about.push_back("Nothing is left out: the files carry everything the action does.");
  } else {
    about.push_back("What the action does that these files cannot carry:");
    about.push_back("");
    for (const std::string& line : LeftOutLines(bundle.leftOut)) about.push_back(line);
  }
  bundle.files.push_back(
      {"README.txt", ReadmeText("Velotune: " + label + ", exported", about), ""});
  return bundle;
}

bool WriteExport(Files& files, const std::string& folderGiven, bool force,
                 const std::vector<ExportFile>& exportFiles, std::vector<std::string>* written,
                 std::string* error) {
  const std::string folder = Trimmed(folderGiven);
  const std::string base = folder.back() == '\\' || folder.back() == '/' ? folder : folder + "\\";
  written->clear();
  if (files.Exists(folder) && !files.IsFolder(folder)) {
    *error = folder + " is a file, not a folder, so nothing has been written";
    return false;
  }
  std::vector<std::string> made;
  if (files.IsFolder(folder)) {
    if (!force && (!files.ListFiles(base).empty() || !files.ListFolders(base).empty())) {
      *error = "The folder " + folder +
               " is not empty, so nothing has been written: give --force to write the export "
               "into it (files of the same names are replaced)";
      return false;
    }
  } else {
    const std::string parent = ParentOf(folder);
    if (!parent.empty() && !files.IsFolder(parent)) {
      *error = "There is no folder " + parent + " to make " + folder +
               " in, so nothing has been written";
      return false;
    }
    if (!files.MakeFolders(base)) {
      *error = "The folder " + folder + " cannot be made, so nothing has been written";
      return false;
    }
    made.push_back(base);
  }
  std::string failure;
  for (const ExportFile& file : exportFiles) {
    const std::string path = base + file.name;
    const std::size_t slash = file.name.find_last_of('\\');
    if (slash != std::string::npos) {
      const std::string sub = base + file.name.substr(0, slash + 1);
      if (files.Exists(sub) && !files.IsFolder(sub)) {
        failure = sub.substr(0, sub.size() - 1) + " is a file, not a folder";
        break;
      }
      if (!files.IsFolder(sub)) {
        if (!files.MakeFolders(sub)) {
          failure = "The folder " + sub + " cannot be made";
          break;
        }
        made.push_back(sub);
      }
    }
    if (force && files.Exists(path) && (files.IsFolder(path) || !files.Delete(path))) {
      failure = path + " cannot be replaced";
      break;
    }
    try {
      if (!files.WriteNewFile(path, file.data)) {
        failure = path + " was made by another program meanwhile";
        break;
      }
    } catch (const Exception& e) {
      failure = e.what();
      break;
    }
    written->push_back(path);
  }
  if (failure.empty()) return true;
  for (const std::string& path : *written) files.Delete(path);
  for (auto it = made.rbegin(); it != made.rend(); ++it) files.RemoveFolder(*it);
  written->clear();
  *error =
      "The export cannot be written to " + folder + ", so nothing has been written: " + failure;
  return false;
}

}  // namespace velotune
