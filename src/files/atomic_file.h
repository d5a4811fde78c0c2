#pragma once
// Files the program writes are replaced atomically: the bytes go to a
// temporary file beside the target, are flushed to disk, and the temporary
// file is renamed over the target. A failure leaves the old file untouched.
#include <string>
#include <string_view>

namespace rb {

// Throws rb::Error naming the file when it cannot be written.
void writeFileAtomically(const std::string& path, std::string_view bytes);
// Throws rb::Error naming the file when it cannot be read.
std::string readWholeFile(const std::string& path);

}  // namespace rb
