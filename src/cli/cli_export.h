// velotune-cli export: an action's plan as files for the engines that set up
// many machines (Group Policy's Registry.pol, a registry script for "reg
// import", JSON), with README.txt saying what they leave out. The files are
// made in memory first; the folder is checked, and a write that fails takes
// back whatever this export wrote, so that bad output leaves nothing behind.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/plan_export.h"
#include "platform/files.h"

namespace velotune {

struct ExportFile {
  std::string name;  // beneath the output folder: "Machine\Registry.pol", "README.txt"
  std::string data;
  std::string holds;  // what it holds, for the command's output; empty for README.txt
};

struct ExportBundle {
  std::vector<ExportFile> files;  // README.txt last
  std::size_t records = 0;
  std::vector<LeftOut> leftOut;  // every format's, then this format's own
};

// The export of the plan in `format` ("pol", "reg" or "json").
ExportBundle BundleExport(ActionPlan& plan, const std::string& format, const std::string& action,
                          const std::string& title);

// Writes the files into `folder`, made when its parent exists. Refuses (false,
// with the message, nothing written) a file in the folder's place, a folder
// that holds anything unless `force`, and any write that fails, undoing the
// ones before it. With `force`, files of the same names are replaced.
bool WriteExport(Files& files, const std::string& folder, bool force,
                 const std::vector<ExportFile>& exportFiles, std::vector<std::string>* written,
                 std::string* error);

}  // namespace velotune
