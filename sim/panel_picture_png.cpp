// The panel picture's files: the device picture read and the drawn panel written, with stb.
#include "sim/panel_picture.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include "sim/sim_panel.h"

namespace sim {

bool RenderPanelPicture(Picture* picture, std::string* error) {
  const std::string path = PanelPicturePath();
  if (!ReadPicture(path, picture)) {
    if (error) *error = "cannot read the device picture " + path;
    return false;
  }
  DrawPanelState(picture);
  return true;
}

bool ReadPicture(const std::string& path, Picture* picture) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgb = stbi_load(path.c_str(), &width, &height, &channels, kRgbChannels);
  if (!rgb) return false;
  SetPictureFromRgb(rgb, width, height, picture);
  stbi_image_free(rgb);
  return true;
}

bool WritePicturePng(const std::string& path, const Picture& picture, std::string* error) {
  std::vector<uint8_t> rgb(picture.pixels.size() * kRgbChannels);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    rgb[i * kRgbChannels + 0] = static_cast<uint8_t>(picture.pixels[i] >> 16);
    rgb[i * kRgbChannels + 1] = static_cast<uint8_t>(picture.pixels[i] >> 8);
    rgb[i * kRgbChannels + 2] = static_cast<uint8_t>(picture.pixels[i]);
  }
  if (!stbi_write_png(path.c_str(), picture.width, picture.height, kRgbChannels, rgb.data(),
                      picture.width * kRgbChannels)) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace sim
