#include "app/app_registry.h"

#include "app/logic/donate_rules.h"
#include "platform/errors.h"
#include "platform/registry_names.h"
#include "platform/seams.h"
#include "tweaks/registry.h"

namespace velotune {

void CreateRegKey(RegistryRoot root, const std::string& key, const std::string& valueName,
                  const std::string& value) {
  RegistryBackend& registry = ActiveRegistry();
  RegKey handle = 0;
  if (registry.CreateKeyEx(RootKey(root), key, kKeyAllAccess, &handle) != regerr::kSuccess)
    throw EOleRegistrationError("Error creating system registry entry");
  // The stored text includes its terminating zero, as REG_SZ data does.
  const std::vector<std::uint8_t> data = StringData(value);
  long result = registry.SetValueEx(handle, valueName, regtype::kSz, data.data(),
                                    static_cast<std::uint32_t>(data.size()));
  registry.CloseKey(handle);
  if (result != regerr::kSuccess)
    throw EOleRegistrationError("Error creating system registry entry");
}

void RecordProgramPath(const std::string& programPath) {
  CreateRegKey(RegistryRoot::CurrentUser, kProgramKey, kProgramPathValue, programPath);
}

bool DonateWantedAtStart() {
  return ShowDonateFor(ReadStringUser(kSupportKey, SupportValueName(kDonateProductNumber)));
}

bool DonateBoxTicked(int productNumber) {
  std::string name = SupportValueName(productNumber);
  if (name.empty()) return true;
  return ShowDonateFor(ReadStringUser(kSupportKey, name));
}

void StoreDonateChoice(int productNumber, bool ticked) {
  std::string name = SupportValueName(productNumber);
  if (name.empty()) return;
  EnsureKey(RegistryRoot::CurrentUser, kProgramKey);
  EnsureKey(RegistryRoot::CurrentUser, kSupportKey);
  WriteStringUser(kSupportKey, name, StoredChoiceFor(ticked));
}

}  // namespace velotune
