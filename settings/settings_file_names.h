// The two settings files in the settings folder, by name: the suite's, which every member tool
// reads too ("Language"), and the hub's own ("AutoUpdate", "LastUpdateCheck_160").
#pragma once

constexpr const char* kSuiteSettingsFileName = "TarnPlugins.cfg";
constexpr const char* kHubSettingsFileName = "Velmora_160.cfg";
