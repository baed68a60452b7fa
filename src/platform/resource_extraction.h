#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>
#include <filesystem>
#include <string>

namespace quillmoth {

enum class ExtractResult {
    Written,        // the file was missing and now holds the resource
    AlreadyThere,   // a file exists at the path; it was not touched
    NoSuchResource, // the executable holds no resource of that name
    WriteFailed,    // the file could not be written; nothing is left half-done
};

// How the bytes are adjusted on the way out. The page-shadow resources are
// written with the PNG signature put back in front (their first four bytes
// become 137, 80, 78, 71), which leaves a real PNG as it was.
enum class HeaderFix { None, PngSignature };

// A built-in picture that is written into Settings/DATA when missing.
struct DataResource {
    const char *resourceName;
    const char *fileName;
    HeaderFix fix;
};

// The default cover, the three shelf pieces and the two page shadows.
const std::array<DataResource, 6> &dataResources();

// Resource names of the pieces that are not written into Settings/DATA.
inline constexpr char kWindowBackgroundResource[] = "UIback";
inline constexpr char kChineseHelpResource[] = "HELP";
inline constexpr char kEnglishHelpResource[] = "HELP_EN";

// The bytes of a built-in resource, empty when there is no such resource.
QByteArray builtinResource(const QString &resourceName);

// When no file exists at `filePath`, writes the resource of that name as the
// whole content of the file (atomically). An existing file is never touched.
ExtractResult ExtractResourceFile(const QString &resourceName,
                                  const std::filesystem::path &filePath,
                                  HeaderFix fix = HeaderFix::None, std::string *error = nullptr);

// The picture of a built-in data resource kept in Settings/DATA: the file is
// written first when missing, and the built-in picture is used when the file
// (which the user may have replaced) cannot be read or is empty.
QImage loadDataPicture(const std::filesystem::path &filePath, const QString &resourceName,
                       HeaderFix fix = HeaderFix::None);

// Makes sure the resources compiled into this library are registered; the
// functions here call it themselves.
void ensureBuiltinResources();

} // namespace quillmoth
