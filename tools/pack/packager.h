// Packaging a Java application into a copy of the launcher, and reporting what a package holds.
#pragma once

#include <string>
#include <vector>

#include "tools/pack/pack_options.h"

// The launcher reads the archive comment only within this many bytes.
const size_t largestSettingsText = 2048;

// The file's bytes, then CR LF unless they end a line already, then one line per flag.
std::string buildSettingsText(const std::vector<uint8_t>& fileBytes, const std::vector<SettingLine>& settings);

// Exit statuses: 0 done, 1 failed (one line on standard error, nothing written at OUT).
int runPack(const PackOptions& options);
int runInspect(const std::string& path);
