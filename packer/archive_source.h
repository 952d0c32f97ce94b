// Loads the archive that list, extract and check work on: a payload archive file as it is, or the
// payload resource (type "KPX", id 119) of a built setup.exe. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads path and finds the archive in it. Throws std::runtime_error naming the file and the reason
// when the file cannot be read or a PE file carries no readable payload resource.
std::vector<uint8_t> LoadArchiveSource(const std::string& path);
