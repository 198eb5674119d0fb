#include <QGuiApplication>
#include <QImage>

// Writes a blank white 1000 x 1000 PNG to the path given: the least a Qt program that
// exports an image headless has to do.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QImage image(1000, 1000, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image.save(QString::fromLocal8Bit(argv[1]), "png") ? 0 : 1;
}
