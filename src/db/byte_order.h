#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <string_view>

namespace zelbor::db {

using Byte = std::uint8_t;

// The bytes of a text held in a string.
inline std::span<const Byte> bytesOf(std::string_view text) {
  return {reinterpret_cast<const Byte*>(text.data()), text.size()};
}

// Little-endian numbers on fixed-size byte views; the sizes are part of the types so a view of the
// wrong width does not compile.
inline std::uint16_t readUint16LE(std::span<const Byte, 2> bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::int16_t readInt16LE(std::span<const Byte, 2> bytes) {
  return static_cast<std::int16_t>(readUint16LE(bytes));
}

inline std::uint32_t readUint32LE(std::span<const Byte, 4> bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline float readFloat32LE(std::span<const Byte, 4> bytes) {
  return std::bit_cast<float>(readUint32LE(bytes));
}

inline void writeUint16LE(std::span<Byte, 2> bytes, std::uint16_t value) {
  bytes[0] = static_cast<Byte>(value);
  bytes[1] = static_cast<Byte>(value >> 8);
}

inline void writeInt16LE(std::span<Byte, 2> bytes, std::int16_t value) {
  writeUint16LE(bytes, static_cast<std::uint16_t>(value));
}

inline void writeUint32LE(std::span<Byte, 4> bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<Byte>(value >> (8 * i));
}

inline void writeFloat32LE(std::span<Byte, 4> bytes, float value) {
  writeUint32LE(bytes, std::bit_cast<std::uint32_t>(value));
}

}  // namespace zelbor::db
