// zentravo_assetgen: draws every picture, synthesises the sound effects,
// writes the theme as a MIDI file and the preview strip as a BMP.
//
//   zentravo_assetgen --pictures DIR --data DIR --theme FILE
//   zentravo_assetgen --contact-sheet FILE --contact-strip FILE
#include "assets/Pictures.h"
#include "contact_sheet.h"
#include "midi.h"
#include "pictures.h"
#include "sounds.h"
#include "strip.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "zentravo_assetgen: %s\n", qPrintable(message));
    return 1;
}

int WritePictures(const QString& dir)
{
    if (!QDir().mkpath(dir)) {
        return Fail(QStringLiteral("cannot create %1").arg(dir));
    }
    for (const PictureSpec& spec : AllPictures()) {
        const QString name = QString::fromLatin1(spec.name);
        const QImage image = DrawPicture(name);
        if (image.isNull()) {
            return Fail(QStringLiteral("no drawing for picture %1").arg(name));
        }
        if (image.width() != spec.width || image.height() != spec.height) {
            return Fail(QStringLiteral("picture %1 is %2x%3, must be %4x%5")
                            .arg(name).arg(image.width()).arg(image.height()).arg(spec.width).arg(spec.height));
        }
        const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!image.save(path, "PNG")) {
            return Fail(QStringLiteral("cannot write %1").arg(path));
        }
    }
    return 0;
}

int WriteTheme(const QString& notesPath, const QString& midiPath)
{
    QFile in(notesPath);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return Fail(QStringLiteral("cannot read %1").arg(notesPath));
    }
    Theme theme;
    QString error;
    if (!ParseTheme(QString::fromUtf8(in.readAll()), theme, error)) {
        return Fail(QStringLiteral("%1: %2").arg(notesPath, error));
    }
    QFile out(midiPath);
    const QByteArray midi = ThemeToMidi(theme);
    if (!out.open(QIODevice::WriteOnly) || out.write(midi) != midi.size()) {
        return Fail(QStringLiteral("cannot write %1").arg(midiPath));
    }
    return 0;
}

int WriteData(const QString& dir, const QString& notesPath)
{
    if (!QDir().mkpath(dir)) {
        return Fail(QStringLiteral("cannot create %1").arg(dir));
    }
    if (!WriteSounds(dir)) {
        return Fail(QStringLiteral("cannot write the sound effects into %1").arg(dir));
    }
    if (int rc = WriteTheme(notesPath, dir + QStringLiteral("/z_wumble.mid")); rc != 0) {
        return rc;
    }
    if (!WriteBmp24(dir + QStringLiteral("/Z_Preview.bmp"), DrawStrip())) {
        return Fail(QStringLiteral("cannot write the preview strip"));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Drawing text needs a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&args](const char* name) {
        const int i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
    };

    const QString pictures = option("--pictures");
    const QString data = option("--data");
    const QString theme = option("--theme");
    const QString sheet = option("--contact-sheet");
    const QString stripSheet = option("--contact-strip");
    if (pictures.isEmpty() && data.isEmpty() && sheet.isEmpty() && stripSheet.isEmpty()) {
        return Fail(QStringLiteral("usage: --pictures DIR --data DIR --theme FILE | --contact-sheet FILE --contact-strip FILE"));
    }
    if (!pictures.isEmpty()) {
        if (int rc = WritePictures(pictures); rc != 0) {
            return rc;
        }
    }
    if (!data.isEmpty()) {
        if (theme.isEmpty()) {
            return Fail(QStringLiteral("--data needs --theme"));
        }
        if (int rc = WriteData(data, theme); rc != 0) {
            return rc;
        }
    }
    if (!sheet.isEmpty() && !DrawContactSheet().save(sheet, "PNG")) {
        return Fail(QStringLiteral("cannot write %1").arg(sheet));
    }
    if (!stripSheet.isEmpty() && !DrawContactStrip(DrawStrip()).save(stripSheet, "PNG")) {
        return Fail(QStringLiteral("cannot write %1").arg(stripSheet));
    }
    return 0;
}
