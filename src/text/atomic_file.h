#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillmoth {

// Writes a whole file so that it is never seen half-written: the bytes go to a
// temporary file in the same folder, which is flushed and then renamed over
// the target. On failure the old file is left as it was. Returns true when
// the new content is in place; `error` then stays empty.
bool writeFileAtomically(const std::filesystem::path &path, std::string_view bytes,
                         std::string *error = nullptr);

// Writes the bytes to a new temporary file in the folder of `path`, flushed to
// disk, and returns its path; nothing (and no file left behind) on failure.
std::optional<std::filesystem::path> writeTemporaryBeside(const std::filesystem::path &path,
                                                          std::string_view bytes,
                                                          std::string *error = nullptr);

} // namespace quillmoth
