#include "cli/cli_commands.h"

#include <algorithm>
#include <map>
#include <set>

#include "cli/cli_arguments.h"
#include "cli/cli_export.h"
#include "cli/cli_report.h"
#include "cli/control_status.h"
#include "cli/described_controls.h"
#include "cli/json_text.h"
#include "fixes/named_actions.h"
#include "platform/errors.h"
#include "platform/reg_script.h"
#include "platform/seams.h"
#include "tweaks/action_plan.h"
#include "tweaks/backed_up_action.h"
#include "tweaks/backups.h"
#include "tweaks/checked_action.h"
#include "tweaks/undo_backup.h"
#include "velotune_version.h"

namespace velotune {

namespace {

using namespace cli_exit;

const std::map<std::string, std::string>& PageTitles() {
  static const std::map<std::string, std::string> kTitles = {
      {"page1", "Tweaks [1]"}, {"page2", "Tweaks [2]"}, {"page3", "Tweaks [3]"}, {"fix", "FIX"}};
  return kTitles;
}

const char* KindName(DescribedControls::Kind kind) {
  using Kind = DescribedControls::Kind;
  switch (kind) {
    case Kind::kCheckBox:
      return "check box";
    case Kind::kRadioButton:
      return "radio button";
    case Kind::kEdit:
      return "edit";
    case Kind::kComboBox:
      return "drop-down list";
    case Kind::kUpDown:
      return "up-down";
    case Kind::kTrackBar:
      return "track bar";
    case Kind::kRichEdit:
      return "rich edit";
  }
  return "";
}

class Session {
 public:
  Session(CliEnvironment& env, const CliArguments& args, DescribedControls& controls,
          CliResult& result)
      : env_(env), args_(args), controls_(controls), result_(result) {}

  int List();
  int Plan();
  int Diff();
  int Status();
  int ActionStatus();
  int Apply();
  int Export();
  int Backups();
  int Undo();

 private:
  void Out(const std::string& text) { result_.out += text; }
  int Fail(int code, const std::string& message) {
    result_.err += message + "\n";
    if (args_.json)
      Out(JsonObject({{"error", JsonString(message)}, {"exitCode", JsonNumber(code)}}) + "\n");
    return code;
  }
  const NamedAction& Action() const { return *FindNamedAction(args_.action); }
  std::string ActionLabel() const {
    return std::string(Action().title) + " (" + Action().name + ")";
  }
  std::function<void()> RunAction() {
    return [this] { Action().run(controls_); };
  }
  std::unique_ptr<ActionPlan> MakePlan(const std::function<void()>& action) {
    auto plan = std::make_unique<ActionPlan>(env_.registry, env_.files, env_.processes);
    plan->Run(action);
    return plan;
  }
  std::string StateText(const DescribedControls::Control& c) const;
  std::string StateJson(const DescribedControls::Control& c) const;
  // The backups, newest first; false (and said) when the system names no
  // folder for them.
  bool FindBackups(std::vector<BackupInfo>* backups);
  ActionSeams Seams() const { return {env_.registry, env_.files, env_.processes, env_.now}; }
  // Runs apply or undo behind its backup and says how it went.
  int BackUpAndRun(const std::function<CheckedRun()>& run);

  CliEnvironment& env_;
  const CliArguments& args_;
  DescribedControls& controls_;
  CliResult& result_;
};

std::string Session::StateText(const DescribedControls::Control& c) const {
  using Kind = DescribedControls::Kind;
  switch (c.kind) {
    case Kind::kCheckBox:
    case Kind::kRadioButton:
      return c.checked ? "1" : "0";
    case Kind::kEdit:
      return "\"" + c.text + "\"";
    case Kind::kComboBox:
      return std::to_string(c.itemIndex);
    default:
      return std::to_string(c.position);
  }
}

std::string Session::StateJson(const DescribedControls::Control& c) const {
  using Kind = DescribedControls::Kind;
  switch (c.kind) {
    case Kind::kCheckBox:
    case Kind::kRadioButton:
      return JsonNumber(c.checked ? 1 : 0);
    case Kind::kEdit:
      return JsonString(c.text);
    case Kind::kComboBox:
      return JsonNumber(c.itemIndex);
    default:
      return JsonNumber(c.position);
  }
}

int Session::List() {
  std::vector<std::string> pages;
  for (const std::string& page : DescribedControls::PageNames())
    if (args_.page.empty() || args_.page == page) pages.push_back(page);
  std::vector<std::string> jsonPages;
  for (const std::string& page : pages) {
    if (!args_.json) Out(PageTitles().at(page) + " (" + page + ")\n");
    std::vector<std::string> jsonControls;
    for (const DescribedControls::Control* c : controls_.OnPage(page)) {
      using Kind = DescribedControls::Kind;
      std::string more;
      JsonFields fields = {{"name", JsonString(c->name)},
                           {"kind", JsonString(KindName(c->kind))},
                           {"caption", JsonString(c->caption)},
                           {"state", StateJson(*c)},
                           {"changeable", JsonBool(c->enabled)}};
      if (c->kind == Kind::kComboBox) {
        std::vector<std::string> items;
        for (std::size_t i = 0; i < c->items.size(); ++i) {
          more += (i ? ", " : "  (") + std::to_string(i) + " " + c->items[i];
          items.push_back(JsonString(c->items[i]));
        }
        more += ")";
        fields.push_back({"items", JsonArray(items)});
      } else if (c->kind == Kind::kUpDown || c->kind == Kind::kTrackBar) {
        more = "  (" + std::to_string(c->min) + " to " + std::to_string(c->max);
        if (c->kind == Kind::kUpDown) more += ", step " + std::to_string(c->increment);
        more += ")";
        fields.push_back({"min", JsonNumber(c->min)});
        fields.push_back({"max", JsonNumber(c->max)});
        if (c->kind == Kind::kUpDown) fields.push_back({"step", JsonNumber(c->increment)});
      }
      if (!c->enabled) more += "  (cannot be changed)";
      jsonControls.push_back(JsonObject(fields));
      if (!args_.json)
        Out("  " + Padded(c->name, 14) + Padded(KindName(c->kind), 15) + Padded(StateText(*c), 7) +
            c->caption + more + "\n");
    }
    jsonPages.push_back(JsonObject({{"page", JsonString(page)},
                                    {"title", JsonString(PageTitles().at(page))},
                                    {"controls", JsonArray(jsonControls)}}));
  }
  if (args_.json) Out(JsonObject({{"pages", JsonArray(jsonPages)}}) + "\n");
  return kOk;
}

int Session::Plan() {
  std::unique_ptr<ActionPlan> plan = MakePlan(RunAction());
  const std::vector<PlanStep>& steps = plan->Steps();
  if (args_.json) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < steps.size(); ++i) items.push_back(PlanStepJson(steps[i], i + 1));
    Out(JsonObject({{"action", JsonString(Action().name)},
                    {"title", JsonString(Action().title)},
                    {"steps", JsonArray(items)},
                    {"error", plan->Error().empty() ? "null" : JsonString(plan->Error())}}) +
        "\n");
  } else {
    Out("Plan of " + ActionLabel() + ": " + std::to_string(steps.size()) + " steps\n");
    for (std::size_t i = 0; i < steps.size(); ++i) Out(PlanStepText(steps[i], i + 1) + "\n");
    if (!plan->Error().empty()) Out("The action would stop here: " + plan->Error() + "\n");
  }
  return plan->Error().empty() ? kOk : kActionFailed;
}

int Session::Diff() {
  std::unique_ptr<ActionPlan> plan = MakePlan(RunAction());
  const std::vector<RegChange> changes = plan->Layer().Changes();
  std::vector<const PlanStep*> removed;
  for (const PlanStep& step : plan->Steps())
    if (step.kind == PlanStep::Kind::kDeleteFile && step.exists) removed.push_back(&step);
  const std::vector<const PlanStep*> unknown = plan->Unpreviewable();
  if (args_.json) {
    std::vector<std::string> changeItems, fileItems, unknownItems;
    for (const RegChange& change : changes) changeItems.push_back(ChangeJson(change));
    for (const PlanStep* step : removed) fileItems.push_back(JsonString(step->target));
    for (const PlanStep* step : unknown)
      unknownItems.push_back(
          JsonObject({{"command", JsonString(step->target)}, {"note", JsonString(step->note)}}));
    Out(JsonObject({{"action", JsonString(Action().name)},
                    {"changes", JsonArray(changeItems)},
                    {"filesRemoved", JsonArray(fileItems)},
                    {"notPreviewed", JsonArray(unknownItems)},
                    {"error", plan->Error().empty() ? "null" : JsonString(plan->Error())}}) +
        "\n");
  } else {
    const std::size_t count = changes.size() + removed.size();
    if (count == 0)
      Out(ActionLabel() + " would change nothing in the registry\n");
    else
      Out(ActionLabel() + " would make " + std::to_string(count) + " changes:\n");
    for (const RegChange& change : changes) Out(ChangeText(change) + "\n");
    for (const PlanStep* step : removed) Out("  file " + step->target + " removed\n");
    if (!unknown.empty()) {
      Out("It would also start, without a preview and beyond undoing:\n");
      for (const PlanStep* step : unknown) Out("  " + step->target + "\n");
    }
    if (!plan->Error().empty()) Out("The action would stop with: " + plan->Error() + "\n");
  }
  return plan->Error().empty() ? kOk : kActionFailed;
}

int Session::Status() {
  if (!args_.action.empty()) return ActionStatus();
  const StatusReport report = ControlsStatus(controls_, env_.registry, env_.files, env_.processes);
  std::size_t matching = 0;
  std::vector<std::string> items;
  std::string page;
  for (const ControlStatus& status : report.controls) {
    const DescribedControls::Control& c = *status.control;
    const bool matches = status.different.empty();
    if (matches) ++matching;
    if (args_.json) {
      std::vector<std::string> different;
      for (const Mismatch& m : status.different) different.push_back(MismatchJson(m));
      items.push_back(JsonObject({{"page", JsonString(c.page)},
                                  {"name", JsonString(c.name)},
                                  {"caption", JsonString(c.caption)},
                                  {"matches", JsonBool(matches)},
                                  {"items", JsonNumber(static_cast<long long>(status.items))},
                                  {"different", JsonArray(different)}}));
      continue;
    }
    if (c.page != page) {
      page = c.page;
      Out(PageTitles().at(page) + " (" + page + ")\n");
    }
    const char* verdict = !matches ? "differs " : status.items ? "matches " : "nothing ";
    Out("  " + std::string(verdict) + Padded(c.name, 14) + c.caption + "\n");
    for (const Mismatch& m : status.different) Out("      " + MismatchText(m) + "\n");
  }
  const std::size_t total = report.controls.size();
  if (args_.json) {
    Out(JsonObject({{"controls", JsonArray(items)},
                    {"matching", JsonNumber(static_cast<long long>(matching))},
                    {"total", JsonNumber(static_cast<long long>(total))},
                    {"error", report.error.empty() ? "null" : JsonString(report.error)}}) +
        "\n");
  } else {
    Out(std::to_string(matching) + " of " + std::to_string(total) +
        " controls match the live registry (\"nothing\": the control writes nothing as it is)\n");
    if (!report.error.empty()) Out("A save would stop with: " + report.error + "\n");
  }
  if (!report.error.empty()) return kActionFailed;
  return matching == total ? kOk : kNotAsPlanned;
}

// Whether the registry holds what the action would write: every value and
// key its plan leaves in a known state. Files and started processes are not
// judged (a cache file comes back by itself; a batch file's effect is unknown).
int Session::ActionStatus() {
  std::unique_ptr<ActionPlan> plan = MakePlan(RunAction());
  if (!plan->Error().empty())
    return Fail(kActionFailed,
                ActionLabel() + " would stop, so it cannot be judged: " + plan->Error());
  std::size_t checked = 0;
  std::vector<Mismatch> different;
  for (Mismatch& m : plan->Check(env_.registry, env_.files, &checked)) {
    if (!m.isFile) different.push_back(std::move(m));
  }
  std::set<std::string> touchedFiles;
  for (const PlanStep& step : plan->Steps())
    if (step.kind == PlanStep::Kind::kWriteFile || step.kind == PlanStep::Kind::kDeleteFile)
      touchedFiles.insert(step.target);
  checked -= touchedFiles.size();
  const std::vector<const PlanStep*> unknown = plan->Unpreviewable();
  if (args_.json) {
    std::vector<std::string> items, unknownItems;
    for (const Mismatch& m : different) items.push_back(MismatchJson(m));
    for (const PlanStep* step : unknown) unknownItems.push_back(JsonString(step->target));
    Out(JsonObject({{"action", JsonString(Action().name)},
                    {"checked", JsonNumber(static_cast<long long>(checked))},
                    {"different", JsonArray(items)},
                    {"notJudged", JsonArray(unknownItems)}}) +
        "\n");
  } else if (different.empty()) {
    Out(ActionLabel() + ": the registry holds all " + std::to_string(checked) +
        " values and keys it would write\n");
  } else {
    Out(ActionLabel() + ": " + std::to_string(different.size()) + " of " + std::to_string(checked) +
        " values and keys differ from what it would write:\n");
    for (const Mismatch& m : different) Out(MismatchText(m) + "\n");
  }
  if (!args_.json && !unknown.empty()) {
    Out("Not judged, as what they do cannot be previewed:\n");
    for (const PlanStep* step : unknown) Out("  " + step->target + "\n");
  }
  return different.empty() ? kOk : kNotAsPlanned;
}

// Plans the action, writes its backup, runs it for real and reads back every
// value and key it touched.
int Session::BackUpAndRun(const std::function<CheckedRun()>& checkedRun) {
  CheckedRun run;
  try {
    run = checkedRun();
  } catch (const ActionRefused& e) {
    using Reason = ActionRefused::Reason;
    switch (e.reason()) {
      case Reason::kNoSuchBackup:
        return Fail(kBadArguments, e.what());
      case Reason::kNotElevated:
        return Fail(kNotElevated, e.what());
      case Reason::kWouldFail:
        return Fail(kActionFailed,
                    e.label() + " would stop, so nothing has been changed: " + e.what());
      default:
        return Fail(kActionFailed, e.what());
    }
  } catch (const BackupError& e) {
    return Fail(kNoBackup, e.what());
  }
  const std::string& label = run.label;
  const std::string& backup = run.backup;
  const std::vector<Mismatch>& different = run.notHeld;
  const std::string backupName = backup.substr(backup.find_last_of('\\') + 1);
  if (args_.json) {
    std::vector<std::string> items, unknownItems;
    for (const Mismatch& m : different) items.push_back(MismatchJson(m));
    for (const std::string& command : run.notPreviewed) unknownItems.push_back(JsonString(command));
    JsonFields fields = {{"action", JsonString(run.action)}, {"backup", JsonString(backup)}};
    if (!run.restored.empty()) fields.push_back({"restored", JsonString(run.restored)});
    fields.push_back({"checked", JsonNumber(static_cast<long long>(run.checked))});
    fields.push_back({"notHeld", JsonArray(items)});
    fields.push_back({"notPreviewed", JsonArray(unknownItems)});
    fields.push_back({"error", run.error.empty() ? "null" : JsonString(run.error)});
    Out(JsonObject(fields) + "\n");
  } else {
    Out("Backup written: " + backup + "\n");
    for (const std::string& command : run.notPreviewed)
      Out("Started without a preview, beyond undoing: " + command + "\n");
    if (run.error.empty() && different.empty())
      Out(label + ": all " + std::to_string(run.checked) +
          " values and keys read back as planned\n");
    if (!different.empty()) {
      Out(label + ": " + std::to_string(different.size()) + " of " + std::to_string(run.checked) +
          " values and keys did not hold:\n");
      for (const Mismatch& m : different) Out(MismatchText(m) + "\n");
    }
  }
  if (!run.error.empty()) {
    result_.err += label + " stopped: " + run.error +
                   "\nWhat it changed is undone by: velotune-cli undo " + backupName + "\n";
    return kActionFailed;
  }
  return different.empty() ? kOk : kNotAsPlanned;
}

int Session::Apply() {
  return BackUpAndRun([this] {
    return RunChecked(Seams(), {Action().name, ActionLabel(), RunAction(), "", {}});
  });
}

int Session::Export() {
  std::unique_ptr<ActionPlan> plan = MakePlan(RunAction());
  if (!plan->Error().empty())
    return Fail(kActionFailed,
                ActionLabel() + " would stop, so nothing has been exported: " + plan->Error());
  const ExportBundle bundle = BundleExport(*plan, args_.format, Action().name, Action().title);
  std::vector<std::string> written;
  std::string error;
  if (!WriteExport(env_.files, args_.out, args_.force, bundle.files, &written, &error))
    return Fail(kBadArguments, error);
  if (args_.json) {
    std::vector<std::string> fileItems, leftItems;
    for (std::size_t i = 0; i < written.size(); ++i)
      fileItems.push_back(JsonObject(
          {{"file", JsonString(written[i])}, {"holds", JsonString(bundle.files[i].holds)}}));
    for (const LeftOut& left : bundle.leftOut) leftItems.push_back(LeftOutJson(left));
    Out(JsonObject({{"action", JsonString(Action().name)},
                    {"format", JsonString(args_.format)},
                    {"records", JsonNumber(static_cast<long long>(bundle.records))},
                    {"files", JsonArray(fileItems)},
                    {"leftOut", JsonArray(leftItems)}}) +
        "\n");
  } else {
    Out(ActionLabel() + " exported (" + args_.format + "), " + std::to_string(bundle.records) +
        " records:\n");
    for (std::size_t i = 0; i < written.size(); ++i)
      Out("  " + written[i] + (bundle.files[i].holds.empty() ? "" : "  " + bundle.files[i].holds) +
          "\n");
    if (bundle.leftOut.empty()) Out("Nothing is left out.\n");
    for (const std::string& line : LeftOutLines(bundle.leftOut)) Out(line + "\n");
  }
  return bundle.leftOut.empty() ? kOk : kNotAsPlanned;
}

bool Session::FindBackups(std::vector<BackupInfo>* backups) {
  try {
    *backups = ListBackups(env_.files);
  } catch (const BackupError& e) {
    Fail(kActionFailed, e.what());
    return false;
  }
  const std::string folder = BackupFolder(env_.files);
  if (backups->empty() && env_.files.Exists(folder.substr(0, folder.size() - 1)) &&
      !env_.files.IsFolder(folder)) {
    Fail(kActionFailed, "The backups cannot be listed: " + folder + " is a file, not a folder");
    return false;
  }
  return true;
}

int Session::Backups() {
  std::vector<BackupInfo> backups;
  if (!FindBackups(&backups)) return kActionFailed;
  const std::string user = BackupFolder(env_.files);
  const std::string machine =
      env_.files.CommonAppDataFolder().empty() ? "" : MachineBackupFolder(env_.files);
  if (args_.json) {
    std::vector<std::string> items;
    for (const BackupInfo& b : backups) {
      const bool ofMachine = b.place == BackupPlace::kMachine;
      items.push_back(JsonObject({{"file", JsonString(b.file)},
                                  {"path", JsonString(b.Path())},
                                  {"place", JsonString(ofMachine ? "machine" : "user")},
                                  {"time", JsonString(BackupTimeText(b.time))},
                                  {"action", JsonString(b.action)},
                                  {"undoes", b.undoes.empty() ? "null" : JsonString(b.undoes)},
                                  {"undone", JsonBool(b.undone)}}));
    }
    Out(JsonObject({{"folder", JsonString(user)},
                    {"machineFolder", machine.empty() ? "null" : JsonString(machine)},
                    {"backups", JsonArray(items)}}) +
        "\n");
    return kOk;
  }
  const std::string folders = machine.empty() ? user : machine + " and " + user;
  if (backups.empty()) {
    Out("No backups in " + folders + "\n");
    return kOk;
  }
  Out("Backups in " + folders +
      ", newest first (\"machine\": actions that need administrator "
      "rights, kept where only administrators can change them):\n");
  for (const BackupInfo& b : backups) {
    std::string note;
    if (b.undone) note = "  (undone)";
    if (!b.undoes.empty()) note += "  (undoes " + b.undoes + ")";
    Out("  " + BackupTimeText(b.time) + "  " +
        Padded(b.place == BackupPlace::kMachine ? "machine" : "user", 9) + Padded(b.action, 10) +
        b.file + note + "\n");
  }
  return kOk;
}

int Session::Undo() {
  std::vector<BackupInfo> backups;
  if (!FindBackups(&backups)) return kActionFailed;
  return BackUpAndRun([this] { return UndoBackup(Seams(), {args_.backup, args_.trust}); });
}

}  // namespace

std::string CliUsage() {
  return R"(velotune-cli: Velotune's tweaks and repairs from the command line.

Usage: velotune-cli COMMAND [ARGUMENTS] [--set NAME=VALUE]... [--json]

Commands:
  list [page1|page2|page3|fix]  every control of a page (all pages without
                                one): name, kind, start state and caption
  plan ACTION                   the ordered steps ACTION would take from the
                                window's start states: registry operations,
                                files, processes; the operations of every
                                registry script it imports are listed under it
  diff ACTION                   only what ACTION would change in the live
                                registry, each value with its old and new data
  status                        for each control of the three Tweaks pages,
                                whether the live registry already holds what
                                its state would write
  status ACTION                 whether the live registry holds every value
                                and key ACTION would write (0 yes, 1 no): a
                                detection or compliance script as it is
  apply ACTION                  writes a backup, applies ACTION, then reads
                                back every value and key it wrote
  export ACTION --format pol|reg|json --out DIR [--force]
                                what ACTION writes, as files for deploying it
                                to other machines: pol DIR\Machine\Registry.pol
                                and DIR\User\Registry.pol (Group Policy), reg
                                DIR\ACTION.reg (reg import), json
                                DIR\ACTION.json; DIR\README.txt lists what
                                the format cannot carry
  backups                       the backups of both folders, newest first,
                                what was undone marked
  undo [BACKUP] [--trust]       restores the newest backup not yet undone
                                (never an undo's own), or the one named as
                                "backups" shows it, in any letter case, or by
                                its path; the undo is backed up first, so it
                                can be undone in turn by naming its backup

Actions: page1, page2, page3 (the "Save Changes" buttons of Tweaks [1], [2]
and [3]), one-click (1-Click Tweak), green (GREEN Boost), fix (FIX IT!).

Options:
  --set NAME=VALUE  sets a control before plan, diff, apply, export or status,
                    as a user could in the window: check boxes 0 or 1, radio
                    buttons 1, edits any text, drop-down lists an item index,
                    up-downs and track bars a position ("list" shows them)
  --format F        export: pol, reg or json
  --out DIR         export: the folder to write to (made when missing); it
                    must be empty unless --force is given
  --force           export: write into a folder that holds files already,
                    replacing those of the same names
  --trust           undo: run a file named by its path that would write
                    machine-wide keys though it lies outside the folder
                    only administrators can change
  --json            the result as one JSON object on standard output
  --help            this text
  --version         the program's version

Every control starts as the window starts it. Backups are registry scripts in
the format the system's registry editor writes ("Windows Registry Editor
Version 5.00", UTF-16), named by time and action, under Velotune\Backups: in
the common application-data folder (only administrators can change it) for
actions that need administrator rights, in the local application-data folder
for those that write only the user's own keys; the newest 50 of each are
kept. Each is read back before the action runs, and undo runs only a backup
that reads through whole, up to its closing line. A backup that would write
machine-wide keys runs only from the administrators' folder, or named by its
path with --trust. Processes other than registry
imports (batch files, powercfg) are listed but cannot be previewed or undone.

apply and undo need an elevated prompt ("Run as administrator") when the
action writes machine-wide keys (HKEY_LOCAL_MACHINE, HKEY_USERS, classes not
kept for the user alone), the user's policy keys, or starts the registry
editor or another program; every other command works from any prompt.

Exit codes:
  0  done; for apply and undo every value and key read back as planned, for
     status every control matches (or the registry holds all ACTION writes),
     for export the files carry everything ACTION does
  1  apply or undo: some values or keys did not hold (a policy or missing
     rights can make a write lose silently); status: some controls or values
     differ; export: the files are written, but leave out what README.txt
     lists (processes, files, machine-specific values)
  2  bad arguments: a message says which; nothing was read or changed (for
     export also an output folder that is a file, not empty without --force,
     or cannot be written: nothing was written)
  3  the action failed, or would fail (plan, diff, status, export; apply and
     undo then stop before changing anything): the message says why; what
     apply changed before it stopped is undone by its backup. Also: no backup
     to undo, a backup that cannot be read or is not complete, or one that
     would write machine-wide keys from where anyone could have put it
  4  the backup could not be written, or read back would not restore
     everything the action touches, so nothing was changed
  5  apply or undo needs administrator rights that this prompt does not
     have; the message says what needs them. Nothing was changed
)";
}

CliResult RunCli(const std::vector<std::string>& args, CliEnvironment& env) {
  CliResult result;
  CliArguments parsed;
  std::string error;
  const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
  auto badArguments = [&] {
    result.exitCode = kBadArguments;
    result.err = error + "\n";
    if (json)
      result.out =
          JsonObject({{"error", JsonString(error)}, {"exitCode", JsonNumber(kBadArguments)}}) +
          "\n";
    return result;
  };
  if (!ParseCliArguments(args, &parsed, &error)) return badArguments();
  if (parsed.command == "help") {
    result.out = CliUsage();
    return result;
  }
  if (parsed.command == "version") {
    result.out = json ? JsonObject({{"version", JsonString(VELOTUNE_VERSION_TEXT)}}) + "\n"
                      : "velotune-cli " VELOTUNE_VERSION_TEXT "\n";
    return result;
  }
  ScopedSeams seams(&env.registry, &env.processes, &env.files);
  std::unique_ptr<DescribedControls> controls;
  try {
    controls = std::make_unique<DescribedControls>(env.formDescription);
  } catch (const std::exception& e) {
    result.exitCode = kActionFailed;
    result.err = std::string("The window's form description cannot be read: ") + e.what() + "\n";
    return result;
  }
  for (const auto& set : parsed.sets)
    if (!controls->Set(set.first, set.second, &error)) return badArguments();
  Session session(env, parsed, *controls, result);
  const std::string& c = parsed.command;
  result.exitCode = c == "list"      ? session.List()
                    : c == "plan"    ? session.Plan()
                    : c == "diff"    ? session.Diff()
                    : c == "status"  ? session.Status()
                    : c == "apply"   ? session.Apply()
                    : c == "export"  ? session.Export()
                    : c == "backups" ? session.Backups()
                                     : session.Undo();
  return result;
}

}  // namespace velotune
