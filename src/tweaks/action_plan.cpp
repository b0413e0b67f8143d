#include "tweaks/action_plan.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <unordered_map>

#include "platform/reg_script.h"
#include "platform/registry_names.h"
#include "platform/seams.h"
#include "platform/text_case.h"
#include "tweaks/machine_specific.h"
#include "tweaks/registry.h"

namespace velotune {

namespace {

// The next blank-separated word, or a quoted one without its quotes.
std::string NextWord(const std::string& text, std::size_t* at) {
  while (*at < text.size() && text[*at] == ' ') ++*at;
  if (*at >= text.size()) return "";
  std::size_t start = *at;
  if (text[start] == '"') {
    std::size_t close = text.find('"', start + 1);
    *at = close == std::string::npos ? text.size() : close + 1;
    return text.substr(start + 1, (close == std::string::npos ? text.size() : close) - start - 1);
  }
  std::size_t end = text.find(' ', start);
  *at = end == std::string::npos ? text.size() : end;
  return text.substr(start, *at - start);
}

// One key as the plan leaves it and as another registry holds it: both
// sides' values by folded name, each side read once whatever number of its
// values the steps touch, and which of them were compared already.
class ComparedKey {
 public:
  struct Value {
    const RegValue* planned = nullptr;
    const RegValue* actual = nullptr;
    bool compared = false;
  };

  ComparedKey(RegistryBackend& planned, RegistryBackend& actual, RegistryRoot root,
              const std::string& path)
      : planned_(ValuesOf(planned, root, path)), actual_(ValuesOf(actual, root, path)) {
    values_.reserve(planned_.All().size() + 1);
    for (const RegValue& v : planned_.All()) values_[FoldName(v.name)].planned = &v;
    for (const RegValue& v : actual_.All()) values_[FoldName(v.name)].actual = &v;
  }
  Value& Of(const std::string& name) { return values_[FoldName(name)]; }

 private:
  static ListedValues ValuesOf(RegistryBackend& registry, RegistryRoot root,
                               const std::string& path) {
    RegKey key = 0;
    if (registry.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return {};
    ListedValues values(registry, key);
    registry.CloseKey(key);
    return values;
  }

  const ListedValues planned_, actual_;
  std::unordered_map<std::string, Value> values_;
};

std::string KeyId(RegistryRoot root, const std::string& path) {
  return std::to_string(static_cast<std::uint32_t>(root)) + "|" + FoldName(path);
}

}  // namespace

bool ImportedScript(const std::string& commandLine, std::string* script) {
  std::size_t at = 0;
  std::string program = LowerText(NextWord(commandLine, &at));
  program = program.substr(program.find_last_of("\\/") + 1);
  if (program != "regedit.exe" && program != "regedit") return false;
  if (LowerText(NextWord(commandLine, &at)) != "/s") return false;
  *script = NextWord(commandLine, &at);
  return !script->empty();
}

// Files as the action would leave them: what it writes and deletes is kept
// here; everything else is read from the real files.
class ActionPlan::PlanningFiles : public Files {
 public:
  PlanningFiles(Files& live, std::vector<PlanStep>& steps) : live_(live), steps_(steps) {}

  void WriteLines(const std::string& path, const std::vector<std::string>& lines) override {
    PlanStep step;
    step.kind = PlanStep::Kind::kWriteFile;
    step.target = path;
    step.lines = lines;
    steps_.push_back(step);
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    written_[path] = text;
    gone_.erase(path);
  }
  bool WriteNewFile(const std::string& path, const std::string& data) override {
    if (Exists(path)) return false;
    PlanStep step;
    step.kind = PlanStep::Kind::kWriteFile;
    step.target = path;
    steps_.push_back(step);
    written_[path] = data;
    gone_.erase(path);
    return true;
  }
  bool IsFolder(const std::string& path) override {
    return !written_.count(path) && live_.IsFolder(path);
  }
  bool Delete(const std::string& path) override {
    PlanStep step;
    step.kind = PlanStep::Kind::kDeleteFile;
    step.target = path;
    // Whether a file the action did not write itself goes.
    step.exists = !gone_.count(path) && live_.Exists(path);
    steps_.push_back(step);
    const bool found = Exists(path);
    written_.erase(path);
    gone_.insert(path);
    return found;
  }
  bool Exists(const std::string& path) override {
    if (written_.count(path)) return true;
    if (gone_.count(path)) return false;
    return live_.Exists(path);
  }
  std::string ProgramFolder() override { return live_.ProgramFolder(); }
  bool ReadAll(const std::string& path, std::string* data) override {
    auto it = written_.find(path);
    if (it == written_.end()) return !gone_.count(path) && live_.ReadAll(path, data);
    *data = it->second;
    return true;
  }
  std::vector<std::string> ListFiles(const std::string& folder) override {
    return live_.ListFiles(folder);
  }
  std::vector<std::string> ListFolders(const std::string& folder) override {
    return live_.ListFolders(folder);
  }
  bool MakeFolders(const std::string&) override { return true; }
  bool RemoveFolder(const std::string&) override { return true; }
  std::string LocalAppDataFolder() override { return live_.LocalAppDataFolder(); }

  // Whether the file is there at the end of the plan, for each file touched.
  std::map<std::string, bool> Touched() const {
    std::map<std::string, bool> files;
    for (const auto& file : written_) files[file.first] = true;
    for (const std::string& file : gone_) files[file] = false;
    return files;
  }

 private:
  Files& live_;
  std::vector<PlanStep>& steps_;
  std::map<std::string, std::string> written_;  // whole files
  std::set<std::string> gone_;
};

// Processes are listed, never started. The registry editor's silent imports
// are read into the layer, so that their changes join the plan.
class ActionPlan::PlanningProcesses : public Processes {
 public:
  PlanningProcesses(Processes& live, ActionPlan& plan) : live_(live), plan_(plan) {}

  void RunProcess(const std::string&, const std::string& commandLine, bool wait) override {
    Start(commandLine, wait);
  }
  unsigned WinExec(const std::string& commandLine, int) override {
    Start(commandLine, false);
    return 33;  // started
  }
  std::string NetUserName() override { return live_.NetUserName(); }
  bool Elevated() override { return live_.Elevated(); }
  void ShellOpen(void*, const std::string& target, int) override {
    PlanStep step;
    step.kind = PlanStep::Kind::kProcess;
    step.target = target;
    step.previewable = false;
    step.note = "opened by the shell; cannot be previewed or undone";
    plan_.steps_.push_back(step);
  }

 private:
  void Start(const std::string& commandLine, bool wait) {
    PlanStep step;
    step.kind = PlanStep::Kind::kProcess;
    step.target = commandLine;
    step.wait = wait;
    plan_.steps_.push_back(step);
    const std::size_t index = plan_.steps_.size() - 1;
    std::string script, text;
    if (!ImportedScript(commandLine, &script)) {
      plan_.steps_[index].previewable = false;
      plan_.steps_[index].note = "cannot be previewed or undone";
      return;
    }
    if (!plan_.files_->ReadAll(script, &text)) {
      plan_.steps_[index].previewable = false;
      plan_.steps_[index].note = "the script " + script + " cannot be read";
      return;
    }
    plan_.steps_[index].note = "imports " + script;
    ++plan_.depth_;
    try {
      ImportRegScript(plan_.layer_, text);
    } catch (const RegScriptError& e) {
      // The registry editor skips what it cannot read; what follows is unknown.
      plan_.steps_[index].previewable = false;
      plan_.steps_[index].note = "the script " + script + " cannot be read past " + e.what();
    }
    --plan_.depth_;
  }

  Processes& live_;
  ActionPlan& plan_;
};

ActionPlan::ActionPlan(RegistryBackend& live, Files& files, Processes& processes)
    : before_(live),
      layer_(static_cast<RegistryBackend&>(before_)),
      files_(std::make_unique<PlanningFiles>(files, steps_)),
      processes_(std::make_unique<PlanningProcesses>(processes, *this)) {
  layer_.SetObserver([this](RegOperation operation) {
    PlanStep step;
    step.kind = PlanStep::Kind::kRegistry;
    step.depth = depth_;
    step.operation = std::move(operation);
    if (const char* why = MachineSpecificWrites::Current()) step.machineSpecific = why;
    steps_.push_back(std::move(step));
  });
}

ActionPlan::~ActionPlan() = default;

void ActionPlan::Run(const std::function<void()>& action) {
  ScopedSeams seams(&layer_, processes_.get(), files_.get());
  // The page saves renew the shared accessor: give them one of the plan's,
  // and drop it while the layer it uses still exists.
  std::unique_ptr<TRegistry> windowAccessor = ExchangeSharedRegistry(nullptr);
  try {
    action();
  } catch (const std::exception& e) {
    error_ = e.what();
  }
  ExchangeSharedRegistry(std::move(windowAccessor));
}

std::vector<const PlanStep*> ActionPlan::Unpreviewable() const {
  std::vector<const PlanStep*> steps;
  for (const PlanStep& step : steps_)
    if (step.kind == PlanStep::Kind::kProcess && !step.previewable) steps.push_back(&step);
  return steps;
}

std::vector<Mismatch> ActionPlan::Check(RegistryBackend& registry, Files& files, std::size_t first,
                                        std::size_t end, std::size_t* checked) {
  std::vector<Mismatch> mismatches;
  if (checked) *checked = 0;
  std::set<std::string> seenKeys, seenFiles;
  const std::map<std::string, bool> plannedFiles = files_->Touched();
  std::unordered_map<std::string, std::unique_ptr<ComparedKey>> keys;
  // The steps of one key mostly follow each other: its folded path is looked
  // up again only when the key changes.
  const RegOperation* previous = nullptr;
  ComparedKey* current = nullptr;
  for (std::size_t i = first; i < std::min(end, steps_.size()); ++i) {
    const PlanStep& step = steps_[i];
    Mismatch m;
    if (step.kind == PlanStep::Kind::kRegistry) {
      const RegOperation& op = step.operation;
      m.item.root = op.root;
      m.item.path = op.path;
      m.item.isKey =
          op.kind == RegOperation::Kind::kCreateKey || op.kind == RegOperation::Kind::kDeleteKey;
      if (m.item.isKey) {
        if (!seenKeys.insert(KeyId(op.root, op.path)).second) continue;
        if (checked) ++*checked;
        m.expectedPresent = KeyExistsAt(layer_, op.root, op.path);
        m.actualPresent = KeyExistsAt(registry, op.root, op.path);
        if (m.expectedPresent == m.actualPresent) continue;
      } else {
        if (previous == nullptr || previous->root != op.root || previous->path != op.path) {
          std::unique_ptr<ComparedKey>& key = keys[KeyId(op.root, op.path)];
          if (!key) key = std::make_unique<ComparedKey>(layer_, registry, op.root, op.path);
          current = key.get();
          previous = &op;
        }
        ComparedKey::Value& value = current->Of(op.value.name);
        if (value.compared) continue;
        value.compared = true;
        if (checked) ++*checked;
        m.item.name = op.value.name;
        m.expectedPresent = value.planned != nullptr;
        m.actualPresent = value.actual != nullptr;
        if (m.expectedPresent == m.actualPresent &&
            (!m.expectedPresent || SameData(*value.planned, *value.actual)))
          continue;
        if (m.expectedPresent) m.expected = *value.planned;
        if (m.actualPresent) m.actual = *value.actual;
      }
    } else if (step.kind == PlanStep::Kind::kWriteFile ||
               step.kind == PlanStep::Kind::kDeleteFile) {
      if (!seenFiles.insert(step.target).second) continue;
      if (checked) ++*checked;
      m.isFile = true;
      m.item.path = step.target;
      m.expectedPresent = plannedFiles.at(step.target);
      m.actualPresent = files.Exists(step.target);
      if (m.expectedPresent == m.actualPresent) continue;
    } else {
      continue;
    }
    mismatches.push_back(m);
  }
  return mismatches;
}

}  // namespace velotune
