#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillmoth {

enum class CreateFileResult {
    Created,       // the file did not exist and now holds the whole content
    AlreadyExists, // a file was already there; it was left untouched
    Failed,        // nothing was written (see the error text)
};

// Creates a file that must not exist yet, so that it is never seen
// half-written and never replaces a file that appears in the meantime: the
// bytes go to a temporary file in the same folder, which is then linked into
// place only if the name is still free.
CreateFileResult createFileAtomically(const std::filesystem::path &path, std::string_view bytes,
                                      std::string *error = nullptr);

} // namespace quillmoth
