#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "portal/captcha_image.h"
#include "portal/captcha_text.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace portal {
namespace {

TEST(CaptchaTextTest, Base64BetweenTheMarkerAndTheNextInput) {
    struct Case {
        std::string markup;
        std::string text;
    };
    const Case cases[] = {
        {"<DIV><IMG src=\"data:image/png;base64,iVBORw0KGgo=\"> <INPUT name=\"x\"></DIV>",
         "iVBORw0KGgo="},
        // The first marker and the first terminator after it count; line breaks stay.
        {"<IMG src=\"data:image/png;base64,AB\r\nCD\"> <INPUT>\"> <INPUT> data:image/png;base64,",
         "AB\r\nCD"},
        {"<IMG src=\"data:image/png;base64,\"> <INPUT>", ""},
        // No terminator: the browser's own lower-case markup, or none at all.
        {"<img src=\"data:image/png;base64,iVBORw0KGgo=\"> <input>", ""},
        {"<IMG src=\"data:image/png;base64,iVBORw0KGgo=\">", ""},
        // No marker, or the marker in other letters.
        {"<IMG src=\"x.png\"> <INPUT>", ""},
        {"<IMG src=\"DATA:image/png;base64,iVBO\"> <INPUT>", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptchaText(c.markup), c.text) << c.markup;
    }
}

QByteArray SmallPng() {
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(2, 1, qRgb(0, 0, 255));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

TEST(SalvarCaptchaTest, WritesThePictureAsAPngFile) {
    test_support::TemporaryDirectory dir;
    const auto base64 = SmallPng().toBase64().toStdString();
    SalvarCaptcha(base64, dir / "captcha.png");
    QImage written;
    ASSERT_TRUE(written.load(QString::fromStdString((dir / "captcha.png").string()), "PNG"));
    EXPECT_EQ(written.size(), QSize(5, 3));
    EXPECT_EQ(written.pixel(2, 1), qRgb(0, 0, 255));
}

TEST(SalvarCaptchaTest, TextThatIsNotAPngPictureIsAnError) {
    test_support::TemporaryDirectory dir;
    for (const std::string& base64 : {QByteArray("GIF89a\x01\x00\x01\x00").toBase64().toStdString(),
                                      std::string("!!!"), std::string()}) {
        EXPECT_THROW(SalvarCaptcha(base64, dir / "captcha.png"), ImageError) << base64;
        EXPECT_FALSE(std::filesystem::exists(dir / "captcha.png"));
    }
}

}  // namespace
}  // namespace portal
