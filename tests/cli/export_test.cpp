// velotune-cli export over the memory registry. The policy files are read by
// a reader of the format written here from its description alone; they, the
// registry script and the JSON records are replayed on a registry that starts
// as this one did, as another machine would, and must leave it exactly as the
// action itself does, but for what README.txt lists as left out. Bad output
// folders are refused with nothing written.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

#include "cli/cli_commands.h"
#include "cli/cli_export.h"
#include "cli/cli_report.h"
#include "cli/json_text.h"
#include "cli/plan_fixture.h"
#include "platform/policy_file.h"

namespace velotune {
namespace {

struct PolicyEntry {
  std::string key, value;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

// "PReg", version 1, then [key;value;type;size;data] records; throws at the
// first byte that does not fit.
std::vector<PolicyEntry> ReadPolicyFile(const std::string& bytes) {
  if (bytes.compare(0, 8, std::string("PReg\x01\0\0\0", 8)) != 0)
    throw std::runtime_error("no PReg version 1 header");
  std::size_t at = 8;
  auto need = [&](std::size_t n) {
    if (at + n > bytes.size()) throw std::runtime_error("cut at " + std::to_string(at));
  };
  auto unit = [&] {
    need(2);
    at += 2;
    return static_cast<char16_t>(static_cast<std::uint8_t>(bytes[at - 2]) |
                                 static_cast<std::uint8_t>(bytes[at - 1]) << 8);
  };
  auto expect = [&](char16_t c) {
    if (unit() != c)
      throw std::runtime_error("expected '" + std::string(1, char(c)) + "' at " +
                               std::to_string(at - 2));
  };
  auto text = [&] {
    std::u16string s;
    for (char16_t c = unit(); c != 0; c = unit()) s += c;
    return Utf16ToUtf8(s);
  };
  auto number = [&] {
    need(4);
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    at += 4;
    return n;
  };
  std::vector<PolicyEntry> entries;
  while (at < bytes.size()) {
    PolicyEntry e;
    expect(u'[');
    e.key = text();
    expect(u';');
    e.value = text();
    expect(u';');
    e.type = number();
    expect(u';');
    const std::uint32_t size = number();
    expect(u';');
    need(size);
    e.data.assign(bytes.begin() + at, bytes.begin() + at + size);
    at += size;
    expect(u']');
    entries.push_back(e);
  }
  return entries;
}

// What the policy engine does with the entries of the machine's or the
// user's file; the machine's Software\Classes is HKEY_CLASSES_ROOT here.
void ReplayPolicy(const std::vector<PolicyEntry>& entries, RegistryRoot fileRoot,
                  RegistryBackend& registry) {
  const std::string classes = "Software\\Classes\\";
  for (const PolicyEntry& e : entries) {
    RegistryRoot root = fileRoot;
    std::string key = e.key;
    if (root == RegistryRoot::LocalMachine && SameName(key.substr(0, classes.size()), classes)) {
      root = RegistryRoot::ClassesRoot;
      key = key.substr(classes.size());
    }
    RegKey k = 0;
    if (e.value == "**DeleteKeys") {
      ASSERT_EQ(regtype::kSz, e.type);
      std::string names = TextOfStringData(e.data) + ";";
      for (std::size_t at = 0, semi; (semi = names.find(';', at)) != std::string::npos;
           at = semi + 1)
        DeleteKeyTree(registry, RootKey(root), JoinKeyPath(key, names.substr(at, semi - at)));
    } else if (e.value.compare(0, 6, "**del.") == 0) {
      EXPECT_EQ(StringData(" "), e.data);
      if (registry.OpenKeyEx(RootKey(root), key, kKeyAllAccess, &k) != regerr::kSuccess) continue;
      registry.DeleteValue(k, e.value.substr(6));
      registry.CloseKey(k);
    } else {
      ASSERT_EQ(regerr::kSuccess, registry.CreateKeyEx(RootKey(root), key, kKeyAllAccess, &k));
      registry.SetValueEx(k, e.value, e.type, e.data.data(),
                          static_cast<std::uint32_t>(e.data.size()));
      registry.CloseKey(k);
    }
  }
}

// A registry dump (plan_fixture's Dump) as key -> value lines, without the
// items the export lists as left out: their values, and their keys when
// nothing else is left in them.
std::map<std::string, std::set<std::string>> Comparable(const std::string& dump,
                                                        const std::vector<LeftOut>& leftOut) {
  std::map<std::string, std::set<std::string>> keys;
  std::string key;
  for (std::size_t at = 0, end; at < dump.size(); at = end + 1) {
    end = dump.find('\n', at);
    const std::string line = dump.substr(at, end - at);
    if (line[0] == '[')
      keys[key = FoldName(line.substr(1, line.size() - 2))];
    else
      keys[key].insert(line);
  }
  for (const LeftOut& left : leftOut) {
    if (left.kind != LeftOut::Kind::kRegistry) continue;
    const std::string folded = FoldName(FullKeyName(left.item.root, left.item.path));
    auto it = keys.find(folded);
    if (it == keys.end()) continue;
    if (!left.item.isKey) {
      for (auto v = it->second.begin(); v != it->second.end();)
        v = SameName(v->substr(2, left.item.name.size() + 1), left.item.name + "=")
                ? it->second.erase(v)
                : std::next(v);
    }
    if (it->second.empty()) keys.erase(it);
  }
  return keys;
}

// The JSON text as path -> scalar ("records.3.value.bytes" -> "0b000000"),
// strings unescaped; just what the export's records need.
void FlattenJson(const std::string& s, std::size_t* at, const std::string& path,
                 std::map<std::string, std::string>* out) {
  auto skip = [&] {
    while (*at < s.size() && (s[*at] == ' ' || s[*at] == '\n')) ++*at;
  };
  auto string = [&] {
    std::string text;
    for (++*at; s[*at] != '"'; ++*at) {
      if (s[*at] != '\\') {
        text += s[*at];
        continue;
      }
      const char c = s[++*at];
      text += c == 'u' ? static_cast<char>(std::stoi(s.substr(*at + 1, 4), nullptr, 16)) : c;
      if (c == 'u') *at += 4;
    }
    ++*at;
    return text;
  };
  skip();
  const char c = s[*at];
  if (c == '{' || c == '[') {
    ++*at;
    for (int i = 0;; ++i) {
      skip();
      if (s[*at] == '}' || s[*at] == ']') break;
      std::string name = std::to_string(i);
      if (c == '{') {
        name = string();
        skip();
        ++*at;  // ':'
      }
      FlattenJson(s, at, path.empty() ? name : path + "." + name, out);
      skip();
      if (s[*at] == ',') ++*at;
    }
    ++*at;
  } else if (c == '"') {
    (*out)[path] = string();
  } else {
    const std::size_t end = s.find_first_of(",}]", *at);
    (*out)[path] = s.substr(*at, end - *at);
    *at = end;
  }
}

std::uint32_t TypeNumber(const std::string& name) {
  for (std::uint32_t t = 0; t < 12; ++t)
    if (TypeName(t) == name) return t;
  return static_cast<std::uint32_t>(std::stoul(name.substr(5)));  // "type N"
}

// Replays the records of an exported JSON file, as a configuration tool would.
void ReplayJson(const std::string& text, RegistryBackend& registry) {
  std::map<std::string, std::string> json;
  std::size_t at = 0;
  FlattenJson(text, &at, "", &json);
  for (int i = 0; json.count("records." + std::to_string(i) + ".operation"); ++i) {
    const std::string record = "records." + std::to_string(i) + ".";
    const std::string op = json[record + "operation"], path = json[record + "path"];
    RegistryRoot root;
    ASSERT_TRUE(ParseRootName(json[record + "root"], &root));
    RegKey key = 0;
    if (op == "delete-key") {
      DeleteKeyTree(registry, RootKey(root), path);
      continue;
    }
    ASSERT_EQ(regerr::kSuccess, registry.CreateKeyEx(RootKey(root), path, kKeyAllAccess, &key));
    if (op == "delete-value") registry.DeleteValue(key, json[record + "name"]);
    if (op == "set-value") {
      const std::string hex = json[record + "value.bytes"];
      std::vector<std::uint8_t> data;
      for (std::size_t b = 0; b < hex.size(); b += 2)
        data.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(b, 2), nullptr, 16)));
      registry.SetValueEx(key, json[record + "name"], TypeNumber(json[record + "value.type"]),
                          data.data(), static_cast<std::uint32_t>(data.size()));
    }
    registry.CloseKey(key);
  }
}

class Export : public CliTest {
 protected:
  // A registry that starts as the live one does, for another machine.
  static std::unique_ptr<MemoryRegistry> Twin() {
    auto twin = std::make_unique<MemoryRegistry>();
    ImportRegScript(*twin, SeedScript());
    return twin;
  }
  // The action run for real there, from the window's start states.
  void RunOn(RegistryBackend& registry, const std::string& action) {
    ScopedSeams here(&registry);
    std::unique_ptr<TRegistry> window = ExchangeSharedRegistry(nullptr);
    EXPECT_EQ("", RunForReal(*FindNamedAction(action), StartControls()));
    ExchangeSharedRegistry(std::move(window));
  }
  std::string Written(const std::string& path) {
    std::string data;
    EXPECT_TRUE(files.ReadAll(path, &data)) << path;
    return data;
  }
};

TEST_F(Export, EachFormatReplayedElsewhereLeavesWhatTheActionLeavesButWhatItLeavesOut) {
  files.MakeFolders("C:\\Export\\");
  for (const std::string action : {"page1", "page2", "page3", "one-click", "green"}) {
    SCOPED_TRACE(action);
    auto acted = Twin();
    RunOn(*acted, action);
    for (const std::string format : {"pol", "reg", "json"}) {
      SCOPED_TRACE(format);
      const std::vector<LeftOut> leftOut =
          BundleExport(*Plan(*FindNamedAction(action), StartControls()), format, action, "")
              .leftOut;
      const std::string out = "C:\\Export\\" + action + "-" + format + "\\";
      CliResult result = Run({"export", action, "--format", format, "--out", out});
      ASSERT_EQ(leftOut.empty() ? cli_exit::kOk : cli_exit::kNotAsPlanned, result.exitCode)
          << result.err;
      auto replayed = Twin();
      if (format == "pol") {
        std::vector<PolicyEntry> machine, user;
        ASSERT_NO_THROW(machine = ReadPolicyFile(Written(out + "Machine\\Registry.pol")));
        ASSERT_NO_THROW(user = ReadPolicyFile(Written(out + "User\\Registry.pol")));
        EXPECT_FALSE(machine.empty() && user.empty());
        ReplayPolicy(machine, RegistryRoot::LocalMachine, *replayed);
        ReplayPolicy(user, RegistryRoot::CurrentUser, *replayed);
      } else if (format == "reg") {
        const std::string script = Written(out + action + ".reg");
        EXPECT_EQ(0u, script.find("\xFF\xFEW\0i\0n\0d\0o\0w\0s\0 \0R\0"));
        ImportRegScript(*replayed, script);
      } else {
        ReplayJson(Written(out + action + ".json"), *replayed);
      }
      EXPECT_EQ(Comparable(Dump(*acted), leftOut), Comparable(Dump(*replayed), leftOut));
      // Everything left out is said, in the output and in README.txt.
      const std::string readme = Written(out + "README.txt");
      for (const std::string& line : LeftOutLines(leftOut)) {
        EXPECT_NE(std::string::npos, readme.find(line + "\r\n")) << line;
        EXPECT_NE(std::string::npos, result.out.find(line + "\n")) << line;
      }
    }
  }
}

TEST(PolicyFile, NamesBeyondAsciiAndDataOfOddSizesReadBackByteForByte) {
  const std::string key = "Software\\\xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87\\\xE4\xB8\xAD\xE6\x96\x87";
  const std::string name = "Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80";  // beyond the BMP
  const std::vector<PolicyInstruction> written = {
      PolicySetValue(key, name, regtype::kMultiSz, {'a', 0, 0, 0, 'b'}),
      PolicySetValue(key, "", 0x12345, {}),
      PolicyDeleteValue(key, name),
      PolicyDeleteKeys(key, {"\xD0\x9A", "Bags"}),
  };
  std::vector<PolicyEntry> read;
  ASSERT_NO_THROW(read = ReadPolicyFile(PolicyFile(written)));
  ASSERT_EQ(written.size(), read.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(key, read[i].key);
    EXPECT_EQ(written[i].type, read[i].type);
    EXPECT_EQ(written[i].data, read[i].data);
  }
  EXPECT_EQ(name, read[0].value);
  EXPECT_EQ("**del." + name, read[2].value);
  EXPECT_EQ(StringData(" "), read[2].data);
  EXPECT_EQ("**DeleteKeys", read[3].value);
  EXPECT_EQ(StringData("\xD0\x9A;Bags"), read[3].data);
}

TEST_F(Export, BadFormatsAndOutputFoldersAreRefusedWithNothingWritten) {
  files.files["C:\\Taken"] = {"a file"};
  files.files["C:\\Full\\notes.txt"] = {"mine"};
  files.MakeFolders("C:\\Nested\\Sub\\");
  const std::string nothing = ", so nothing has been written";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"export", "green", "--out", "C:\\Out"}, "export needs --format pol, reg or json"},
      {{"export", "green", "--format", "xml", "--out", "C:\\Out"},
       "Unknown format xml: give pol, reg or json"},
      {{"export", "green", "--format=reg"}, "export needs --out and the folder to write to"},
      {{"export", "green", "--format", "reg", "--out"},
       "--out needs the folder to write to after it"},
      {{"export", "--format", "pol", "--out", "C:\\Out"},
       "export needs an action: page1, page2, page3, one-click, green, fix"},
      {{"diff", "green", "--out", "C:\\Out"}, "--format, --out and --force go only with export"},
      {{"export", "green", "--format", "reg", "--out", "C:\\Taken"},
       "C:\\Taken is a file, not a folder" + nothing},
      {{"export", "green", "--format", "pol", "--out", "C:\\Full\\"},
       "The folder C:\\Full is not empty" + nothing +
           ": give --force to write the export into it (files of the same names are replaced)"},
      {{"export", "green", "--format", "pol", "--out", "C:\\Nested"},
       "The folder C:\\Nested is not empty" + nothing +
           ": give --force to write the export into it (files of the same names are replaced)"},
      {{"export", "green", "--format", "json", "--out", "C:\\Nowhere\\Out"},
       "There is no folder C:\\Nowhere to make C:\\Nowhere\\Out in" + nothing},
  };
  const std::string registry = Dump(live);
  const auto before = files.files;
  const auto folders = files.folders;
  auto expectRefused = [&](const std::vector<std::string>& args, const std::string& message) {
    std::string line;
    for (const std::string& arg : args) line += arg + " ";
    SCOPED_TRACE(line);
    CliResult result = Run(args);
    EXPECT_EQ(cli_exit::kBadArguments, result.exitCode);
    EXPECT_EQ(message + "\n", result.err);
    std::vector<std::string> withJson = args;
    withJson.push_back("--json");
    EXPECT_EQ("{\"error\":" + JsonString(message) + ",\"exitCode\":2}\n", Run(withJson).out);
    EXPECT_EQ(before, files.files);
    EXPECT_EQ(folders, files.folders);
  };
  for (const auto& c : cases) expectRefused(c.first, c.second);

  // A folder that refuses files; a disk that fills up after the first file,
  // whose file and new folders go again.
  const std::vector<std::string> pol = {"export", "green", "--format", "pol", "--out", "C:\\Out"};
  files.refuseCreate = true;
  expectRefused(
      pol,
      "The export cannot be written to C:\\Out, so nothing has been written: Cannot create "
      "file \"C:\\Out\\Machine\\Registry.pol\". Access is denied.");
  files.refuseCreate = false;
  const ExportBundle bundle =
      BundleExport(*Plan(*FindNamedAction("green"), StartControls()), "pol", "green", "");
  ASSERT_LT(bundle.files[0].data.size(), bundle.files[1].data.size());
  files.diskSpace = bundle.files[0].data.size();
  expectRefused(
      pol,
      "The export cannot be written to C:\\Out, so nothing has been written: Cannot create "
      "file \"C:\\Out\\User\\Registry.pol\". There is not enough space on the disk.");
  files.diskSpace = static_cast<std::size_t>(-1);
  // A plan that would fail exports nothing.
  CliResult failing =
      Run({"export", "page1", "--set", "OnExit=soon", "--format", "reg", "--out", "C:\\Out"});
  EXPECT_EQ(cli_exit::kActionFailed, failing.exitCode);
  EXPECT_EQ(
      "Save Changes on Tweaks [1] (page1) would stop, so nothing has been exported: 'soon' is not "
      "a valid "
      "integer value\n",
      failing.err);
  EXPECT_EQ(before, files.files);
  EXPECT_EQ(folders, files.folders);
  EXPECT_EQ(registry, Dump(live));
  EXPECT_TRUE(processes.calls.empty());

  // With --force the folder's own files stay, and a second export replaces
  // the first.
  const std::vector<std::string> forced = {"export", "page1",    "--format", "reg",
                                           "--out",  "C:\\Full", "--force"};
  ASSERT_EQ(cli_exit::kNotAsPlanned, Run(forced).exitCode);
  ASSERT_EQ(cli_exit::kNotAsPlanned, Run(forced).exitCode);
  EXPECT_EQ((std::vector<std::string>{"README.txt", "notes.txt", "page1.reg"}),
            files.ListFiles("C:\\Full\\"));
}

TEST_F(Export, StatusOfAnActionJudgesTheRegistryAloneSoItDetectsADeployment) {
  CliResult before = Run({"status", "green"});
  EXPECT_EQ(cli_exit::kNotAsPlanned, before.exitCode) << before.out;
  ASSERT_EQ(cli_exit::kOk, Run({"apply", "green"}).exitCode);
  // The icon cache the boost deleted comes back; that is not the registry.
  files.files["C:\\Users\\Tester\\AppData\\Local\\IconCache.DB"] = {"cache"};
  CliResult held = Run({"status", "green"});
  EXPECT_EQ(cli_exit::kOk, held.exitCode) << held.out;
  EXPECT_EQ(0u, held.out.find("GREEN Boost (green): the registry holds all ")) << held.out;
  const std::string key =
      "SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters\\Interfaces\\"
      "{C39824E9-6297-4BC0-9801-87272F29D52D}";
  WriteDwordMachine(key, "TcpNoDelay", 0);
  CliResult differs = Run({"status", "green"});
  EXPECT_EQ(cli_exit::kNotAsPlanned, differs.exitCode);
  EXPECT_NE(std::string::npos, differs.out.find(": 1 of ")) << differs.out;
  EXPECT_NE(std::string::npos,
            differs.out.find("  HKEY_LOCAL_MACHINE\\" + key +
                             "  \"TcpNoDelay\": dword:00000000 (0), expected dword:00000001 (1)\n"))
      << differs.out;
  // Unticked, the boost writes nothing there.
  EXPECT_EQ(cli_exit::kOk, Run({"status", "green", "--set", "chkLatency=0"}).exitCode);
}

}  // namespace
}  // namespace velotune
