#pragma once

#include <string>

// A minimal Windows PE file whose resource section holds the given version
// record as its RT_VERSION resource, after an icon entry; PE32 or PE32+.
std::string peWithVersionRecord(const std::string& record, bool wide = false);

// The same file without a resource directory.
std::string peWithoutResources();

// A minimal little-endian ELF file (32 or 64 bits) whose version section
// holds the given version record.
std::string elfWithVersionRecord(const std::string& record, bool wide);
