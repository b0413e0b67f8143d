// The program's own per-user registry data: its path under "Zolex" and the
// Donate dialog's "show at start" choice under "Zolex\Support". Everything
// goes through the registry layer, so it runs against any backend.
#pragma once

#include <string>

#include "platform/registry_backend.h"

namespace velotune {

// Creates the key under `root` with read and write access and sets one string
// value in it. Raises EOleRegistrationError "Error creating system registry
// entry" when either step fails.
void CreateRegKey(RegistryRoot root, const std::string& key, const std::string& valueName,
                  const std::string& value);

// Records the program file's full path (start-up).
void RecordProgramPath(const std::string& programPath);

// Whether the Donate dialog opens when the program starts.
bool DonateWantedAtStart();

// The stored choice for the product number read as the dialog's tick: ticked
// for "1" or nothing stored. A number without a value name reads as ticked.
bool DonateBoxTicked(int productNumber);
// Stores the dialog's tick when it closes; nothing for number 0.
void StoreDonateChoice(int productNumber, bool ticked);

}  // namespace velotune
