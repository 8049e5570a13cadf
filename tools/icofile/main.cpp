// Makes the Windows program icon from the project's PNG icon. Run by a Windows build:
//   veldor-icofile SOURCE.png TARGET.ico
#include "tools/icofile/icofile.h"

#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: veldor-icofile SOURCE.png TARGET.ico\n", stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    const QImage picture(source);
    if (picture.isNull()) {
        std::fprintf(stderr, "veldor-icofile: cannot read %s as a picture\n", argv[1]);
        return 1;
    }
    const QByteArray ico = veldor::MakeIcoFile(picture);
    if (ico.isEmpty()) {
        std::fprintf(stderr, "veldor-icofile: cannot make an icon of %s\n", argv[1]);
        return 1;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size() || !file.commit()) {
        std::fprintf(stderr, "veldor-icofile: cannot write %s: %s\n", argv[2],
                     qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
