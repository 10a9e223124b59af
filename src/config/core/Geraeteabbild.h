#pragma once

// The device image: configuration and phone book travel together in these 6144 bytes.

namespace abbild {

constexpr int Größe = 6144;
// Bytes 0 to 255 are the configuration area; the phone book half follows.
constexpr int Konfigurationsgröße = 256;

} // namespace abbild
