#pragma once
// Files of a Quillbar folder on a file system whose names are
// case-sensitive: folders copied from elsewhere hold "Master" or "f1.dat".
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace QxQb {

// The path of the regular file name in folder: the exact name when it is
// there, else the first entry (in name order) equal to it ignoring ASCII
// case; empty when there is none. Paths are in the file system's encoding.
std::string findFile(const std::string& folder, const std::string& name);

// Reads at most maxBytes from the start of the file; false when it cannot
// be opened or read.
bool readFile(const std::string& path, std::size_t maxBytes, std::vector<uint8_t>& bytes);

// The last component of the folder that holds path ("/a/b/MASTER" gives "b").
std::string parentFolderName(const std::string& path);

} // namespace QxQb
