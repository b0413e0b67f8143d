// Key paths that several catalogues write under.
#pragma once

namespace velotune {
namespace keys {

constexpr char kPoliciesExplorer[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kPoliciesSystem[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kExplorerAdvanced[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kControlPanelDesktop[] = "Control Panel\\Desktop";

}  // namespace keys
}  // namespace velotune
