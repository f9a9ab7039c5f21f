// The manual's picture embedding: data URIs in place of the picture names, and a clear error for
// every picture the manual cannot carry.
#include "tools/manual_embed.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const std::string kPng = std::string("\x89PNG\r\n\x1a\n", 8) + "IHDR";

struct Pictures {
  std::map<std::string, std::string> files;
  manual::PictureReader Reader() const {
    return [this](const std::string& name, std::string* bytes) {
      auto found = files.find(name);
      if (found == files.end()) return false;
      *bytes = found->second;
      return true;
    };
  }
};

TEST(ManualEmbedTest, Base64PadsTheLastGroup) {
  EXPECT_EQ(manual::Base64(""), "");
  EXPECT_EQ(manual::Base64("M"), "TQ==");
  EXPECT_EQ(manual::Base64("Ma"), "TWE=");
  EXPECT_EQ(manual::Base64("Man"), "TWFu");
  EXPECT_EQ(manual::Base64(std::string("\xff\xfe\x00", 3)), "//4A");
}

TEST(ManualEmbedTest, EveryNamedPictureBecomesADataUri) {
  Pictures pictures;
  pictures.files["idle.png"] = kPng;
  pictures.files["menu_2.png"] = kPng + "x";
  const std::string html =
      "<p><img src=\"pictures/idle.png\" alt=\"a\"> <img src=\"pictures/menu_2.png\">"
      " <img src=\"logo.png\"> <a href=\"pictures/idle.png\">src</a></p>";
  std::string output;
  std::string error;
  ASSERT_TRUE(manual::EmbedPictures(html, pictures.Reader(), &output, &error)) << error;
  EXPECT_EQ(output, "<p><img src=\"data:image/png;base64," + manual::Base64(kPng) +
                        "\" alt=\"a\"> <img src=\"data:image/png;base64," +
                        manual::Base64(kPng + "x") +
                        "\"> <img src=\"logo.png\"> <a href=\"pictures/idle.png\">src</a></p>");
}

TEST(ManualEmbedTest, PicturesTheManualCannotCarryAreErrorsWithTheirLine) {
  Pictures pictures;
  pictures.files["text.png"] = "not a picture";
  pictures.files["big.png"] = kPng + std::string(manual::kPictureMaxBytes, 'x');
  const struct {
    const char* html;
    const char* error;
  } cases[] = {
      {"\n<img src=\"pictures/missing.png\">", "line 2: cannot read picture missing.png"},
      {"<img src=\"pictures/text.png\">", "line 1: text.png is no PNG file"},
      {"<img src=\"pictures/big.png\">", "line 1: big.png has"},
      {"<img src=\"pictures/../secret.png\">", "line 1: bad picture name \"../secret.png\""},
      {"<img src=\"pictures/Idle.PNG\">", "line 1: bad picture name \"Idle.PNG\""},
      {"<img src=\"pictures/.png\">", "line 1: bad picture name \".png\""},
      {"<img src=\"pictures/idle.png", "line 1: picture name without its closing quote"},
  };
  for (const auto& c : cases) {
    std::string output;
    std::string error;
    EXPECT_FALSE(manual::EmbedPictures(c.html, pictures.Reader(), &output, &error)) << c.html;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.html << ": " << error;
  }
}

TEST(ManualEmbedTest, WithoutPicturesOnlyTheirImagesAreLeftOut) {
  const std::string html =
      "<figure><img src=\"pictures/idle.png\" alt=\"a\">\n<figcaption>Idle</figcaption></figure>"
      "<img src=\"logo.png\">";
  std::string output;
  std::string error;
  ASSERT_TRUE(manual::DropPictures(html, &output, &error)) << error;
  EXPECT_EQ(output, "<figure>\n<figcaption>Idle</figcaption></figure><img src=\"logo.png\">");
  EXPECT_FALSE(manual::DropPictures("<p><img src=\"pictures/idle.png\"", &output, &error));
  EXPECT_EQ(error, "line 1: <img without its '>'");
}

}  // namespace
