#include "assets/Pictures.h"

#include <QString>

QImage LoadPicture(std::string_view name)
{
    for (const PictureSpec& spec : AllPictures()) {
        if (name == spec.name) {
            return QImage(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(spec.name)));
        }
    }
    return QImage();
}
