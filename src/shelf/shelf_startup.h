#pragma once

#include "shelf/shelf_context.h"

namespace quillmoth {

// The first steps of every start, in order: the folders of the application
// folder, the settings (problems go to `reportError`), the current theme (the
// default theme when the one named is missing or unsafe) and the language
// file. False when the settings could neither be read nor re-created.
bool loadShelfStartup(const ShelfContext &context, const SettingsErrorHandler &reportError);

} // namespace quillmoth
