// Embeds the manual's pictures: every src="pictures/NAME.png" of the HTML text becomes a
// data URI with the picture's bytes, or (without pictures) every <img> naming one is left out.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace manual {

constexpr char kPictureFolder[] = "pictures/";
constexpr size_t kPictureMaxBytes = 256 * 1024;  // far above a panel picture, below a mistake

// Reads the named picture's bytes; false when it cannot be read.
using PictureReader = std::function<bool(const std::string& name, std::string* bytes)>;

std::string Base64(const std::string& bytes);

// False with `error` ("line N: ...") at the first picture that has a bad name, cannot be read,
// is no PNG or is larger than kPictureMaxBytes; `output` is then incomplete.
bool EmbedPictures(const std::string& html, const PictureReader& read, std::string* output,
                   std::string* error);

// The text without the <img> elements that name a picture; false for an <img without its '>'.
bool DropPictures(const std::string& html, std::string* output, std::string* error);

}  // namespace manual
