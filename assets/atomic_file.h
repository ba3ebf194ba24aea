#pragma once

// Writing a file whole or not at all.

#include <string>
#include <vector>

// Writes `bytes` to `path + ".part"` and renames it to `path` once all of it
// is written and closed: a write that fails (read-only folder, full disk)
// leaves neither file. On failure `reason` is the system's word for it.
bool writeFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& reason);
