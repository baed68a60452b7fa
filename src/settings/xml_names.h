#pragma once

#include <string_view>

namespace quillmoth::settings {

// True when the text is an XML 1.0 name, so that an element or attribute made
// from it can be saved and loaded again.
bool isXmlName(std::u16string_view name);

} // namespace quillmoth::settings
