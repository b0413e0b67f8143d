// The two programs as a user gets them, read back from the built files: each
// manifest as the system's activation context understands it (execution
// level, supported systems, common controls), the version resources against
// the project's version, and both programs stripped, each naming the debug
// file beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/backup_files.h"
#include "velotune_version.h"

namespace {

using velotune::FileBytes;

std::string BinFile(const std::string& name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self = path;
  return self.substr(0, self.find_last_of('\\') + 1) + name;
}

std::string ManifestOf(const std::string& exe) {
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "";
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  std::string text = data ? std::string(data, SizeofResource(module, resource)) : "";
  FreeLibrary(module);
  return text;
}

// The activation context the system makes from a manifest; null when it
// cannot (a malformed manifest, a dependency the system does not have).
HANDLE ContextOf(const std::string& manifest, const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + name + ".manifest";
  std::ofstream(path, std::ios::binary) << manifest;
  ACTCTXA context = {};
  context.cbSize = sizeof context;
  context.lpSource = path.c_str();
  HANDLE handle = CreateActCtxA(&context);
  DeleteFileA(path.c_str());
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

std::vector<unsigned char> Query(HANDLE context, ACTIVATION_CONTEXT_INFO_CLASS what) {
  SIZE_T needed = 0;
  QueryActCtxW(0, context, nullptr, what, nullptr, 0, &needed);
  std::vector<unsigned char> buffer(needed + 16, 0xCC);
  if (!QueryActCtxW(0, context, nullptr, what, buffer.data(), buffer.size(), &needed))
    buffer.clear();
  return buffer;
}

// Vista, 7, 8, 8.1, and 10 and 11.
const GUID kSystems[] = {
    {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},
    {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
    {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
    {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
    {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},
};

struct Program {
  const char* file;
  ACTCTX_REQUESTED_RUN_LEVEL level;
  bool commonControls;
  const char* description;
};

const Program kPrograms[] = {
    {"velotune.exe", ACTCTX_RUN_LEVEL_REQUIRE_ADMIN, true, "Velotune: Windows tweaks and repairs"},
    {"velotune-cli.exe", ACTCTX_RUN_LEVEL_AS_INVOKER, false, "Velotune command line"},
};

TEST(Release, ManifestsAskForTheirRightsTheSystemsAndTheCommonControls) {
  for (const Program& program : kPrograms) {
    SCOPED_TRACE(program.file);
    const std::string manifest = ManifestOf(BinFile(program.file));
    ASSERT_FALSE(manifest.empty());
    HANDLE context = ContextOf(manifest, program.file);
    ASSERT_NE(nullptr, context) << GetLastError() << "\n" << manifest;

    const std::vector<unsigned char> run = Query(context, RunlevelInformationInActivationContext);
    ASSERT_GE(run.size(), sizeof(ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION));
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level;
    std::memcpy(&level, run.data(), sizeof level);
    EXPECT_EQ(program.level, level.RunLevel);
    EXPECT_EQ(0u, level.UiAccess);

    // The elements' layout differs between systems: look for each identifier.
    const std::vector<unsigned char> systems =
        Query(context, CompatibilityInformationInActivationContext);
    ASSERT_GE(systems.size(), sizeof(DWORD));
    DWORD count = 0;
    std::memcpy(&count, systems.data(), sizeof count);
    EXPECT_EQ(5u, count);
    for (const GUID& system : kSystems) {
      const unsigned char* id = reinterpret_cast<const unsigned char*>(&system);
      EXPECT_NE(systems.end(), std::search(systems.begin(), systems.end(), id, id + sizeof system))
          << std::hex << system.Data1;
    }
    ReleaseActCtx(context);

    const bool controls = manifest.find(
                              "name=\"Microsoft.Windows.Common-Controls\" "
                              "version=\"6.0.0.0\"") != std::string::npos &&
                          manifest.find(
                              "processorArchitecture=\"x86\" "
                              "publicKeyToken=\"6595b64144ccf1df\"") != std::string::npos;
    EXPECT_EQ(program.commonControls, controls) << manifest;
  }
}

std::string StringValue(const std::vector<char>& info, const std::string& name) {
  char* text = nullptr;
  UINT size = 0;
  const std::string path = "\\StringFileInfo\\040904B0\\" + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &size) || !text)
    return "<none>";
  return std::string(text, size && text[size - 1] == '\0' ? size - 1 : size);
}

TEST(Release, VersionResourcesCarryTheProjectVersion) {
  const DWORD high = MAKELONG(VELOTUNE_VERSION_MINOR, VELOTUNE_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, VELOTUNE_VERSION_PATCH);
  for (const Program& program : kPrograms) {
    SCOPED_TRACE(program.file);
    const std::string exe = BinFile(program.file);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, info.size(), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
    EXPECT_EQ(high, fixed->dwFileVersionMS);
    EXPECT_EQ(low, fixed->dwFileVersionLS);
    EXPECT_EQ(high, fixed->dwProductVersionMS);
    EXPECT_EQ(low, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(VELOTUNE_VERSION_TEXT, StringValue(info, "FileVersion"));
    EXPECT_EQ(VELOTUNE_VERSION_TEXT, StringValue(info, "ProductVersion"));
    EXPECT_EQ("Velotune", StringValue(info, "ProductName"));
    EXPECT_EQ(program.description, StringValue(info, "FileDescription"));
    EXPECT_EQ(program.file, StringValue(info, "OriginalFilename"));
    EXPECT_EQ("\xA9 2014 Orvana Corporation", StringValue(info, "LegalCopyright"));
  }
}

// The sections of a PE file by name, with their raw data.
std::vector<std::pair<std::string, std::string>> Sections(const std::string& file) {
  std::vector<std::pair<std::string, std::string>> sections;
  if (file.size() < 0x40) return sections;
  IMAGE_DOS_HEADER dos;
  std::memcpy(&dos, file.data(), sizeof dos);
  IMAGE_FILE_HEADER header;
  const std::size_t at = dos.e_lfanew + 4;
  std::memcpy(&header, file.data() + at, sizeof header);
  std::size_t table = at + sizeof header + header.SizeOfOptionalHeader;
  const std::size_t symbols = header.PointerToSymbolTable + header.NumberOfSymbols * 18;
  for (int i = 0; i < header.NumberOfSections; ++i, table += sizeof(IMAGE_SECTION_HEADER)) {
    IMAGE_SECTION_HEADER section;
    std::memcpy(&section, file.data() + table, sizeof section);
    std::string name(reinterpret_cast<const char*>(section.Name),
                     strnlen(reinterpret_cast<const char*>(section.Name), 8));
    // Long names are "/offset" into the string table after the symbols.
    if (name[0] == '/') name = file.c_str() + symbols + std::atoi(name.c_str() + 1);
    sections.emplace_back(name, file.substr(section.PointerToRawData, section.SizeOfRawData));
  }
  return sections;
}

TEST(Release, BothProgramsAreStrippedAndNameTheirDebugFile) {
  for (const Program& program : kPrograms) {
    SCOPED_TRACE(program.file);
    const std::string exe = FileBytes(BinFile(program.file));
    std::string link;
    for (const auto& section : Sections(exe)) {
      EXPECT_NE(0u, section.first.find(".debug_")) << section.first;
      if (section.first == ".gnu_debuglink") link = section.second;
    }
    ASSERT_FALSE(link.empty());
    const std::string debugFile = std::string(program.file) + ".debug";
    EXPECT_STREQ(debugFile.c_str(), link.c_str());
    bool hasDebugInfo = false;
    for (const auto& section : Sections(FileBytes(BinFile(debugFile))))
      hasDebugInfo = hasDebugInfo || section.first == ".debug_info";
    EXPECT_TRUE(hasDebugInfo);
    // Time stamps would make every build differ.
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, exe.data(), sizeof dos);
    IMAGE_FILE_HEADER header;
    std::memcpy(&header, exe.data() + dos.e_lfanew + 4, sizeof header);
    EXPECT_EQ(0u, header.TimeDateStamp);
  }
}

}  // namespace
