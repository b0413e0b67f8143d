// Control states kept in maps, for catalogue tests. Reading a control that was
// never given a state is a test fault, so it throws.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "tweaks/control_states.h"

namespace velotune {

class MapControlStates : public ControlStates {
 public:
  std::map<std::string, bool> checked;
  std::map<std::string, std::string> text;
  std::map<std::string, int> position;
  std::map<std::string, int> itemIndex;
  std::set<std::string> disabled;
  // Every name read, in order, so a test can see which controls a run looked at.
  mutable std::vector<std::string> reads;

  bool Checked(const std::string& name) const override { return Find(checked, name); }
  void SetChecked(const std::string& name, bool value) override { checked[name] = value; }
  std::string Text(const std::string& name) const override { return Find(text, name); }
  int Position(const std::string& name) const override { return Find(position, name); }
  int ItemIndex(const std::string& name) const override { return Find(itemIndex, name); }
  bool Enabled(const std::string& name) const override { return disabled.count(name) == 0; }

 private:
  template <typename T>
  T Find(const std::map<std::string, T>& map, const std::string& name) const {
    reads.push_back(name);
    auto it = map.find(name);
    if (it == map.end()) throw std::out_of_range("no state for control " + name);
    return it->second;
  }
};

}  // namespace velotune
