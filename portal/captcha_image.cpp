#include "portal/captcha_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>

namespace portal {

void SalvarCaptcha(std::string_view base64, const std::filesystem::path& file) {
    const auto bytes =
        QByteArray::fromBase64(QByteArray(base64.data(), static_cast<qsizetype>(base64.size())));
    QBuffer buffer;
    buffer.setData(bytes);
    // Only a PNG picture counts: the reader must not fall back to another format it knows.
    QImageReader reader(&buffer, "PNG");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage image;
    if (!reader.read(&image)) {
        throw ImageError("A imagem de segurança não é uma imagem PNG válida.");
    }
    if (!image.save(QString::fromStdString(file.string()), "PNG")) {
        throw ImageError("Não foi possível gravar " + file.string() + ".");
    }
}

}  // namespace portal
