#include <QGuiApplication>
#include <QImage>
#include <QPainter>

// Writes a blank white 1000 x 1000 PNG with one text to the path given: the least a Qt
// program that exports a figure headless has to do (its fonts found and one text drawn).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QImage image(1000, 1000, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawText(QPointF(100, 100), QStringLiteral("Kymata"));
    }
    return image.save(QString::fromLocal8Bit(argv[1]), "png") ? 0 : 1;
}
