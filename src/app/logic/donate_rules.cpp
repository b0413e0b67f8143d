#include "app/logic/donate_rules.h"

namespace velotune {

std::string SupportValueName(int productNumber) {
  if (productNumber < 1 || productNumber > 99) return "";
  std::string digits = std::to_string(productNumber);
  return productNumber < 10 ? "0" + digits : digits;
}

bool ShowDonateFor(const std::string& storedChoice) {
  return storedChoice.empty() || storedChoice == "1";
}

}  // namespace velotune
