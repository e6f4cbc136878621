#pragma once

#include <string>
#include <vector>

#include "tools/orvanectl/ToolContext.h"

namespace orvane::tool {

using Args = std::vector<std::string>;

int ListCommand(const GlobalOptions& options, const Args& args);
int InfoCommand(const GlobalOptions& options, const Args& args);
int ConfigCommand(const GlobalOptions& options, const Args& args);
int WriteSettingsCommand(const GlobalOptions& options, const Args& args);
int WriteKeysCommand(const GlobalOptions& options, const Args& args);
int WriteMacrosCommand(const GlobalOptions& options, const Args& args);
int PowerCommand(const GlobalOptions& options, const Args& args);
int PullCommand(const GlobalOptions& options, const Args& args);
int ProfilesCommand(const GlobalOptions& options, const Args& args);
int DpiCommand(const GlobalOptions& options, const Args& args);
int RateCommand(const GlobalOptions& options, const Args& args);
int LodCommand(const GlobalOptions& options, const Args& args);
int LightCommand(const GlobalOptions& options, const Args& args);
int ShootCommand(const GlobalOptions& options, const Args& args);
int UpdatesCommand(const GlobalOptions& options, const Args& args);
int KeysCommand(const GlobalOptions& options, const Args& args);
int MacrosCommand(const GlobalOptions& options, const Args& args);
// The mouse pad's `config` (--pad).
int PadConfigCommand(const GlobalOptions& options, const Args& args);
// The headset: `config` (--headset) with its audio state, and its audio functions.
int HeadsetConfigCommand(const GlobalOptions& options, const Args& args);
int EqCommand(const GlobalOptions& options, const Args& args);
int MicCommand(const GlobalOptions& options, const Args& args);
int MonitorCommand(const GlobalOptions& options, const Args& args);
int KeyboardCommand(const GlobalOptions& options, const Args& args);

}  // namespace orvane::tool
