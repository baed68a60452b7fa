#include "resource_extraction.h"

#include "create_file.h"
#include "imaging.h"

#include <QFile>

#include <string_view>

// Resources compiled into a static library are only linked in when something
// refers to their initialiser, which Q_INIT_RESOURCE does. It must be called
// outside any namespace.
static void initQuillmothResources()
{
    Q_INIT_RESOURCE(quillmoth);
}

namespace quillmoth {

const std::array<DataResource, 6> &dataResources()
{
    static const std::array<DataResource, 6> resources = {{
        {"COVER", "Cvr.dat", HeaderFix::None},
        {"TOP", "ShfT.dat", HeaderFix::None},
        {"LEFT", "ShfL.dat", HeaderFix::None},
        {"MIDDLE", "ShfM.dat", HeaderFix::None},
        {"Mid", "MidShd.dat", HeaderFix::PngSignature},
        {"Sid", "SideShd.dat", HeaderFix::PngSignature},
    }};
    return resources;
}

void ensureBuiltinResources()
{
    static const bool registered = [] {
        initQuillmothResources();
        return true;
    }();
    (void)registered;
}

QByteArray builtinResource(const QString &resourceName)
{
    ensureBuiltinResources();
    // Names are plain words; anything that could walk the resource tree is refused.
    if (resourceName.isEmpty() || resourceName.contains(u'/') || resourceName.contains(u'\\'))
        return {};
    QFile file(QStringLiteral(":/CUSTOM/") + resourceName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

ExtractResult ExtractResourceFile(const QString &resourceName,
                                  const std::filesystem::path &filePath, HeaderFix fix,
                                  std::string *error)
{
    std::error_code ignored;
    if (std::filesystem::exists(std::filesystem::symlink_status(filePath, ignored)))
        return ExtractResult::AlreadyThere;

    QByteArray bytes = builtinResource(resourceName);
    if (bytes.isEmpty()) {
        if (error != nullptr)
            *error = "no built-in resource named " + resourceName.toStdString();
        return ExtractResult::NoSuchResource;
    }
    if (fix == HeaderFix::PngSignature && bytes.size() >= 4) {
        static constexpr unsigned char kSignature[] = {137, 'P', 'N', 'G'};
        for (int i = 0; i < 4; ++i)
            bytes[i] = char(kSignature[i]);
    }

    switch (createFileAtomically(
        filePath, std::string_view(bytes.constData(), std::size_t(bytes.size())), error)) {
    case CreateFileResult::Created:
        return ExtractResult::Written;
    case CreateFileResult::AlreadyExists:
        return ExtractResult::AlreadyThere;
    case CreateFileResult::Failed:
        break;
    }
    return ExtractResult::WriteFailed;
}

QImage loadDataPicture(const std::filesystem::path &filePath, const QString &resourceName,
                       HeaderFix fix)
{
    ExtractResourceFile(resourceName, filePath, fix);
    QImage image = loadImage(QString::fromStdU16String(filePath.u16string()));
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        image = QImage::fromData(builtinResource(resourceName));
    return image;
}

} // namespace quillmoth
